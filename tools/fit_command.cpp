#include <cstdio>
#include <optional>
#include <string>

#include "engine/io_error.h"
#include "engine/text_file.h"
#include "model/fit.h"
#include "model/profile_interval.h"
#include "tools/batch_commands.h"
#include "tools/classify_options.h"
#include "tools/command_line.h"
#include "tools/csv_row.h"
#include "tools/fit_options.h"
#include "tools/fit_table.h"
#include "tools/stop_signals.h"
#include "tools/study_options.h"
#include "tools/progress_line.h"

namespace bruso {

// fit SHOE [--conflict-mode 0|1|both] [--altruism 0|1|both] [--fix NAME=VALUE,...]
// [--csv FILE] [--jobs N] [--level L] [--folds K [--seed N]]: maximum-likelihood estimates of p1..p10 and the lapse
// rate for each variant with their profile-likelihood intervals, as a table on standard
// output (and in the CSV file when given), with the uniform player beside them; with
// --folds, the held-out log-likelihood of each variant by K-fold cross-validation. Ctrl-C,
// SIGTERM or SIGHUP stops the run after the variant being fitted; the table then holds the
// variants fitted so far, and the exit status is 128 + the signal.
int RunFit(const std::vector<std::string>& words) {
  const CommandLine line(
      words, {ConflictModeOption, AltruismOption, "--fix", "--csv", "--jobs", LevelOption, "--folds", "--seed"}, {});
  if (line.positional().size() != 1) throw UsageError("fit takes exactly one shoe file");
  const FitOptions options = FitOptionsFrom(line);
  const std::string& shoe_path = line.positional()[0];
  const HandList hands = ReadShoeForTable(shoe_path, options.csv);
  if (options.folds > static_cast<int>(hands.size())) {
    throw OptionValueError("--folds takes at most the number of hands (" + std::to_string(hands.size()) + "), not '" +
                           std::to_string(options.folds) + "'");
  }
  if (options.folds > 0) std::fprintf(stderr, "seed: %llu\n", static_cast<unsigned long long>(options.seed));
  std::optional<TextFile> csv;
  if (options.csv) csv.emplace().Open(*options.csv, TextFile::Mode::Write);

  CatchStopSignals();
  std::vector<FitResult> fits;
  std::vector<CrossValidation> validations;
  {
    ProgressLine progress(static_cast<long long>(options.variants.size()), "variants");
    for (const ModelVariant& variant : options.variants) {
      if (StopRequested()) break;
      fits.push_back(
          FitVariantWithIntervals(hands, variant, AnalysisSettings{}, options.fixed, options.jobs, options.level));
      if (options.folds > 0) {
        validations.push_back(CrossValidate(hands, variant, options.fixed, options.folds, options.seed, options.jobs));
      }
      progress.Update(static_cast<long long>(fits.size()));
    }
  }
  std::fputs(FitTableText(fits).c_str(), stdout);
  std::fputs(CrossValidationText(validations, options.seed).c_str(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw IoError::FromErrno("standard output");
  if (csv) {
    csv->WriteLine(CsvRow(FitCsvHeader));
    for (const FitResult& fit : fits) csv->WriteLine(CsvRow(FitCsvFields(fit)));
    csv->WriteLine(CsvRow(UniformCsvFields(fits.empty() ? 0 : fits.front().positions)));
    csv->Close();
  }
  std::fprintf(stderr, "fit: %lld lines of %zu hands, %zu of %zu variants\n", RecordedLineCount(hands), hands.size(),
               fits.size(), options.variants.size());
  if (fits.size() < options.variants.size()) {
    std::fprintf(stderr, "fit: stopped by %s\n", StopCause().c_str());
    return StoppedStatus();
  }
  return 0;
}

}  // namespace bruso
