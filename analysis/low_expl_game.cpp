#include "analysis/score.h"

#include "engine/move_engine.h"

namespace bruso {

void Score::LowExplGame(TreeNode*& current, TreeNode*& root, const HandBuffer& buffer, Board& scratch,
                        const AnalysisSettings& settings, Random& random) {
  // The string is tested at its second character, not its first.
  if (!IsMoveLetter(buffer[1])) {
    if (channel_ != nullptr) channel_->AddLine("It is false that the string is usable");
    return;
  }
  tree_->GoTop(current);
  root = current;
  tree_->DeleteBelow(current, root);

  int index = 0;
  do {
    AnalysePosition(*current, settings, random);
    const char stored = buffer[index];
    const char letter = UpChar(stored);
    // The NUL that ends the string shows nothing.
    if (stored != '\0') AddTrace(std::string{letter, ' '});
    if (!IsMoveLetter(stored) || letter == MoveQuit) return;
    moves_->ApplyMove(current, scratch, letter);  // a refused T leaves the position for the next letter
    ++index;
  } while (current->TargetCard() != settings.KeyCardsB[2] && index < MaxReplayMoves);
}

}  // namespace bruso
