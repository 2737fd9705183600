#include "python/interruption.h"

#include <chrono>
#include <future>

namespace bruso {

namespace {

// How often the main thread looks for a signal while the work runs: often enough that
// Ctrl-C stops a call at once, seldom enough that it costs nothing.
constexpr std::chrono::milliseconds LookEvery{20};

bool InMainThread() {
  const pybind11::module_ threading = pybind11::module_::import("threading");
  return threading.attr("current_thread")().is(threading.attr("main_thread")());
}

}  // namespace

Interruption::Interruption() : inMainThread_(InMainThread()) {}

void Interruption::Run(const std::function<void()>& work) {
  if (!inMainThread_) {
    pybind11::gil_scoped_release released;
    work();
    return;
  }
  std::future<void> done = std::async(std::launch::async, work);
  for (;;) {
    bool finished = false;
    {
      pybind11::gil_scoped_release released;
      finished = done.wait_for(LookEvery) == std::future_status::ready;
    }
    if (finished) break;
    if (!error_ && PyErr_CheckSignals() != 0) {
      error_.emplace();  // takes the pending exception
      stop_ = true;
    }
  }
  try {
    done.get();
  } catch (...) {
    if (!error_) throw;  // an interrupted run may end any way: the interruption is what counts
  }
  if (error_) {
    pybind11::error_already_set error = std::move(*error_);
    error_.reset();
    throw error;
  }
}

}  // namespace bruso
