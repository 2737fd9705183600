#include <cstdio>
#include <optional>
#include <string>

#include "analysis/chance.h"
#include "engine/command_line.h"
#include "engine/io_error.h"
#include "engine/random.h"
#include "engine/text_file.h"
#include "model/simulation.h"
#include "session/file_overlap.h"
#include "session/summary.h"
#include "study/classify_options.h"
#include "study/study_options.h"
#include "tools/batch_commands.h"
#include "tools/progress_line.h"
#include "tools/standard_output.h"
#include "tools/stop_signals.h"

namespace bruso {

namespace {

// Standard output, or the file when one is given. A reader of standard output that goes
// away stops the run after the hand in progress, as a stop signal does.
class ShoeWriter {
 public:
  explicit ShoeWriter(const std::optional<std::string>& path) {
    if (path) file_.emplace().Open(*path, TextFile::Mode::Write);
  }
  void Write(const std::string& text) {
    if (file_) file_->Write(text);
    else stdout_.Write(text);
  }
  // Throws IoError when the shoe did not reach its file or standard output whole.
  void Close() {
    if (file_) file_->Close();
    else stdout_.Flush();
  }

 private:
  std::optional<TextFile> file_;
  StdoutSink stdout_;
};

}  // namespace

// simulate SHOE --lines K [--prob P1,...,P10] [--lapse E] [--conflict-mode 0|1]
// [--altruism 0|1] [--seed N] [--out FILE]: the model plays K lines of every hand of the
// shoe, written as a shoe to FILE (standard output without one) that classify and fit
// read. Ctrl-C, SIGTERM or SIGHUP stops the run after the hand being played, with whole
// hands in the file.
int RunSimulate(const std::vector<std::string>& words) {
  const CommandLine line(
      words, {LinesOption, "--seed", "--out", ConflictModeOption, AltruismOption, ProbOption, LapseOption}, {});
  if (line.positional().size() != 1) throw UsageError("simulate takes exactly one shoe file");
  const int lines = CountFrom(line, LinesOption, 1000000, std::nullopt, "simulate");
  const ModelOptions model = ModelOptionsFrom(line);
  const double lapse = LapseFrom(line);
  const std::uint64_t seed = SeedFrom(line);
  const std::string& shoe_path = line.positional()[0];
  std::vector<NamedFile> outputs;
  if (const std::optional<std::string> out = line.Value("--out")) outputs.push_back({"--out", *out});
  RefuseOverlaps({{"the shoe", shoe_path}}, outputs);
  const HandList hands = ReadShoeFile(shoe_path).hands;
  if (hands.empty()) {
    std::fprintf(stderr, "bruso-batch: %s holds no hand\n", shoe_path.c_str());
    return 1;
  }
  AnalysisSettings settings;
  model.ApplyTo(settings);
  ShoeWriter out(line.Value("--out"));
  std::fprintf(stderr, "seed: %llu\n", static_cast<unsigned long long>(seed));

  CatchStopSignals();
  Random random(seed);
  const std::string note = SimulationNote(lines, settings, lapse, seed);
  long long played = 0;
  {
    ProgressLine progress(static_cast<long long>(hands.size()), "hands");
    for (const Fhand& hand : hands) {
      if (StopRequested()) break;
      out.Write(ShoeText(SimulateHand(hand, lines, settings, lapse, random, note)));
      progress.Update(++played);
    }
  }
  out.Close();
  Summary summary("simulate");
  summary.Add("seed", std::to_string(seed));
  summary.Add("hands", std::to_string(played) + " of " + std::to_string(hands.size()));
  summary.Add("lines", std::to_string(played * lines));
  if (StopRequested()) summary.Add("stopped by " + StopCause(), "after " + std::to_string(played) + " hands");
  std::fputs(summary.Text().c_str(), stderr);
  return StopRequested() ? StoppedStatus() : 0;
}

}  // namespace bruso
