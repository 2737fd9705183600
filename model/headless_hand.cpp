#include "model/headless_hand.h"

#include "engine/hand_buffer.h"
#include "model/compiled_line.h"

namespace bruso {

HeadlessHand::HeadlessHand(const Fhand& hand) : firstRole_(hand.FirstRole == "CK" ? RoleCK : RoleNK) {
  moves_.Init(nullptr, &tree_, nullptr);
  score_.Init(nullptr, &tree_, &moves_, nullptr);
  score_.SetTraceStream(nullptr);
  HandBuffer buffer;
  buffer.WriteHandText(hand.HandText);
  SqueezeBlanks(buffer);
  Board board;
  BoardFromText(board, buffer);
  tree_.AddChild(current_, board);
  root_ = current_;
}

HeadlessHand::~HeadlessHand() { tree_.DeleteTree(current_, root_); }

void HeadlessHand::BackToRoot() {
  tree_.GoTop(current_);
  tree_.DeleteBelow(current_, root_);
  root_->mark = BlankMark;
  root_->move = ' ';
  root_->role = firstRole_;
}

bool HeadlessHand::Replay(std::string_view line, const AnalysisSettings& settings, Random& random,
                          ReplayObserver& observer) {
  BackToRoot();
  HandBuffer buffer;
  buffer.WriteMoveString(line);
  score_.SetReplayObserver(&observer);
  const bool usable = score_.LowExplGame(current_, root_, buffer, scratch_, settings, random);
  score_.SetReplayObserver(nullptr);
  return usable;
}

bool HeadlessHand::Follow(std::string_view line, const AnalysisSettings& settings, const AttemptVisitor& attempt) {
  BackToRoot();
  HandBuffer buffer;
  buffer.WriteMoveString(line);
  if (!IsMoveLetter(buffer[1])) return false;  // the replay tests the second character
  int index = 0;
  do {
    const char stored = buffer[index];
    if (!IsMoveLetter(stored) || UpChar(stored) == MoveQuit) break;
    if (attempt) attempt(*current_, UpChar(stored));
    moves_.ApplyMove(current_, scratch_, UpChar(stored));
    ++index;
  } while (current_->TargetCard() != settings.KeyCardsB[2] && index < MaxReplayMoves);
  return true;
}

int HeadlessHand::MovesToLastPosition() const {
  int moves = 0;
  for (const TreeNode* node = current_; node != root_; node = node->parent) ++moves;
  return moves;
}

std::string HeadlessHand::Play(const AnalysisSettings& settings, double lapse, Random& random) {
  BackToRoot();
  SeededChance chance(random);
  std::string letters;
  while (static_cast<int>(letters.size()) < MaxLineLetters && current_->TargetCard() != settings.KeyCardsB[2]) {
    score_.AnalysePosition(*current_, settings, chance);
    char move = score_.SuggestedMove();
    const bool lapses = random.Next() < lapse;
    if (lapses || score_.SuggestedBranch() == MoveBranch::None) {
      move = MoveLetters[static_cast<std::size_t>(random.Next() * MoveCount)];
    }
    letters += move;
    moves_.ApplyMove(current_, scratch_, move);  // a refused T keeps the position
  }
  if (letters.size() == 1) letters += MoveQuit;
  return letters;
}

}  // namespace bruso
