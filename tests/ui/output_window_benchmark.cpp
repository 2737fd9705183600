// How long the output window takes to receive the lines of a large batch: "Play All Hands
// Artificially" may write 100,000 lines or more in one command, and the window must show
// them within a few seconds. Not run by CTest; run ui_benchmarks by hand.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "support/window_fixture.h"
#include "ui/application.h"
#include "ui/text_conversion.h"

namespace bruso {
namespace {

void OutputWindowTakesABatch(benchmark::State& bench) {
  testing::WindowFixture window;
  TForm1& form = *window.form;
  const int lines = static_cast<int>(bench.range(0));
  for (auto _ : bench) {
    form.Form3->Memo1->Clear();
    for (int k = 0; k < lines; ++k) form.State().io.OutputLine("CUNTPCUNTPCUNTPCUNT");
    form.ShowOutput->trigger();  // the batch ends by showing the output window
    QApplication::processEvents();
  }
  bench.SetItemsProcessed(bench.iterations() * lines);
}
BENCHMARK(OutputWindowTakesABatch)->Arg(100000)->Arg(300000)->Unit(benchmark::kMillisecond);

// The whole "Play All Hands Artificially" as the user runs it: the larger example shoe,
// the 150-rule files on both sides, 334 plays of each of its 300 hands (100,200 plays),
// the output window shown at the end.
void PlayAllHandsInTheWindow(benchmark::State& bench) {
  const std::filesystem::path source = BRUSO_SOURCE_DIR;
  testing::WindowFixture window;
  TForm1& form = *window.form;
  window.dialogs.QueueFile(PathToQString(source / "examples" / "large_shoe.txt"));
  form.ApriUno->trigger();
  window.dialogs.QueueFile(PathToQString(source / "bench" / "rules_150_ck.txt"));
  form.ArtificialPlayer1->trigger();
  window.dialogs.QueueFile(PathToQString(source / "bench" / "rules_150_nk.txt"));
  form.LoadRulesNK1->trigger();
  for (auto _ : bench) {
    window.dialogs.QueueInput(QStringLiteral("334"));
    form.Players1->trigger();
    QApplication::processEvents();
  }
  bench.SetItemsProcessed(bench.iterations() * 300 * 334);
}
BENCHMARK(PlayAllHandsInTheWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

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
