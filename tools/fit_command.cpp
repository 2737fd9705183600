#include <cstdio>
#include <optional>
#include <string>

#include "engine/io_error.h"
#include "engine/text_file.h"
#include "model/fit.h"
#include "tools/batch_commands.h"
#include "tools/classify_options.h"
#include "tools/command_line.h"
#include "tools/csv_row.h"
#include "tools/fit_options.h"
#include "tools/fit_table.h"
#include "tools/file_overlap.h"
#include "tools/stop_signals.h"
#include "tools/progress_line.h"

namespace bruso {

// fit SHOE [--conflict-mode 0|1|both] [--altruism 0|1|both] [--fix NAME=VALUE,...]
// [--csv FILE] [--jobs N]: maximum-likelihood estimates of p1..p10 and the lapse rate for
// each variant, as a table on standard output (and in the CSV file when given), with the
// uniform player beside them. Ctrl-C, SIGTERM or SIGHUP stops the run after the variant
// being fitted; the table then holds the variants fitted so far, and the exit status is
// 128 + the signal.
int RunFit(const std::vector<std::string>& words) {
  const CommandLine line(words, {ConflictModeOption, AltruismOption, "--fix", "--csv", "--jobs"}, {});
  if (line.positional().size() != 1) throw UsageError("fit takes exactly one shoe file");
  const FitOptions options = FitOptionsFrom(line);
  const std::string& shoe_path = line.positional()[0];
  if (options.csv) RefuseOverlaps({{"the shoe", shoe_path}}, {{"--csv", *options.csv}});
  const HandList hands = ReadShoeFile(shoe_path).hands;
  if (hands.empty()) {
    std::fprintf(stderr, "bruso-batch: %s holds no hand\n", shoe_path.c_str());
    return 1;
  }
  std::optional<TextFile> csv;
  if (options.csv) csv.emplace(OpenTable(*options.csv, FitCsvHeader));

  CatchStopSignals();
  std::vector<FitResult> fits;
  try {
    ProgressLine progress(static_cast<long long>(options.variants.size()), "variants");
    for (const ModelVariant& variant : options.variants) {
      if (StopRequested()) break;
      fits.push_back(FitVariant(hands, variant, AnalysisSettings{}, options.fixed, options.jobs));
      progress.Update(static_cast<long long>(fits.size()));
    }
  } catch (const NothingToFit& nothing) {
    if (csv) csv->Close();  // the header only
    std::fprintf(stderr, "bruso-batch: %s: %s\n", shoe_path.c_str(), nothing.what());
    return 1;
  }
  // The file first: it is written whole whatever becomes of standard output.
  if (csv) {
    for (const FitResult& row : FitTableRows(fits)) csv->WriteLine(CsvRow(FitFields(row)));
    csv->Close();
  }
  std::fputs(FitTableText(fits).c_str(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw IoError::FromErrno("standard output");
  std::fprintf(stderr, "fit: %lld lines of %zu hands, %zu of %zu variants\n", RecordedLineCount(hands), hands.size(),
               fits.size(), options.variants.size());
  // A signal during the last variant stops the run too, though every variant was fitted.
  if (StopRequested()) {
    std::fprintf(stderr, "fit: stopped by %s\n", StopCause().c_str());
    return StoppedStatus();
  }
  return 0;
}

}  // namespace bruso
