#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "engine/command_line.h"
#include "engine/io_error.h"
#include "engine/text_file.h"
#include "model/fitted_rules.h"
#include "model/rules_loading.h"
#include "model/weight_search.h"
#include "session/file_overlap.h"
#include "study/classify_options.h"
#include "tools/batch_commands.h"
#include "tools/stop_signals.h"

namespace bruso {

namespace {

// The search may give a weight at most this much.
constexpr int MaxWeight = 1000;

// "LO,HI": whole numbers with 0 <= LO <= HI <= MaxWeight. Weights below 0 are left out: a
// weights line whose first number has one digit and whose second is negative ("0 -5")
// would read back as a rule line.
WeightRange WeightRangeFrom(const CommandLine& line) {
  const std::optional<std::string> text = line.Value("--range");
  if (!text) return {};
  const std::vector<std::string_view> pieces = SplitAtCommas(*text);
  WeightRange range;
  bool readable = pieces.size() == 2;
  for (std::size_t i = 0; readable && i < 2; ++i) {
    const std::string_view piece = pieces[i];
    readable = !piece.empty() && piece.size() <= 4 && piece.find_first_not_of("0123456789") == std::string_view::npos;
    if (readable) (i == 0 ? range.low : range.high) = std::stoi(std::string(piece));
  }
  if (!readable || range.low > range.high || range.high > MaxWeight) {
    throw OptionValueError("--range takes two whole numbers LO,HI with 0 <= LO <= HI <= " + std::to_string(MaxWeight) +
                           ", not '" + *text + "'");
  }
  return range;
}

}  // namespace

// fit-weights SHOE --ck RULES --nk RULES [--range LO,HI] [--out-ck FILE] [--out-nk FILE]:
// searches the weights of fields 2 to 18 of both rules files for the rule player under
// which the recorded lines are most likely, and writes the two files with the weights
// found appended. The table of the fit before and after goes to standard output. Ctrl-C,
// SIGTERM or SIGHUP stops the search; nothing is written then.
int RunFitWeights(const std::vector<std::string>& words) {
  const CommandLine line(words, {"--ck", "--nk", "--range", "--out-ck", "--out-nk"}, {});
  if (line.positional().size() != 1) throw UsageError("fit-weights takes exactly one shoe file");
  const std::optional<RuleFiles> files = RuleFilesFrom(line);
  if (!files) throw UsageError("fit-weights needs --ck RULES and --nk RULES");
  const WeightRange range = WeightRangeFrom(line);
  const std::string& shoe_path = line.positional()[0];
  const std::string out_ck = line.Value("--out-ck").value_or(FittedName(files->ck));
  const std::string out_nk = line.Value("--out-nk").value_or(FittedName(files->nk));
  const std::vector<NamedFile> outputs = {{"--out-ck", out_ck}, {"--out-nk", out_nk}};
  RefuseOverlaps({{"the shoe", shoe_path}, {"--ck", files->ck}, {"--nk", files->nk}}, outputs);
  const HandList hands = ReadShoeFile(shoe_path).hands;
  if (hands.empty()) {
    std::fprintf(stderr, "bruso-batch: %s holds no hand\n", shoe_path.c_str());
    return 1;
  }
  const LoadedRulePlayer loaded = LoadRulePlayer(*files);
  const std::string ck_text = ReadWholeFile(files->ck);
  const std::string nk_text = ReadWholeFile(files->nk);
  RefuseUnwritable(outputs);  // not found after the search, with one file written

  CatchStopSignals();
  WeightSearchResult result;
  try {
    result = SearchWeights(RuleDataFrom(hands), loaded.player, range, loaded.weightsFitted, StopRequested);
  } catch (const FitCancelled&) {
    std::fprintf(stderr, "fit-weights: stopped by %s; no rules file written\n", StopCause().c_str());
    return StoppedStatus();
  }
  std::fputs(WeightSearchReport(result).c_str(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw IoError::FromErrno("standard output");
  WriteFittedRules(out_ck, ck_text, result.player.ck, shoe_path);
  WriteFittedRules(out_nk, nk_text, result.player.nk, shoe_path);
  std::fprintf(stderr, "fit-weights: %d weights fitted to %lld lines of %zu hands, range %d..%d; written to %s and %s\n",
               2 * FittedWeightsPerSide, RecordedLineCount(hands), hands.size(), range.low, range.high, out_ck.c_str(),
               out_nk.c_str());
  return 0;
}

}  // namespace bruso
