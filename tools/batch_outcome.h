#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>

#include "session/summary.h"

namespace bruso {

// How a batch run ended: done, stopped (by a signal or a closed standard output, see
// stop_signals.h), or cut short by a file that could not be written. It gives the line of
// the summary that says so and the exit status.
class BatchOutcome {
 public:
  // Runs one step of the run or of its end. An IoError is reported on standard error and
  // kept (the first one) so that the summary says the run did not complete; the caller
  // goes on with the next step, so that every file is still closed. A failure told before
  // (a file that failed in the run fails again when it is closed) is not told again.
  void Step(const std::function<void()>& step);
  // A failure already reported (by the run's own message box, say).
  void Failed(const std::string& message);

  bool failed() const { return failure_.has_value(); }

  // "stopped by SIGTERM: after 12 of 40 lines" or "not complete: Disk full: standard
  // output"; nothing for a run that ended normally.
  void AddTo(Summary& summary, long long done, long long total, const std::string& unit) const;

  // 1 after a failure, 128 + the signal after a stop, 0 otherwise.
  int ExitStatus() const;

 private:
  std::optional<std::string> failure_;
  std::set<std::string> told_;
};

}  // namespace bruso
