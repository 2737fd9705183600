#pragma once

#include <atomic>
#include <functional>
#include <optional>

#include <pybind11/pybind11.h>

namespace bruso {

// Ctrl-C in Python during one long call. Python's handler only notes the signal, and only
// the main thread may run it while the call's work goes on without the GIL. So a call made
// from the main thread runs its work in a thread of its own and looks for signals every few
// milliseconds meanwhile; when Python's handler raises (KeyboardInterrupt), the work is
// asked to stop after the unit in progress and the call raises that exception. Each call
// has its own: a Ctrl-C stops the main thread's call alone, never one that another thread
// is running, and an interrupted call never returns part of a result.
class Interruption {
 public:
  // Call with the GIL, in the thread that makes the call.
  Interruption();

  // Runs the work without the GIL. Raises the interruption when there was one, whatever the
  // work ended with; otherwise passes on what the work throws. Call with the GIL.
  void Run(const std::function<void()>& work);

  // False once the call is interrupted: the work should stop. From any thread.
  bool Check() const { return !stop_; }
  // Check as the core's loops ask it: true when they should stop.
  std::function<bool()> StopRequested() const {
    return [this] { return stop_.load(); };
  }

 private:
  bool inMainThread_ = false;
  std::atomic<bool> stop_{false};
  std::optional<pybind11::error_already_set> error_;
};

}  // namespace bruso
