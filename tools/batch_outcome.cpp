#include "tools/batch_outcome.h"

#include <cstdio>

#include "engine/io_error.h"
#include "tools/stop_signals.h"

namespace bruso {

void BatchOutcome::Step(const std::function<void()>& step) {
  try {
    step();
  } catch (const IoError& error) {
    if (told_.count(error.what()) == 0) std::fprintf(stderr, "bruso-batch: %s\n", error.what());
    Failed(error.what());
  }
}

void BatchOutcome::Failed(const std::string& message) {
  if (!failure_) failure_ = message;
  told_.insert(message);
}

void BatchOutcome::AddTo(Summary& summary, long long done, long long total, const std::string& unit) const {
  if (failure_) {
    summary.Add("not complete", *failure_);
  } else if (StopRequested()) {
    summary.Add("stopped by " + StopCause(),
                "after " + std::to_string(done) + " of " + std::to_string(total) + " " + unit);
  }
}

int BatchOutcome::ExitStatus() const {
  if (failure_) return 1;
  return StopRequested() ? StoppedStatus() : 0;
}

}  // namespace bruso
