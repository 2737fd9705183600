#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string_view>
#include <thread>

#include <pybind11/pybind11.h>

#include "engine/output_channel.h"

namespace bruso {

// Ctrl-C in Python during one long call that runs without the GIL. Python's own handler
// only notes the signal, and only the main thread may run it: Check, in the thread of a
// call made from the main thread, takes the GIL now and then to let Python run it, and
// when it raises (KeyboardInterrupt) the call stops after the unit of work in progress.
// Each call has its own: a Ctrl-C stops the main thread's call alone, never one that
// another thread is running. As the output window of a run it checks at every line it is
// sent, and otherwise swallows them.
class Interruption : public TextSink {
 public:
  // Call with the GIL, in the thread that makes the call.
  Interruption();

  // False once interrupted: the run should stop. Call without the GIL, from any thread.
  bool Check();
  void AppendLine(std::string_view) override { Check(); }
  // Check as the core's loops ask it: true when they should stop.
  std::function<bool()> StopRequested() {
    return [this] { return !Check(); };
  }

  bool interrupted() const { return interrupted_; }

  // Raises the interruption in Python, if there was one. Call with the GIL.
  void RaiseIfInterrupted();

 private:
  const std::thread::id caller_ = std::this_thread::get_id();
  bool inMainThread_ = false;
  std::chrono::steady_clock::time_point lastLook_{};
  std::atomic<bool> interrupted_{false};
  std::optional<pybind11::error_already_set> error_;
};

}  // namespace bruso
