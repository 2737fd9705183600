#include "python/interruption.h"

#include <csignal>

#include "tools/stop_signals.h"

namespace bruso {

namespace {

constexpr int CaughtSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

}  // namespace

Interruption::Interruption() {
  // CatchStopSignals is what clears the stop flag; the handlers it installs are taken back
  // at once, so that Ctrl-C stays Python's.
  struct sigaction kept[std::size(CaughtSignals)];
  for (std::size_t i = 0; i < std::size(CaughtSignals); ++i) sigaction(CaughtSignals[i], nullptr, &kept[i]);
  CatchStopSignals();
  for (std::size_t i = 0; i < std::size(CaughtSignals); ++i) sigaction(CaughtSignals[i], &kept[i], nullptr);
}

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
