#pragma once

#include <optional>
#include <string_view>

#include <pybind11/pybind11.h>

#include "engine/output_channel.h"

namespace bruso {

// Ctrl-C in Python during a long call that runs without the GIL. Python's own handler
// only notes the signal; Check takes the GIL for a moment to let Python run it, and when it
// raises (KeyboardInterrupt) asks the run to stop after the unit of work in progress, as a
// stop signal asks bruso-batch. As the output window of a run it checks at every line it
// is sent, and otherwise swallows them.
class Interruption : public TextSink {
 public:
  // Forgets any stop asked of an earlier run; Python keeps its signal handlers.
  Interruption();

  // False once interrupted: the run should stop. Call without the GIL.
  bool Check();
  void AppendLine(std::string_view) override { Check(); }

  bool interrupted() const { return error_.has_value(); }

  // Raises the interruption in Python, if there was one. Call with the GIL.
  void RaiseIfInterrupted();

 private:
  std::optional<pybind11::error_already_set> error_;
};

}  // namespace bruso
