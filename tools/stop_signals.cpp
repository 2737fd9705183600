#include "tools/stop_signals.h"

#include <csignal>

namespace bruso {

namespace {

constexpr int StopSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t stop_signal = 0;

extern "C" void OnStopSignal(int signal_number) {
  if (stop_signal == 0) stop_signal = signal_number;
  // The next one ends the program at once, for a run that does not stop.
  for (int each : StopSignals) std::signal(each, SIG_DFL);
}

}  // namespace

void ClearStopRequest() { stop_signal = 0; }

void CatchStopSignals() {
  ClearStopRequest();
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;  // writes and reads in progress carry on
  for (int each : StopSignals) sigaction(each, &action, nullptr);
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
