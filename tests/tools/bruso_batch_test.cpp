#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/recorders.h"
#include "tool_runner.h"

// The program's own command line: help, version and the errors that name what was wrong.

namespace bruso {
namespace {

using testing::ReadFile;
using testing::RunTool;
using testing::TempFolder;
using testing::WriteFile;

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

TEST(BrusoBatch, AnswersHelpVersionAndNamesWhatItDoesNotKnow) {
  struct Case {
    std::string arguments;
    int status;
    std::string stdout_start;
    std::string stderr_first_line;
  };
  const std::vector<Case> cases = {
      {"--help", 0, "usage: bruso-batch play SHOE", ""},
      {"-h", 0, "usage: bruso-batch play SHOE", ""},
      {"play --help", 0, "usage: bruso-batch play SHOE", ""},
      {"classify -h", 0, "usage: bruso-batch play SHOE", ""},
      {"--version", 0, "bruso-batch " BRUSO_VERSION "\n", ""},
      {"", 2, "", "bruso-batch: no command given"},
      {"fly shoe.txt", 2, "", "bruso-batch: unknown command fly"},
      {"fly --help", 2, "", "bruso-batch: unknown command fly"},
      {"--bogus", 2, "", "bruso-batch: unknown option --bogus"},
      {"--version extra", 2, "", "bruso-batch: unknown option --version"},
      {"classify shoe.txt --bogus", 2, "", "bruso-batch: unknown option --bogus"},
      {"play shoe.txt --ck ck.txt --nk nk.txt --fast", 2, "", "bruso-batch: unknown option --fast"},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    EXPECT_EQ(RunTool(folder.path(), c.arguments), c.status) << c.arguments;
    const std::string out = ReadFile(folder.path() / "stdout.txt");
    const std::string err = ReadFile(folder.path() / "stderr.txt");
    EXPECT_EQ(out.rfind(c.stdout_start, 0), 0u) << c.arguments << "\n" << out;
    EXPECT_EQ(FirstLine(err), c.stderr_first_line) << c.arguments;
    EXPECT_EQ(c.status == 0 ? err : out, "") << c.arguments;  // the answer goes to one stream
  }
}

// Options whose meaning is unclear are refused with one line that names them, before any
// file is written; numbers in exponent form are numbers.
TEST(BrusoBatch, RefusesUnclearOptionsWithALineThatNamesThem) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", "2H 2C 4H 3C 4C 3H CK\n-\nNTCPT\n");
  WriteFile(folder.path() / "rules.txt", "/ none\n");
  const struct {
    const char* arguments;
    int status;
    const char* message;  // the whole of standard error for a refusal
  } cases[] = {
      {"classify shoe.txt --csv ''", 2, "bruso-batch: --csv takes a value, not ''\n"},
      {"classify shoe.txt --out ''", 2, "bruso-batch: --out takes a value, not ''\n"},
      {"fit shoe.txt --csv '' --jobs 1", 2, "bruso-batch: --csv takes a value, not ''\n"},
      {"classify ''", 2, "bruso-batch: an empty argument: '' names no file\n"},
      {"play shoe.txt --ck rules.txt --nk rules.txt --iterations abc", 2,
       "bruso-batch: --iterations takes a whole number, not 'abc'\n"},
      {"classify shoe.txt --seed 1 --seed 2", 2, "bruso-batch: --seed is given twice; give it once\n"},
      {"classify shoe.txt --trace --memo memo.txt --trace", 2, "bruso-batch: --trace is given twice; give it once\n"},
      {"fit shoe.txt --csv a.csv --csv b.csv", 2, "bruso-batch: --csv is given twice; give it once\n"},
      {"classify shoe.txt --out results --lapse 1e-3 --prob 1e-3,1,1,1,1,1,1,1,1,2.5E-1", 0, ""},
      {"fit shoe.txt --fix lapse=1e-2,p1=5e-1 --conflict-mode 0 --altruism 0 --jobs 1", 0, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunTool(folder.path(), c.arguments), c.status) << c.arguments;
    const std::string errors = ReadFile(folder.path() / "stderr.txt");
    if (c.status != 0) {
      EXPECT_EQ(errors, c.message) << c.arguments;
    }
    for (const char* written : {"results", "outputFile", "a.csv", "b.csv", "memo.txt"}) {
      EXPECT_FALSE(c.status != 0 && std::filesystem::exists(folder.path() / written)) << c.arguments << " " << written;
    }
  }
}

TEST(BrusoBatch, TraceWithoutMemoSaysTheTraceIsNotKept) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", "2H 2C 4H 3C 4C 3H CK\n-\nNTCPT\n");
  const std::string note = "--trace without --memo FILE";
  ASSERT_EQ(RunTool(folder.path(), "classify shoe.txt --out results --trace"), 0);
  EXPECT_NE(ReadFile(folder.path() / "stderr.txt").find(note), std::string::npos);
  for (const char* arguments : {"classify shoe.txt --out results --trace --memo memo.txt",
                                "classify shoe.txt --out results"}) {
    ASSERT_EQ(RunTool(folder.path(), arguments), 0);
    EXPECT_EQ(ReadFile(folder.path() / "stderr.txt").find(note), std::string::npos) << arguments;
  }
}

// The headings of the manual page's tagged paragraphs (the line after each ".TP"), with
// roff's "\-" read as "-".
std::vector<std::string> ManualHeadings(const std::string& manual) {
  std::vector<std::string> headings;
  std::size_t at = 0;
  while ((at = manual.find(".TP\n", at)) != std::string::npos) {
    at += 4;
    headings.push_back(std::regex_replace(manual.substr(at, manual.find('\n', at) - at), std::regex(R"(\\-)"), "-"));
  }
  return headings;
}

// Every option that --help names has its paragraph in the manual page.
TEST(BrusoBatch, TheManualPageDescribesEveryOptionOfTheUsage) {
  TempFolder folder;
  ASSERT_EQ(RunTool(folder.path(), "--help"), 0);
  const std::string usage = ReadFile(folder.path() / "stdout.txt");
  const std::vector<std::string> headings = ManualHeadings(ReadFile(BRUSO_MAN_PAGE));
  const std::regex option(R"(--[a-z][a-z-]*)");
  const std::set<std::string> options(std::sregex_token_iterator(usage.begin(), usage.end(), option),
                                      std::sregex_token_iterator());
  EXPECT_GE(options.size(), 14u);
  for (const std::string& name : options) {
    const std::regex whole_name(name + "([^a-z-]|$)");
    const bool described = std::any_of(headings.begin(), headings.end(), [&](const std::string& heading) {
      return std::regex_search(heading, whole_name);
    });
    EXPECT_TRUE(described) << name;
  }
  for (const char* command : {".B play", ".B classify"}) {
    EXPECT_NE(std::find(headings.begin(), headings.end(), command), headings.end()) << command;
  }
}

}  // namespace
}  // namespace bruso
