#include "analysis/chance_enumerator.h"

#include <cassert>

namespace bruso {

bool EnumeratingChance::Answer(int rule) {
  if (asked_ < decisions_.size()) {
    // The same position asks the same decisions in the same order until an answer differs.
    assert(decisions_[asked_].rule == rule);
    return decisions_[asked_++].answer;
  }
  decisions_.push_back({rule, false});
  ++asked_;
  return false;
}

bool EnumeratingChance::NextOutcome() {
  decisions_.resize(asked_);
  asked_ = 0;
  while (!decisions_.empty() && decisions_.back().answer) decisions_.pop_back();
  if (decisions_.empty()) return false;
  decisions_.back().answer = true;
  return true;
}

}  // namespace bruso
