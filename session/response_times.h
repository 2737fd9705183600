#pragma once

#include <vector>

#include "session/experiment_record.h"

namespace bruso {

// The person's response times at one place of the lines, for one role.
struct ResponseTimes {
  int move = 0;   // the letter's place in the line, from 1
  char role = 'C';
  int clicks = 0;
  double medianMs = 0;
  double meanMs = 0;
};

// The times of the person's clicks that were letters of the line (a refused Target swap
// included; a click on a keeper's card is no letter), by place in the line and role, in
// that order. The artificial partner's waits are not response times and are left out.
std::vector<ResponseTimes> ResponseTimesOf(const std::vector<SessionClick>& clicks);

}  // namespace bruso
