// How long the output window takes to receive the lines of a large batch: "Play All Hands
// Artificially" may write 100,000 lines or more in one command, and the window must show
// them within a few seconds. Not run by CTest; run ui_benchmarks by hand.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "support/window_fixture.h"
#include "ui/application.h"

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
