#include "tools/stop_signals.h"

#include <csignal>
#include <iterator>

namespace bruso {

namespace {

constexpr int StopSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t stop_signal = 0;
// Which of StopSignals this program catches: one that was ignored when it started
// (`nohup`, the background jobs of a script) stays ignored.
volatile std::sig_atomic_t caught[std::size(StopSignals)] = {};

extern "C" void OnStopSignal(int signal_number) {
  if (stop_signal == 0) stop_signal = signal_number;
  // The next one ends the program at once, for a run that does not stop.
  for (std::size_t i = 0; i < std::size(StopSignals); ++i) {
    if (caught[i] != 0) std::signal(StopSignals[i], SIG_DFL);
  }
}

bool IgnoredNow(int signal_number) {
  struct sigaction current {};
  return sigaction(signal_number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

}  // namespace

void CatchStopSignals() {
  stop_signal = 0;  // a stop asked of an earlier run is forgotten
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;  // writes and reads in progress carry on
  for (std::size_t i = 0; i < std::size(StopSignals); ++i) {
    if (caught[i] == 0 && IgnoredNow(StopSignals[i])) continue;
    caught[i] = 1;
    sigaction(StopSignals[i], &action, nullptr);
  }
  std::signal(SIGPIPE, SIG_IGN);
}

bool StopRequested() { return stop_signal != 0; }

void RequestStop(int signal_number) {
  if (stop_signal == 0) stop_signal = signal_number;
}

int StopSignal() { return stop_signal; }

std::string StopCause() {
  switch (stop_signal) {
    case SIGINT: return "Ctrl-C";
    case SIGTERM: return "SIGTERM";
    case SIGHUP: return "SIGHUP";
    case SIGPIPE: return "SIGPIPE";
    default: return "signal " + std::to_string(stop_signal);
  }
}

int StoppedStatus() { return 128 + stop_signal; }

}  // namespace bruso
