#include "analysis/score.h"

#include "engine/move_engine.h"

namespace bruso {

bool Score::LowExplGame(TreeNode*& current, TreeNode*& root, const HandBuffer& buffer, Board& scratch,
                        const AnalysisSettings& settings, Random& random) {
  // The string is tested at its second character, not its first.
  if (!IsMoveLetter(buffer[1])) {
    if (channel_ != nullptr) channel_->AddLine("It is false that the string is usable");
    return false;
  }
  tree_->GoTop(current);
  root = current;
  tree_->DeleteBelow(current, root);

  SeededChance chance(random, &replayDecisions_);
  int index = 0;
  do {
    replayDecisions_.clear();
    AnalysePosition(*current, settings, chance);
    const char stored = buffer[index];
    const char letter = UpChar(stored);
    // The NUL that ends the string shows nothing.
    if (stored != '\0') AddTrace(std::string{letter, ' '});
    const bool ends = !IsMoveLetter(stored) || letter == MoveQuit;
    ReportPosition(*current, ends ? '\0' : letter);
    if (ends) return true;
    moves_->ApplyMove(current, scratch, letter);  // a refused T leaves the position for the next letter
    ++index;
  } while (current->TargetCard() != settings.KeyCardsB[2] && index < MaxReplayMoves);
  return true;
}

void Score::ReportPosition(const TreeNode& node, char recorded) {
  if (observer_ == nullptr) return;
  const bool suggested = suggestedBranch_ != MoveBranch::None;
  observer_->PositionAnalysed({.role = node.role, .suggested = suggested ? suggestedMove_ : '\0',
                               .branch = suggestedBranch_, .recorded = recorded, .node = &node,
                               .lookedFor = lookedForCard_, .decisions = replayDecisions_});
}

}  // namespace bruso
