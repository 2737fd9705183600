#include "python/interruption.h"

namespace bruso {

namespace {

// How often the thread of a call looks for a signal: often enough that Ctrl-C stops it at
// once, seldom enough that taking the GIL costs nothing.
constexpr std::chrono::milliseconds LookEvery{20};

bool InMainThread() {
  const pybind11::module_ threading = pybind11::module_::import("threading");
  return threading.attr("current_thread")().is(threading.attr("main_thread")());
}

}  // namespace

Interruption::Interruption() : inMainThread_(InMainThread()) {}

bool Interruption::Check() {
  if (interrupted_) return false;
  // Only the main thread runs Python's signal handlers; the threads a call starts have none.
  if (!inMainThread_ || std::this_thread::get_id() != caller_) return true;
  const auto now = std::chrono::steady_clock::now();
  if (now - lastLook_ < LookEvery) return true;
  lastLook_ = now;
  pybind11::gil_scoped_acquire gil;
  if (PyErr_CheckSignals() != 0) {
    error_.emplace();  // takes the pending exception
    interrupted_ = true;
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
