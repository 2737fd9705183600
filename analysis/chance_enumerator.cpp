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

// The next run repeats the answers held and then answers "false" to every decision after them.
bool EnumeratingChance::NextRunIs(std::span<const Decision> run) const {
  if (run.size() < decisions_.size()) return false;
  for (std::size_t i = 0; i < run.size(); ++i) {
    if (run[i].answer != (i < decisions_.size() && decisions_[i].answer)) return false;
  }
  return true;
}

void EnumeratingChance::Skip(std::span<const Decision> run) {
  decisions_.assign(run.begin(), run.end());
  asked_ = decisions_.size();
}

}  // namespace bruso
