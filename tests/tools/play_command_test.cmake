# Runs "bruso-batch play" as a user would and checks what it leaves behind:
#   the same seed twice gives the same files and the same standard output, byte for byte;
#   a missing file and a bad iteration number end with a non-zero status and one line on
#   standard error, without emptying the output files of an earlier run.
# Called by CTest with -DBRUSO_BATCH=... -DEXAMPLES=... -DWORK=...

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(shoe "${WORK}/shoe.txt")
file(WRITE "${shoe}" "4H 2H 3C 3H 2C 4C\n2H 3H 4H 2C 3C 4C NK\nCU\n4C 3C 2C 3H 2H 4H CK\n")
set(rules --ck "${EXAMPLES}/rules_ck.txt" --nk "${EXAMPLES}/rules_nk.txt")

function(play out_dir)
  execute_process(COMMAND "${BRUSO_BATCH}" play "${shoe}" ${rules} --out "${out_dir}" ${ARGN}
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  set(status "${status}" PARENT_SCOPE)
  set(output "${output}" PARENT_SCOPE)
  set(errors "${errors}" PARENT_SCOPE)
endfunction()

function(expect_same first second)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${first}" "${second}" RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "${first} and ${second} differ")
  endif()
endfunction()

# The same seed twice.
play("${WORK}/a" --seed 12345 --iterations 3)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "play failed (${status}): ${errors}")
endif()
set(first_output "${output}")
play("${WORK}/b" --seed 12345 --iterations 3)
expect_same("${WORK}/a/Automa.txt" "${WORK}/b/Automa.txt")
expect_same("${WORK}/a/Amik.txt" "${WORK}/b/Amik.txt")
if(NOT output STREQUAL first_output)
  message(FATAL_ERROR "the output window differs between two runs with one seed")
endif()
file(READ "${WORK}/a/Automa.txt" automa)
string(REGEX MATCHALL "\n" line_ends "${automa}")
list(LENGTH line_ends lines)
if(NOT lines EQUAL 15)  # three hands: hand line, empty line and three plays each
  message(FATAL_ERROR "Automa.txt holds ${lines} lines:\n${automa}")
endif()

# Failures: a non-zero status, one line on standard error, the earlier files untouched.
function(expect_failure expected)
  play("${WORK}/a" ${ARGN})
  string(REGEX MATCHALL "\n" line_ends "${errors}")
  list(LENGTH line_ends error_lines)
  if(status EQUAL 0 OR NOT error_lines EQUAL 1 OR NOT errors MATCHES "${expected}")
    message(FATAL_ERROR "expected one line with '${expected}', got status ${status} and:\n${errors}")
  endif()
endfunction()
set(rules --ck "${WORK}/missing.txt" --nk "${EXAMPLES}/rules_nk.txt")
expect_failure("File not found: .*missing.txt")
expect_same("${WORK}/a/Automa.txt" "${WORK}/b/Automa.txt")
set(rules --ck "${EXAMPLES}/rules_ck.txt" --nk "${EXAMPLES}/rules_nk.txt")
set(shoe "${WORK}/no_shoe.txt")
expect_failure("File not found: .*no_shoe.txt")
set(shoe "${WORK}/shoe.txt")
play("${WORK}/a" --iterations abc)
if(status EQUAL 0 OR NOT errors MATCHES "'abc' is not a valid integer value")
  message(FATAL_ERROR "a bad iteration number: status ${status} and:\n${errors}")
endif()
expect_same("${WORK}/a/Automa.txt" "${WORK}/b/Automa.txt")
