// How fast the artificial players play: whole runs of "Play All Hands Artificially" with
// 150 rules on each side, and the rule matching alone next to scanning every rule.
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
#include "bench/bench_data.h"
#include "engine/move_engine.h"
#include "players/go_speedy.h"
#include "shoe/start_hand.h"
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

// The first row of the researcher's table: 500 random hands, 150 random rules on each side
// (most plays run to the 20 attempts), 400 plays of each hand: 200,000 plays, the results
// file written and the output window kept in memory.
struct RandomRulesRun {
  explicit RandomRulesRun(int rules = MaxRules) {
    std::filesystem::create_directories(folder);
    StartUp(state, {.startDirectory = folder, .outputFolder = folder, .outputWindow = &window, .seed = 1});
    Random random(12);
    ReadRules(bench::RandomRulesText(random, rules), state.RulesCK);
    ReadRules(bench::RandomRulesText(random, rules), state.RulesNK);
    state.RulesFileCK = "ck";  // the run needs both roles' rules chosen
    state.RulesFileNK = "nk";
    state.HandList = ReadShoe(bench::RandomShoeText(random, 500, 1, 6)).hands;
  }
  ~RandomRulesRun() {
    state.iodef.CloseFiles(state.outputFiles);
    std::filesystem::remove_all(folder);
  }
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "bruso-random-rules-benchmark";
  MemoryWindow window;
  SharedState state;
};
constexpr int RandomRulesIterations = 400;

void PlayAllHandsRandomRules(benchmark::State& bench) {
  RandomRulesRun run;
  long long plays = 0;
  for (auto _ : bench) {
    run.window.lines.clear();
    plays += PlayAllHandsArtificially(run.state, std::to_string(RandomRulesIterations))->plays;
  }
  bench.counters["plays"] = benchmark::Counter(static_cast<double>(plays), benchmark::Counter::kIsRate);
}
BENCHMARK(PlayAllHandsRandomRules)->Unit(benchmark::kMillisecond);

using Matcher = char (*)(const RuleSet&, std::string_view, Random&);

// The plays of the run above without its files: each hand from its root as GoSpeedy plays
// it, the letters chosen by `match`. Returns the letters chosen.
long long PlayEveryHand(SharedState& state, Matcher match) {
  long long letters = 0;
  std::string history;
  for (Fhand& hand : state.HandList) {
    state.FirstMover = FirstMoverOf(hand);
    StartHand(state, hand);
    for (int play = 0; play < RandomRulesIterations; ++play) {
      state.tree.GoTop(state.CurrentNode);
      state.RootNode = state.CurrentNode;
      state.tree.DeleteBelow(state.CurrentNode, state.RootNode);
      state.RootNode->role = state.FirstMover == "N" ? RoleNK : RoleCK;
      int attempts = 0;
      do {
        HiStory(state.CurrentNode, history);
        const char letter = match(RulesFor(state, state.CurrentNode->role), history, state.random);
        state.moves.ApplyMove(state.CurrentNode, state.ScratchBoard, letter);
        ++attempts;
      } while (state.CurrentNode->TargetCard() != TargetCardCode && attempts < MaxArtificialMoves);
      letters += attempts;
    }
  }
  return letters;
}

// The plays alone, with 150 or 15 random rules per side: indexed 0 scans every rule,
// indexed 1 goes through the index. Both draw the same numbers, so both choose the same
// letters.
void PlaysRandomRules(benchmark::State& bench) {
  RandomRulesRun run(static_cast<int>(bench.range(1)));
  run.state.BatchMode = true;
  const Matcher match = bench.range(0) == 0 ? &EvalByScanning : &Eval;
  long long letters = 0;
  for (auto _ : bench) {
    run.state.random.Seed(1);
    letters += PlayEveryHand(run.state, match);
  }
  bench.counters["plays"] = benchmark::Counter(static_cast<double>(bench.iterations()) * 500 * RandomRulesIterations,
                                               benchmark::Counter::kIsRate);
  bench.counters["evaluations"] = benchmark::Counter(static_cast<double>(letters), benchmark::Counter::kIsRate);
}
BENCHMARK(PlaysRandomRules)->ArgNames({"indexed", "rules"})->ArgsProduct({{0, 1}, {150, 15}})->Unit(benchmark::kMillisecond);

// One evaluation against 150 rules, two steps into a hand: scanning every rule, and
// through the index.
void Eval150Rules(benchmark::State& bench) {
  RuleSet rules;
  Memo((SourceDir / "bench" / "rules_150_ck.txt").string(), rules);
  const std::string history = "#3C4H2C" "N4H2C" "U2H3H4H2C";
  const Matcher match = bench.range(0) == 0 ? &EvalByScanning : &Eval;
  Random random(1);
  for (auto _ : bench) benchmark::DoNotOptimize(match(rules, history, random));
  bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(Eval150Rules)->ArgName("indexed")->Arg(0)->Arg(1);

}  // namespace
}  // namespace bruso

BENCHMARK_MAIN();
