#include "analysis/score.h"

#include <span>

namespace bruso {

namespace {

// One card rule: when `cell` holds `card`, a draw below probability `p` gives `likely`,
// any other draw `unlikely`.
struct CardRule {
  Position cell;
  std::string_view card;
  std::string_view likely;
  std::string_view unlikely;
  int p;
};

// The first rule that holds decides, with one draw; none holding draws nothing.
std::string_view FirstRuleThatHolds(const TreeNode& node, std::span<const CardRule> rules,
                                    const ProbTable& probabilities, Chance& chance) {
  for (const CardRule& rule : rules) {
    if (!SameCard(node.board.Cell(rule.cell), rule.card)) continue;
    return chance.TakesLikelyCard(rule.p, probabilities[rule.p]) ? rule.likely : rule.unlikely;
  }
  return NoCard;
}

// Whether the card rules of the role apply: its turn, on the two-step Target A[m].
bool OnTwoStepTarget(const TreeNode& node, char role, int m, const AnalysisSettings& settings) {
  return node.role == role && SameCard(node.TargetCard(), settings.KeyCardsA[m]);
}

}  // namespace

// NK weighs putting B[m] onto the Target (a card of its number) against taking the goal card.
std::string_view Score::ChooseCardNK(const TreeNode& node, int m, const AnalysisSettings& settings,
                                     Chance& chance) {
  if (!OnTwoStepTarget(node, RoleNK, m, settings)) return NoCard;
  const KeyCards& b = settings.KeyCardsB;
  const CardRule rules[] = {
      {Position::NK, b[m], b[m], b[2], 1},
      {Position::UP, b[m], b[m], b[2], 2},
      {Position::NK, b[2], b[2], b[m], 3},
      {Position::UP, b[2], b[2], b[m], 4},
  };
  return FirstRuleThatHolds(node, rules, settings.ProbTable, chance);
}

// CK weighs putting A[2] onto the Target for NK against taking the goal card; holding A[3]
// it may look for that card (entry 3 whatever m is).
std::string_view Score::ChooseCardCK(const TreeNode& node, int m, const AnalysisSettings& settings,
                                     Chance& chance) {
  if (!OnTwoStepTarget(node, RoleCK, m, settings)) return NoCard;
  const KeyCards& a = settings.KeyCardsA;
  const KeyCards& b = settings.KeyCardsB;
  const CardRule rules[] = {
      {Position::CK, a[2], a[2], b[2], 5},
      {Position::UP, a[2], a[2], b[2], 6},
      {Position::CK, b[2], b[2], a[2], 7},
      {Position::UP, b[2], b[2], a[2], 8},
      {Position::CK, a[3], a[3], NoCard, 9},
      {Position::UP, a[3], a[3], NoCard, 10},
  };
  return FirstRuleThatHolds(node, rules, settings.ProbTable, chance);
}

}  // namespace bruso
