#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "engine/command_line.h"
#include "engine/csv_row.h"
#include "engine/io_error.h"
#include "engine/text_file.h"
#include "model/fit.h"
#include "model/fitted_rules.h"
#include "model/profile_interval.h"
#include "model/rule_player.h"
#include "session/file_overlap.h"
#include "study/classify_options.h"
#include "study/fit_options.h"
#include "study/fit_table.h"
#include "study/study_options.h"
#include "tools/batch_commands.h"
#include "tools/progress_line.h"
#include "tools/stop_signals.h"

namespace bruso {

namespace {

// A row per rule player after the variants' rows, until a stop is requested.
void AddRulePlayerRows(const HandList& hands, const FitOptions& options, const std::vector<LoadedRulePlayer>& players,
                       std::vector<FitResult>& fits, ProgressLine& progress) {
  const RuleData data = RuleDataFrom(hands);
  for (std::size_t r = 0; r < players.size() && !StopRequested(); ++r) {
    fits.push_back(RulePlayerRow(data, players[r], options.rules[r], options.fixed[LapseIndex]));
    progress.Update(static_cast<long long>(fits.size()));
  }
}

}  // namespace

// fit SHOE [--conflict-mode 0|1|both] [--altruism 0|1|both] [--fix NAME=VALUE,...]
// [--csv FILE] [--jobs N] [--rules CK,NK ...] [--level L | --no-intervals] [--folds K [--seed N]]:
// maximum-likelihood estimates of p1..p10 and the lapse rate for each variant with their
// profile-likelihood intervals (unless --no-intervals), and of the lapse rate of the rule player of each pair of
// rules files, as a table on standard output (and in the CSV file when given), with the
// uniform player beside them; with --folds, the held-out log-likelihood of each variant by
// K-fold cross-validation. Ctrl-C, SIGTERM or SIGHUP stops the run after the variant or
// rule player being fitted; the table then holds the rows fitted so far, and the exit
// status is 128 + the signal.
int RunFit(const std::vector<std::string>& words) {
  const CommandLine line(words,
                         {ConflictModeOption, AltruismOption, "--fix", "--csv", "--jobs", "--rules", LevelOption,
                          "--folds", "--seed", "--groups", "--conditions"},
                         {"--per-participant", "--hierarchical", NoIntervalsOption}, {"--rules"});
  const FitOptions options = FitOptionsFrom(line);
  if (options.ByParticipant()) return RunParticipantFits(line.positional(), options);
  const std::string& shoe_path = line.positional()[0];
  std::vector<NamedFile> inputs = {{"the shoe", shoe_path}};
  for (const RuleFiles& files : options.rules) inputs.insert(inputs.end(), {{"--rules", files.ck}, {"--rules", files.nk}});
  std::vector<NamedFile> outputs;
  if (options.csv) outputs.push_back({"--csv", *options.csv});
  RefuseOverlaps(inputs, outputs);
  const HandList hands = ReadShoeForTable(shoe_path, std::nullopt);
  if (options.folds > static_cast<int>(hands.size())) {
    throw OptionValueError("--folds takes at most the number of hands (" + std::to_string(hands.size()) + "), not '" +
                           std::to_string(options.folds) + "'");
  }
  std::vector<LoadedRulePlayer> rule_players;
  for (const RuleFiles& files : options.rules) rule_players.push_back(LoadRulePlayer(files));
  if (options.folds > 0) std::fprintf(stderr, "seed: %llu\n", static_cast<unsigned long long>(options.seed));
  std::optional<TextFile> csv;
  std::vector<std::string> header = FitCsvHeader;
  if (options.folds > 0) {
    header.insert(header.end(), CrossValidationCsvColumns.begin(), CrossValidationCsvColumns.end());
  }
  if (options.csv) csv.emplace(OpenTable(*options.csv, header));

  CatchStopSignals();
  std::vector<FitResult> fits;
  std::vector<CrossValidation> validations;
  const std::size_t rows = options.variants.size() + rule_players.size();
  try {
    ProgressLine progress(static_cast<long long>(rows), "models");
    for (const ModelVariant& variant : options.variants) {
      if (StopRequested()) break;
      fits.push_back(
          FitVariantWithIntervals(hands, variant, AnalysisSettings{}, options.fixed, options.jobs, options.level));
      if (options.folds > 0) {
        validations.push_back(CrossValidate(hands, variant, options.fixed, options.folds, options.seed, options.jobs));
      }
      progress.Update(static_cast<long long>(fits.size()));
    }
    if (!rule_players.empty()) AddRulePlayerRows(hands, options, rule_players, fits, progress);
  } catch (const NothingToFit& nothing) {
    if (csv) csv->Close();  // the header only
    std::fprintf(stderr, "bruso-batch: %s: %s\n", shoe_path.c_str(), nothing.what());
    return 1;
  }
  // The file first: it is written whole whatever becomes of standard output.
  if (csv) {
    for (const FitResult& row : FitTableRows(fits)) {
      std::vector<std::string> fields = FitFields(row);
      if (options.folds > 0) {
        const std::vector<std::string> held_out = CrossValidationFields(row, validations);
        fields.insert(fields.end(), held_out.begin(), held_out.end());
      }
      csv->WriteLine(CsvRow(fields));
    }
    csv->Close();
  }
  std::fputs(FitTableText(fits).c_str(), stdout);
  std::fputs(CrossValidationText(validations, options.seed).c_str(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw IoError::FromErrno("standard output");
  const std::size_t variants_fitted = std::min(fits.size(), options.variants.size());
  std::fprintf(stderr, "fit: %lld lines of %zu hands, %zu of %zu variants\n", RecordedLineCount(hands), hands.size(),
               variants_fitted, options.variants.size());
  if (!rule_players.empty()) {
    std::fprintf(stderr, "fit: %zu of %zu rule players\n", fits.size() - variants_fitted, rule_players.size());
  }
  // A signal during the last model stops the run too, though every model was fitted.
  if (fits.size() < rows || StopRequested()) {
    std::fprintf(stderr, "fit: stopped by %s\n", StopCause().c_str());
    return StoppedStatus();
  }
  return 0;
}

}  // namespace bruso
