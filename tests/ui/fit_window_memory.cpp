// The memory of the window's Fit Model next to bruso-batch fit's, on a shoe given on the
// command line (bench/fit_speed.sh writes it). Not run by CTest:
//
//   fit_window_memory SHOE [CANCEL_AFTER_SECONDS]
//
// Opens the shoe in the window offscreen, then runs Fit Model... on all four variants to
// the end, or cancels it after the seconds given. Prints the peak resident memory of the
// whole process, and the resident memory with the shoe open before the fit and after the
// dialog has closed.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include <QApplication>

#include "support/window_fixture.h"
#include "ui/fit_model_dialog.h"
#include "ui/text_conversion.h"

namespace {

double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1e3;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: fit_window_memory SHOE [CANCEL_AFTER_SECONDS]\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const double cancel_after = argc == 3 ? std::stod(argv[2]) : -1;
  bool ended = false;
  {
    bruso::testing::WindowFixture window;
    bruso::TForm1& form = *window.form;
    form.show();
    window.dialogs.QueueFile(bruso::PathToQString(argv[1]));
    form.ApriUno->trigger();
    QApplication::processEvents();
    std::printf("resident with the shoe open: %.0f MB\n", ResidentMegabytes());
    window.dialogs.QueueFit([&](bruso::FitModelDialog& dialog) {
      const auto start = std::chrono::steady_clock::now();
      dialog.StartFit();
      while (dialog.Running()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (cancel_after >= 0 && elapsed.count() > cancel_after) dialog.reject();
      }
      QCoreApplication::processEvents();  // the end of the fit reaches the dialog
      ended = dialog.result() == QDialog::Accepted;
    });
    form.FitModel1->trigger();
    QApplication::processEvents();
    std::printf("fit %s; resident after the dialog closed: %.0f MB\n", ended ? "ended" : "cancelled",
                ResidentMegabytes());
  }
  std::printf("peak resident: %.0f MB\n", PeakMegabytes());
  return 0;
}
