#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace bruso {

// A progress line on standard error (done/total, rate, time left), redrawn in place.
// It shows only on a terminal and only once the run has taken more than a second, so
// that nothing of it reaches files or pipes.
class ProgressLine {
 public:
  using Clock = std::chrono::steady_clock;

  ProgressLine(long long total, const char* unit, std::FILE* stream = stderr);
  ~ProgressLine() { Finish(); }

  // Cheap enough to call after every unit of work: the line is redrawn at most ten times
  // a second.
  void Update(long long done);
  // Clears the line, if one was drawn.
  void Finish();

  // The text of the line, for the given progress and elapsed time.
  static std::string Format(long long done, long long total, const char* unit, double seconds);

 private:
  long long total_;
  const char* unit_;
  std::FILE* stream_;
  bool enabled_;
  bool drawn_ = false;
  Clock::time_point start_;
  Clock::time_point last_draw_;
};

}  // namespace bruso
