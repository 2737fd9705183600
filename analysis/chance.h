#pragma once

#include "engine/random.h"

namespace bruso {

// The analysis's card rule numbers run from 1 to 10 (p1 to p10); the coin of an exploring
// move has none.
inline constexpr int CardRuleCount = 10;

// Every random decision of the hand analysis, asked for by what it decides. A seeded run
// answers from the generator; the exact likelihood answers every way in turn, weighing
// each answer with its probability.
class Chance {
 public:
  virtual ~Chance() = default;
  // Card rule `rule` (1 to 10) with probability `p`: true when it gives its likely card.
  virtual bool TakesLikelyCard(int rule, double p) = 0;
  // The coin of an exploring move without a move to answer: true for N, false for C.
  virtual bool ExploresN() = 0;
};

// The generator's answers: one draw per decision, r < p for the likely card, r >= 0.5 for
// N, so that a seeded run repeats what it always gave.
class SeededChance final : public Chance {
 public:
  explicit SeededChance(Random& random) : random_(random) {}
  bool TakesLikelyCard(int, double p) override { return Draw() < p; }
  bool ExploresN() override { return Draw() >= 0.5; }
  // How many decisions it has answered.
  long long draws() const { return draws_; }

 private:
  double Draw() {
    ++draws_;
    return random_.Next();
  }

  Random& random_;
  long long draws_ = 0;
};

}  // namespace bruso
