#include <cstdio>
#include <optional>
#include <string>

#include "engine/command_line.h"
#include "engine/csv_row.h"
#include "engine/io_error.h"
#include "engine/text_file.h"
#include "study/classify_options.h"
#include "study/fit_options.h"
#include "study/recover_table.h"
#include "study/study_options.h"
#include "tools/batch_commands.h"
#include "tools/stop_signals.h"
#include "tools/study_progress.h"

namespace bruso {

namespace {

// recover --participants: one group of simulated participants, fitted alone and
// hierarchically. A stop signal ends it with no rows.
int RunGroupRecoveryCommand(const HandList& hands, const RecoverOptions& options) {
  const GroupRecoveryDesign& design = *options.group;
  std::optional<TextFile> csv;
  if (options.csv) csv.emplace(OpenTable(*options.csv, GroupRecoveryCsvHeader));
  std::fprintf(stderr, "seed: %llu\n", static_cast<unsigned long long>(design.seed));
  CatchStopSignals();
  GroupRecovery recovery;
  try {
    recovery = RunGroupRecovery(hands, design, options.jobs, {.stopRequested = StopRequested});
  } catch (const FitCancelled&) {
    if (csv) csv->Close();  // the header only
    std::fprintf(stderr, "recover: stopped by %s\n", StopCause().c_str());
    return StoppedStatus();
  }
  if (csv) {
    for (const std::vector<std::string>& row : GroupRecoveryCsvRows(recovery)) csv->WriteLine(CsvRow(row));
    csv->Close();
  }
  std::printf("recover: %d participants of %d lines on %zu hands, conflict mode %d, altruism %d, seed %llu\n",
              design.participants, design.linesPerParticipant, hands.size(), design.variant.conflictMode,
              design.variant.altruism, static_cast<unsigned long long>(design.seed));
  std::fputs(GroupRecoveryText(recovery, design).c_str(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw IoError::FromErrno("standard output");
  return 0;
}

}  // namespace

// recover SHOE --lines K [--replicates R] [--conflict-mode 0|1|both] [--altruism 0|1|both]
// [--prob-range LO,HI] [--lapse-range LO,HI] [--fix NAME=VALUE,...] [--level L] [--seed N]
// [--jobs N] [--csv FILE] [--no-intervals]: parameter and model recovery on the shoe's hands. For each
// replicate and generating variant, true values drawn from the ranges, K lines per hand
// simulated with them and every variant fitted; the summary on standard output, a row per
// fit in the CSV file. Ctrl-C, SIGTERM or SIGHUP stops the run after the replicates in
// progress, with their rows whole; the exit status is then 128 + the signal.
// recover SHOE --participants P --lines-per-participant L [--group-mean NAME=LOGIT,...]
// [--group-spread NAME=LOGIT,...] [--conflict-mode 0|1] [--altruism 0|1] [--fix ...]
// [--seed N] [--jobs N] [--csv FILE]: P participants drawn from the group, each fitted
// alone and all together hierarchically.
int RunRecover(const std::vector<std::string>& words) {
  const CommandLine line(words,
                         {LinesOption, ReplicatesOption, ConflictModeOption, AltruismOption, "--prob-range",
                          "--lapse-range", "--fix", LevelOption, "--seed", "--jobs", "--csv", "--participants",
                          "--lines-per-participant", "--group-mean", "--group-spread"},
                         {NoIntervalsOption});
  if (line.positional().size() != 1) throw UsageError("recover takes exactly one shoe file");
  const RecoverOptions options = RecoverOptionsFrom(line);
  const std::string& shoe_path = line.positional()[0];
  const HandList hands = ReadShoeForTable(shoe_path, options.csv);
  if (options.group) return RunGroupRecoveryCommand(hands, options);
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
