#include "python/interruption.h"

#include <csignal>

#include "tools/stop_signals.h"

namespace bruso {

Interruption::Interruption() { ClearStopRequest(); }

bool Interruption::Check() {
  if (error_) return false;
  pybind11::gil_scoped_acquire gil;
  if (PyErr_CheckSignals() != 0) {
    error_.emplace();  // takes the pending exception
    RequestStop(SIGINT);
    return false;
  }
  return true;
}

void Interruption::RaiseIfInterrupted() {
  if (error_) {
    pybind11::error_already_set error = std::move(*error_);
    error_.reset();
    throw error;
  }
}

}  // namespace bruso
