#include "tools/progress_line.h"

#include <unistd.h>

namespace bruso {

ProgressLine::ProgressLine(long long total, const char* unit, std::FILE* stream)
    : total_(total),
      unit_(unit),
      stream_(stream),
      enabled_(::isatty(::fileno(stream)) != 0),
      start_(Clock::now()),
      last_draw_(start_) {}

std::string ProgressLine::Format(long long done, long long total, const char* unit, double seconds) {
  const double rate = seconds > 0 ? done / seconds : 0;
  const double left = rate > 0 ? (total - done) / rate : 0;
  char line[160];
  std::snprintf(line, sizeof line, "%lld/%lld %s  %.0f %s/s  %.0f s left", done, total, unit, rate,
                unit, left);
  return line;
}

void ProgressLine::Update(long long done) {
  if (!enabled_) return;
  const Clock::time_point now = Clock::now();
  if (now - start_ < std::chrono::seconds(1) || now - last_draw_ < std::chrono::milliseconds(100)) return;
  last_draw_ = now;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  std::fprintf(stream_, "\r%s\033[K", Format(done, total_, unit_, seconds).c_str());
  std::fflush(stream_);
  drawn_ = true;
}

void ProgressLine::Finish() {
  if (!drawn_) return;
  std::fputs("\r\033[K", stream_);
  std::fflush(stream_);
  drawn_ = false;
}

}  // namespace bruso
