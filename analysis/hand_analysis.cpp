#include "analysis/score.h"

#include "engine/move_engine.h"

namespace bruso {

void Score::AnalysePosition(TreeNode& node, const AnalysisSettings& settings, Chance& chance) {
  lookedForCard_ = NoCard;
  readMarkBack_ = false;
  suggestedBranch_ = MoveBranch::None;  // SuggestedMove itself keeps its value
  char strategy = StrategyEgoist;
  const KeyCards& a = settings.KeyCardsA;
  const KeyCards& b = settings.KeyCardsB;
  const std::string_view target = node.TargetCard();

  // CK can finish: the Target is of the goal card's suit.
  if (!SameCard(target, b[2]) && (SameCard(target, b[3]) || SameCard(target, b[4]))) {
    if (node.role == RoleNK) NonFinishingTurn(strategy, node, settings, chance);
    else if (node.role == RoleCK) FinishingTurn(strategy, node, settings, chance);
  }
  // NK can finish: the Target is of the goal card's number.
  if (SameCard(target, a[2])) {
    if (node.role == RoleNK) FinishingTurn(strategy, node, settings, chance);
    else if (node.role == RoleCK) NonFinishingTurn(strategy, node, settings, chance);
  }
  // Neither can finish on this Target: a plan of two steps is needed.
  if (!SameCard(target, a[4]) && !SameCard(target, a[3])) return;
  const int m = SameCard(target, a[3]) ? 3 : 4;
  if (node.role == RoleNK) TwoStepNK(strategy, node, m, settings, chance);
  else if (node.role == RoleCK) TwoStepCK(strategy, node, m, settings, chance);
}

// The player who can finish looks for the goal card, keeping it for itself or, with
// altruism on, as the cooperative player.
void Score::FinishingTurn(char& strategy, TreeNode& node, const AnalysisSettings& settings, Chance& chance) {
  const std::string_view goal = settings.KeyCardsB[2];
  lookedForCard_ = goal;
  if (settings.AltruismSwitch == 1) strategy = StrategyCooperative;
  SearchMove(strategy, node, goal, settings, chance);
}

// The player who cannot finish hands the goal card on as an altruist, or steps aside.
void Score::NonFinishingTurn(char& strategy, TreeNode& node, const AnalysisSettings& settings,
                             Chance& chance) {
  const std::string_view goal = settings.KeyCardsB[2];
  lookedForCard_ = goal;
  if (settings.AltruismSwitch == 1) {
    strategy = StrategyAltruist;
    SearchMove(strategy, node, goal, settings, chance);
  } else {
    StepAside(node, goal);
  }
}

// NK on A[m]: either it puts B[m] onto the Target and hands the goal card over, or it
// takes the goal card and hands A[2] over.
void Score::TwoStepNK(char strategy, TreeNode& node, int m, const AnalysisSettings& settings, Chance& chance) {
  const KeyCards& a = settings.KeyCardsA;
  const KeyCards& b = settings.KeyCardsB;
  Plan plan;
  const bool decided = settings.ConflictMode == 1 &&
                       PlanFromConflict(ScoreConflictNK(node, m, settings), {b[m], b[2]}, {b[2], a[2]}, node, plan);
  if (!decided) {
    plan.card = ChooseCardNK(node, m, settings, chance);
    plan.handOver = SameCard(plan.card, b[m]) ? b[2] : SameCard(plan.card, b[2]) ? a[2] : NoCard;
  }
  FollowPlan(strategy, node, plan, true, settings, chance);
}

// CK on A[m]: either it looks for the goal card and hands B[m] over, or it puts A[2] onto
// the Target for NK and hands the goal card over.
void Score::TwoStepCK(char strategy, TreeNode& node, int m, const AnalysisSettings& settings, Chance& chance) {
  const KeyCards& a = settings.KeyCardsA;
  const KeyCards& b = settings.KeyCardsB;
  Plan plan;
  const bool decided = settings.ConflictMode == 1 &&
                       PlanFromConflict(ScoreConflictCK(node, m, settings), {b[2], b[m]}, {a[2], b[2]}, node, plan);
  if (!decided) {
    plan.card = ChooseCardCK(node, m, settings, chance);
    // The goal card is offered against B[4], whatever m is.
    plan.handOver = SameCard(plan.card, a[2]) ? b[2] : SameCard(plan.card, b[2]) ? b[4] : NoCard;
  }
  FollowPlan(strategy, node, plan, false, settings, chance);
}

// A verdict of 0 or 1 decides the plan. Without one (" M ") the player keeps the plan of
// its previous turn, when it had one; false leaves the plan to the card rules.
bool Score::PlanFromConflict(double score, Plan if_zero, Plan if_one, const TreeNode& node, Plan& plan) {
  if (score == 0) {
    plan = if_zero;
    return true;
  }
  if (score == 1) {
    plan = if_one;
    return true;
  }
  AddTrace(" M ");
  const TreeNode* own_turn_before = Grandparent(node);
  if (own_turn_before == nullptr) return false;
  readMarkBack_ = true;
  const std::string_view previous{own_turn_before->mark.data(), own_turn_before->mark.size()};
  if (SameCard(previous, NoCard)) return false;
  plan.card = previous;
  return true;
}

// With altruism on, a player that holds the card to hand over puts it on UP (the node's
// mark stays); otherwise it searches for the plan card.
void Score::FollowPlan(char strategy, TreeNode& node, const Plan& plan, bool announce_altruist,
                       const AnalysisSettings& settings, Chance& chance) {
  lookedForCard_ = plan.card;
  if (SameCard(KeeperCard(node), plan.handOver) && settings.AltruismSwitch == 1) {
    Suggest(MoveUp, MoveBranch::HandOver);
    if (announce_altruist) AddTraceWhen(settings.Tracing(), "Altruiste ");
    AnnounceLookFor(node, lookedForCard_, settings.AnalysisMode);
  } else {
    SearchMove(strategy, node, lookedForCard_, settings, chance);
  }
}

}  // namespace bruso
