#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "analysis/chance.h"

namespace bruso {

// Answers every way in turn. Run the analysis once per outcome:
//
//   EnumeratingChance chance;
//   do { analyse with chance; use chance.decisions(); } while (chance.NextOutcome());
//
// Each run repeats the answers of the run before up to its last "false", answers that one
// "true" instead, and answers "false" to every decision after it, so that the runs together
// follow every sequence of answers the analysis can ask for, each exactly once.
class EnumeratingChance final : public Chance {
 public:
  bool TakesLikelyCard(int rule, double) override { return Answer(rule); }
  bool ExploresN() override { return Answer(CoinDecision); }

  // The decisions of the run that has just ended, in the order they were asked for.
  const std::vector<Decision>& decisions() const { return decisions_; }
  // Sets up the next outcome; false when every outcome has been run.
  bool NextOutcome();
  // Whether the next run would answer as `run`, all the answers of one run of the same
  // position; if so, Skip(run) stands for that run, as if it had just ended.
  bool NextRunIs(std::span<const Decision> run) const;
  void Skip(std::span<const Decision> run);

 private:
  bool Answer(int rule);

  std::vector<Decision> decisions_;
  std::size_t asked_ = 0;
};

}  // namespace bruso
