#include "session/response_times.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <utility>

namespace bruso {

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

std::vector<ResponseTimes> ResponseTimesOf(const std::vector<SessionClick>& clicks) {
  std::map<std::pair<int, char>, std::vector<double>> times;
  for (const SessionClick& click : clicks) {
    if (click.mover != Player::Person || click.letter.size() != 1) continue;
    times[{click.move, click.role}].push_back(static_cast<double>(click.ms));
  }
  std::vector<ResponseTimes> rows;
  for (const auto& [place, ms] : times) {
    const double sum = std::accumulate(ms.begin(), ms.end(), 0.0);
    rows.push_back({.move = place.first,
                    .role = place.second,
                    .clicks = static_cast<int>(ms.size()),
                    .medianMs = Median(ms),
                    .meanMs = sum / static_cast<double>(ms.size())});
  }
  return rows;
}

}  // namespace bruso
