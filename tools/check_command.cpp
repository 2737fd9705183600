#include <cstdio>
#include <optional>
#include <string>

#include "engine/command_line.h"
#include "engine/csv_row.h"
#include "engine/io_error.h"
#include "engine/text_file.h"
#include "session/file_overlap.h"
#include "study/check_options.h"
#include "study/check_table.h"
#include "study/classify_options.h"
#include "study/study_options.h"
#include "tools/batch_commands.h"
#include "tools/stop_signals.h"
#include "tools/study_progress.h"

namespace bruso {

namespace {

// The model checked, as the first lines of the output give it.
std::string ModelText(const CheckOptions& options) {
  const PredictiveDesign& design = options.design;
  std::string text = "model: conflict mode " + std::to_string(design.variant.conflictMode) + ", altruism " +
                     std::to_string(design.variant.altruism) + ", prob ";
  for (int k = 0; k < CardRuleCount; ++k) {
    if (k > 0) text += ',';
    text += ExactNumber(design.point[k]);
  }
  text += ", lapse " + ExactNumber(design.point[LapseIndex]);
  if (options.fromFit) text += " (from " + *options.fromFit + ")";
  text += "\n";
  if (!options.untrained.empty()) {
    std::string names;
    for (const std::string& name : options.untrained) names += (names.empty() ? "" : ", ") + name;
    text += names + ": no estimate in the fit, played at 0.5\n";
  }
  return text;
}

}  // namespace

// check SHOE [--prob P1,...,P10] [--lapse E] [--conflict-mode 0|1] [--altruism 0|1] |
// [--from-fit FIT.csv --variant CM,ALT] [--replicates M] [--seed N] [--jobs N] [--csv FILE]:
// a predictive check of the model. M data sets of the shoe's hands, each with as many lines
// per hand as the shoe records, played by the model; each figure of the recorded lines beside
// the simulated ones' mean and 95% band, as a table on standard output and a row per figure
// in the CSV file. Ctrl-C, SIGTERM or SIGHUP stops the run after the data sets in progress,
// and the figures are those of the data sets simulated; the exit status is then 128 + the
// signal.
int RunCheck(const std::vector<std::string>& words) {
  const CommandLine line(words,
                         {ProbOption, LapseOption, ConflictModeOption, AltruismOption, FromFitOption, VariantOption,
                          ReplicatesOption, "--seed", "--jobs", "--csv"},
                         {});
  if (line.positional().size() != 1) throw UsageError("check takes exactly one shoe file");
  CheckOptions options = CheckOptionsFrom(line);
  const std::string& shoe_path = line.positional()[0];
  std::vector<NamedFile> inputs = {{"the shoe", shoe_path}};
  if (options.fromFit) inputs.push_back({FromFitOption, *options.fromFit});
  std::vector<NamedFile> outputs;
  if (options.csv) outputs.push_back({"--csv", *options.csv});
  RefuseOverlaps(inputs, outputs);
  const HandList hands = ReadShoeForTable(shoe_path, std::nullopt);
  if (options.fromFit) TakeFitEstimates(ReadWholeFile(*options.fromFit), *options.fromFit, options);
  std::optional<TextFile> csv;
  if (options.csv) csv.emplace(OpenTable(*options.csv, CheckCsvHeader));
  const PredictiveDesign& design = options.design;
  std::fprintf(stderr, "seed: %llu\n", static_cast<unsigned long long>(design.seed));

  CatchStopSignals();
  PredictiveCheck check;
  {
    StudyProgress progress(design.replicates, "data sets");
    check = RunPredictiveCheck(hands, design, options.jobs, progress.Watch());
  }
  if (csv) {
    for (const CheckedFigure& figure : check.figures) csv->WriteLine(CsvRow(CheckCsvFields(figure)));
    csv->Close();
  }
  std::printf("check: %d of %d data sets of the %lld lines of %zu hands, seed %llu\n", check.replicates,
              design.replicates, RecordedLineCount(hands), hands.size(), static_cast<unsigned long long>(design.seed));
  std::fputs((ModelText(options) + CheckTableText(check)).c_str(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw IoError::FromErrno("standard output");
  if (StopRequested()) {
    std::fprintf(stderr, "check: stopped by %s after %d of %d data sets\n", StopCause().c_str(), check.replicates,
                 design.replicates);
    return StoppedStatus();
  }
  return 0;
}

}  // namespace bruso
