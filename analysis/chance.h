#pragma once

#include <vector>

#include "engine/random.h"

namespace bruso {

// The analysis's card rule numbers run from 1 to 10 (p1 to p10); the coin of an exploring
// move has none.
inline constexpr int CardRuleCount = 10;

// One decision of chance and the answer an outcome gave it: a card rule (1 to 10) or the
// coin of an exploring move (rule 0, true for N).
struct Decision {
  int rule = 0;
  bool answer = false;
};

inline constexpr int CoinDecision = 0;

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
// N, so that a seeded run repeats what it always gave. Given a list, it adds each decision
// with its answer to it.
class SeededChance final : public Chance {
 public:
  explicit SeededChance(Random& random, std::vector<Decision>* record = nullptr) : random_(random), record_(record) {}
  bool TakesLikelyCard(int rule, double p) override { return Recorded(rule, random_.Next() < p); }
  bool ExploresN() override { return Recorded(CoinDecision, random_.Next() >= 0.5); }

 private:
  bool Recorded(int rule, bool answer) {
    if (record_ != nullptr) record_->push_back({rule, answer});
    return answer;
  }

  Random& random_;
  std::vector<Decision>* record_;
};

}  // namespace bruso
