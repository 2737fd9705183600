#pragma once

#include <cstddef>
#include <functional>

namespace bruso {

// The most threads a study or a fit is spread over.
inline constexpr int MostJobs = 1024;

// What runs a study asks of its caller: whether to stop (asked before each unit; the units
// in progress end first) and when a unit is done (from the threads).
struct StudyWatch {
  std::function<bool()> stopRequested;
  std::function<void()> unitDone;
};

// Runs units 0 to total - 1 in order of their index, spread over `jobs` threads, each unit
// writing only its own result. Returns how many units were begun (all of them have ended):
// a stop leaves out the units after them.
std::size_t RunStudyUnits(std::size_t total, int jobs, const StudyWatch& watch,
                          const std::function<void(std::size_t unit)>& run);

}  // namespace bruso
