// How fast the window's commands run next to the same core commands without a window (as
// bruso-batch runs them), how much a line of the output boxes costs, and how soon the
// window answers after a large batch. Data are drawn from fixed seeds. Not run by CTest:
//
//   cmake -S . -B build/bench -DBRUSO_BENCH=ON -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/bench -j2 --target ui_benchmarks && build/bench/tests/ui/ui_benchmarks
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <vector>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTimer>

#include "bench/bench_data.h"
#include "engine/text_file.h"
#include "session/artificial_play.h"
#include "session/classify_commands.h"
#include "session/rules_commands.h"
#include "shoe/shoe_file.h"
#include "support/window_fixture.h"
#include "ui/application.h"
#include "ui/line_memo.h"
#include "ui/text_conversion.h"
#include "ui/text_memo.h"

namespace bruso {
namespace {

const std::filesystem::path SourceDir = BRUSO_SOURCE_DIR;

// The output window of a run without a window, kept in memory.
class MemoryWindow : public TextSink {
 public:
  void AppendLine(std::string_view line) override { lines.emplace_back(line); }
  void Clear() override { lines.clear(); }
  std::vector<std::string> lines;
};

// A shoe of random hands with three move lines of eight letters each (two replayed).
std::filesystem::path ShoeFile(const testing::TempFolder& folder, int hands) {
  const std::filesystem::path path = folder.path() / ("shoe_" + std::to_string(hands) + ".txt");
  if (!std::filesystem::exists(path)) {
    Random random(12);
    TextFile file;
    file.Open(path.string(), TextFile::Mode::Write);
    file.Write(bench::RandomShoeText(random, hands, 3, 8));
    file.Close();
  }
  return path;
}

// The heap the process uses now, in bytes: exact, whatever freed memory it reuses.
double HeapBytes() {
  const struct mallinfo2 heap = mallinfo2();
  return static_cast<double>(heap.uordblks + heap.hblkhd);
}

// The memory the process holds now, in bytes.
double ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// A window with a shoe open, the example rules loaded and the output window shown.
struct OpenWindow {
  explicit OpenWindow(const std::filesystem::path& shoe) {
    TForm1& form = *window.form;
    form.show();
    window.dialogs.QueueFile(PathToQString(shoe));
    form.ApriUno->trigger();
    window.dialogs.QueueFile(PathToQString(SourceDir / "examples" / "rules_ck.txt"));
    form.ArtificialPlayer1->trigger();
    window.dialogs.QueueFile(PathToQString(SourceDir / "examples" / "rules_nk.txt"));
    form.LoadRulesNK1->trigger();
    QApplication::processEvents();
  }
  testing::WindowFixture window;
};

// A core session without a window, the way bruso-batch sets one up.
struct HeadlessSession {
  explicit HeadlessSession(const std::filesystem::path& shoe) {
    std::filesystem::create_directories(folder.path() / "out");
    StartUp(state, {.startDirectory = folder.path(), .outputFolder = folder.path() / "out",
                    .outputWindow = &output, .seed = 1});
    LoadRulesCK(state, (SourceDir / "examples" / "rules_ck.txt").string());
    LoadRulesNK(state, (SourceDir / "examples" / "rules_nk.txt").string());
    state.HandList = ReadShoeFile(shoe.string()).hands;
  }
  ~HeadlessSession() { state.iodef.CloseFiles(state.outputFiles); }
  testing::TempFolder folder;
  MemoryWindow output;
  SharedState state;
};

testing::TempFolder& DataFolder() {
  static testing::TempFolder folder;
  return folder;
}

// "Classify All Hands" on 100,000 hands: arg 0 without a window, arg 1 in the window.
void ClassifyAllHands100k(benchmark::State& bench) {
  const std::filesystem::path shoe = ShoeFile(DataFolder(), 100000);
  if (bench.range(0) == 0) {
    HeadlessSession session(shoe);
    for (auto _ : bench) automatic1Click(session.state);
  } else {
    OpenWindow open(shoe);
    TForm1& form = *open.window.form;
    for (auto _ : bench) {
      form.automatic1->trigger();
      QApplication::processEvents();
    }
  }
}
BENCHMARK(ClassifyAllHands100k)->ArgName("window")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

// "Play All Hands Artificially" x10 on 100,000 hands with the example rules: arg 0
// without a window, arg 1 in the window.
void PlayAllHands100kTimes10(benchmark::State& bench) {
  const std::filesystem::path shoe = ShoeFile(DataFolder(), 100000);
  if (bench.range(0) == 0) {
    HeadlessSession session(shoe);
    for (auto _ : bench) benchmark::DoNotOptimize(PlayAllHandsArtificially(session.state, "10"));
  } else {
    OpenWindow open(shoe);
    TForm1& form = *open.window.form;
    for (auto _ : bench) {
      open.window.dialogs.QueueInput(QStringLiteral("10"));
      form.Players1->trigger();
      QApplication::processEvents();
    }
  }
}
BENCHMARK(PlayAllHands100kTimes10)->ArgName("window")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

// The memory of the window after "Classify All Hands" on 200,000 hands, per line of its
// output boxes (the output window and the output line together).
void WindowMemoryAfterClassifying200k(benchmark::State& bench) {
  const std::filesystem::path shoe = ShoeFile(DataFolder(), 200000);
  for (auto _ : bench) {
    OpenWindow open(shoe);
    TForm1& form = *open.window.form;
    const double before = HeapBytes();
    form.automatic1->trigger();
    QApplication::processEvents();
    const double lines = static_cast<double>(form.Form3->Memo1->LineCount() + form.Memo1->LineCount());
    bench.counters["bytes_per_line"] = (HeapBytes() - before) / lines;
    bench.counters["lines"] = lines;
    bench.counters["resident_MB"] = ResidentBytes() / 1e6;
  }
}
BENCHMARK(WindowMemoryAfterClassifying200k)->Unit(benchmark::kMillisecond)->Iterations(1);

// The lines of one "Classify All Hands" on 20,000 hands, as the output window gets them.
const std::vector<std::string>& ClassifyLines() {
  static const std::vector<std::string> lines = [] {
    HeadlessSession session(ShoeFile(DataFolder(), 20000));
    automatic1Click(session.state);
    return session.output.lines;
  }();
  return lines;
}

// One box taking those lines and showing them: arg 0 the plain text box, arg 1 the line
// box of the output window. Counts the time and the memory per line.
template <typename Memo>
void FillAndShow(benchmark::State& bench, Memo& memo) {
  const std::vector<std::string>& lines = ClassifyLines();
  memo.resize(500, 600);
  memo.show();
  double bytes = 0;
  for (auto _ : bench) {
    memo.Clear();
    QApplication::processEvents();
    const double before = HeapBytes();
    for (const std::string& line : lines) memo.AppendLine(line);
    memo.Flush();
    QApplication::processEvents();
    memo.grab();  // painted, as on screen
    bytes = HeapBytes() - before;
  }
  bench.counters["bytes_per_line"] = bytes / static_cast<double>(lines.size());
  bench.SetItemsProcessed(bench.iterations() * static_cast<std::int64_t>(lines.size()));
}

void OutputBoxTakesClassifyLines(benchmark::State& bench) {
  if (bench.range(0) == 0) {
    TextMemo memo;
    FillAndShow(bench, memo);
  } else {
    LineMemo memo;
    FillAndShow(bench, memo);
  }
}
BENCHMARK(OutputBoxTakesClassifyLines)->ArgName("lines")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Opening a shoe of one hand with two move lines of `range(0)` letters, until the window
// is painted.
void OpenShoeWithALongLine(benchmark::State& bench) {
  const auto letters = static_cast<int>(bench.range(0));
  const std::filesystem::path shoe = DataFolder().path() / ("long_" + std::to_string(letters) + ".txt");
  Random random(5);
  TextFile file;
  file.Open(shoe.string(), TextFile::Mode::Write);
  file.Write(bench::RandomShoeText(random, 1, 2, letters));  // the second line is the one replayed
  file.Close();
  testing::WindowFixture window;
  TForm1& form = *window.form;
  form.show();
  for (auto _ : bench) {
    window.dialogs.QueueFile(PathToQString(shoe));
    form.ApriUno->trigger();
    QApplication::processEvents();
    form.grab();  // painted, as on screen
  }
}
BENCHMARK(OpenShoeWithALongLine)->ArgName("letters")->Arg(400000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The straightforward way next to it: a plain text box laying a whole move line out, as
// the move-lines list did; the time grows with the square of the line's length.
void PlainBoxWithALongLine(benchmark::State& bench) {
  const QString line(static_cast<qsizetype>(bench.range(0)), QLatin1Char('U'));
  QPlainTextEdit box;
  box.resize(442, 481);
  box.show();
  for (auto _ : bench) {
    box.setPlainText(line);
    QApplication::processEvents();
    box.grab();
  }
}
BENCHMARK(PlainBoxWithALongLine)->ArgName("letters")->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// How long the window takes to answer a click after "Play All Hands Artificially" x1000 on
// the larger example shoe (the time from the end of the command to the first event it
// handles), and what one run adds to its memory.
void AnswersAfterPlayAllTimes1000(benchmark::State& bench) {
  OpenWindow open(SourceDir / "examples" / "large_shoe.txt");
  TForm1& form = *open.window.form;
  double answer_ms = 0;
  double added_MB = 0;
  for (auto _ : bench) {
    const double before = HeapBytes();
    open.window.dialogs.QueueInput(QStringLiteral("1000"));
    form.Players1->trigger();
    const auto ended = std::chrono::steady_clock::now();
    bool answered = false;
    QTimer::singleShot(0, [&] { answered = true; });
    while (!answered) QApplication::processEvents();
    form.grab();  // and both windows painted, as on screen
    form.Form3->grab();
    answer_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - ended).count();
    added_MB = (HeapBytes() - before) / 1e6;
  }
  bench.counters["answer_ms"] = answer_ms;
  bench.counters["added_MB"] = added_MB;
}
BENCHMARK(AnswersAfterPlayAllTimes1000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace bruso

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  bruso::SetUpApplication();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
