// How fast the artificial players play: whole runs of "Play All Hands Artificially" with
// 150 rules on each side, and single evaluations.
//
//   cmake -S . -B build/bench -DBRUSO_BENCH=ON -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/bench -j2 --target play_benchmark && build/bench/bench/play_benchmark

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/text_file.h"
#include "players/history.h"
#include "players/rule_matching.h"
#include "players/rules_file.h"
#include "session/artificial_play.h"
#include "session/shared_state.h"
#include "shoe/shoe_file.h"

namespace bruso {
namespace {

const std::filesystem::path SourceDir = BRUSO_SOURCE_DIR;
constexpr long long MinimumPlays = 100000;

// The output window of the run, kept in memory as the window keeps it.
class MemoryWindow : public TextSink {
 public:
  void AppendLine(std::string_view line) override { lines.emplace_back(line); }
  void Clear() override { lines.clear(); }
  std::vector<std::string> lines;
};

// The larger example shoe, or every deal of the six cards while there is none.
std::string BenchmarkShoe() {
  const std::filesystem::path large = SourceDir / "examples" / "large_shoe.txt";
  if (std::filesystem::exists(large)) return ReadWholeFile(large.string());
  return ReadWholeFile((SourceDir / "examples" / "every_deal_shoe.txt").string());
}

void PlayAllHands150Rules(benchmark::State& bench) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "bruso-play-benchmark";
  std::filesystem::create_directories(folder);
  MemoryWindow window;
  SharedState state;
  StartUp(state, {.startDirectory = folder, .outputFolder = folder, .outputWindow = &window, .seed = 1});
  state.RulesFileCK = (SourceDir / "bench" / "rules_150_ck.txt").string();
  state.RulesFileNK = (SourceDir / "bench" / "rules_150_nk.txt").string();
  Memo(state.RulesFileCK, state.RulesCK);
  Memo(state.RulesFileNK, state.RulesNK);
  state.HandList = ReadShoe(BenchmarkShoe()).hands;
  const long long hands = static_cast<long long>(state.HandList.size());
  const long long iterations = (MinimumPlays + hands - 1) / hands;

  long long plays = 0;
  long long solved = 0;
  for (auto _ : bench) {
    const std::optional<PlayAllTally> tally = PlayAllHandsArtificially(state, std::to_string(iterations));
    if (!tally) {
      bench.SkipWithError("the run stopped early");
      break;
    }
    plays += tally->plays;
    solved += tally->solvedPlays;
  }
  bench.counters["hands"] = static_cast<double>(hands);
  bench.counters["plays"] = benchmark::Counter(static_cast<double>(plays), benchmark::Counter::kIsRate);
  bench.counters["solved"] = plays > 0 ? static_cast<double>(solved) / plays : 0;
  state.iodef.CloseFiles(state.outputFiles);
  std::filesystem::remove_all(folder);
}
BENCHMARK(PlayAllHands150Rules)->Unit(benchmark::kMillisecond);

// One evaluation against 150 rules, two steps into a hand.
void Eval150Rules(benchmark::State& bench) {
  RuleSet rules;
  Memo((SourceDir / "bench" / "rules_150_ck.txt").string(), rules);
  const std::string history = "#3C4H2C" "N4H2C" "U2H3H4H2C";
  Random random(1);
  for (auto _ : bench) benchmark::DoNotOptimize(Eval(rules, history, random));
  bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(Eval150Rules);

}  // namespace
}  // namespace bruso

BENCHMARK_MAIN();
