#pragma once

#include <mutex>

#include "study/study_units.h"
#include "tools/progress_line.h"
#include "tools/stop_signals.h"

namespace bruso {

// The watch of a study run from the command line: it stops at a stop signal, and each
// unit done, on whatever thread, moves the progress line on. The line is cleared when this
// goes out of scope.
class StudyProgress {
 public:
  StudyProgress(long long total, const char* unit) : line_(total, unit) {}

  StudyWatch Watch() {
    return {.stopRequested = StopRequested, .unitDone = [this] {
              const std::lock_guard lock(drawing_);
              line_.Update(++done_);
            }};
  }

 private:
  ProgressLine line_;
  std::mutex drawing_;
  long long done_ = 0;
};

}  // namespace bruso
