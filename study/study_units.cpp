#include "study/study_units.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace bruso {

std::size_t RunStudyUnits(std::size_t total, int jobs, const StudyWatch& watch,
                          const std::function<void(std::size_t unit)>& run) {
  std::atomic<std::size_t> next = 0;
  {
    std::vector<std::jthread> threads;
    for (int worker = 0; worker < std::max(1, jobs); ++worker) {
      threads.emplace_back([&] {
        for (;;) {
          if (watch.stopRequested && watch.stopRequested()) return;
          const std::size_t unit = next++;
          if (unit >= total) return;
          run(unit);
          if (watch.unitDone) watch.unitDone();
        }
      });
    }
  }
  return std::min(total, next.load());
}

}  // namespace bruso
