#include <cstdio>
#include <optional>
#include <string>

#include "engine/io_error.h"
#include "engine/text_file.h"
#include "tools/batch_commands.h"
#include "tools/classify_options.h"
#include "tools/command_line.h"
#include "tools/csv_row.h"
#include "tools/fit_options.h"
#include "tools/study_progress.h"
#include "tools/recover_table.h"
#include "tools/stop_signals.h"
#include "tools/study_options.h"

namespace bruso {

// recover SHOE --lines K [--replicates R] [--conflict-mode 0|1|both] [--altruism 0|1|both]
// [--prob-range LO,HI] [--lapse-range LO,HI] [--fix NAME=VALUE,...] [--level L] [--seed N]
// [--jobs N] [--csv FILE]: parameter and model recovery on the shoe's hands. For each
// replicate and generating variant, true values drawn from the ranges, K lines per hand
// simulated with them and every variant fitted; the summary on standard output, a row per
// fit in the CSV file. Ctrl-C, SIGTERM or SIGHUP stops the run after the replicates in
// progress, with their rows whole; the exit status is then 128 + the signal.
int RunRecover(const std::vector<std::string>& words) {
  const CommandLine line(words,
                         {LinesOption, ReplicatesOption, ConflictModeOption, AltruismOption, "--prob-range",
                          "--lapse-range", "--fix", LevelOption, "--seed", "--jobs", "--csv"},
                         {});
  if (line.positional().size() != 1) throw UsageError("recover takes exactly one shoe file");
  const RecoverOptions options = RecoverOptionsFrom(line);
  const std::string& shoe_path = line.positional()[0];
  const HandList hands = ReadShoeForTable(shoe_path, options.csv);
  std::optional<TextFile> csv;
  if (options.csv) csv.emplace(OpenTable(*options.csv, RecoveryCsvHeader));
  const RecoveryDesign& design = options.design;
  std::fprintf(stderr, "seed: %llu\n", static_cast<unsigned long long>(design.seed));

  CatchStopSignals();
  const long long total = static_cast<long long>(design.replicates) * static_cast<long long>(design.generating.size());
  std::vector<RecoveryUnit> units;
  {
    StudyProgress progress(total, "data sets");
    units = RunRecovery(hands, design, options.jobs, progress.Watch());
  }
  if (csv) {
    for (const RecoveryUnit& unit : units) {
      for (const std::vector<std::string>& row : RecoveryCsvRows(unit)) csv->WriteLine(CsvRow(row));
    }
    csv->Close();
  }
  std::printf("recover: %zu of %lld data sets of %d lines per hand of %zu hands, seed %llu\n", units.size(), total,
              design.linesPerHand, hands.size(), static_cast<unsigned long long>(design.seed));
  std::fputs(RecoverySummaryText(units, design.level).c_str(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw IoError::FromErrno("standard output");
  if (StopRequested()) {
    std::fprintf(stderr, "recover: stopped by %s after %zu of %lld data sets\n", StopCause().c_str(), units.size(),
                 total);
    return StoppedStatus();
  }
  return 0;
}

}  // namespace bruso
