#include "players/rule_chances.h"

namespace bruso {

namespace {

void Add(LetterChances& chances, char letter, double chance) {
  const int index = MoveIndex(letter);
  if (index < 0) chances.other += chance;
  else chances.move[index] += chance;
}

}  // namespace

LetterChances ChancesOfSteps(std::span<const RuleIndex::Step> steps) {
  LetterChances chances;
  // A step wins when it is taken and no later step is: from the last step back, each takes
  // its share of the chance that no later step was taken. Halves are exact in binary.
  double untaken = 1;
  for (auto step = steps.rbegin(); step != steps.rend() && untaken > 0; ++step) {
    const double share = step->tie ? untaken / 2 : untaken;
    Add(chances, step->letter, share);
    untaken -= share;
  }
  Add(chances, MoveC, untaken / 2);
  Add(chances, MoveN, untaken / 2);
  return chances;
}

LetterChances RuleChances(const RuleSet& rules, std::string_view history) {
  return ChancesOfSteps(RuleIndexOf(rules).StepsFor(history));
}

}  // namespace bruso
