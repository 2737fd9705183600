#pragma once

#include <span>
#include <string_view>

#include "analysis/chance.h"

namespace bruso {

struct TreeNode;

// The branch of the move choice that chose the suggested move.
enum class MoveBranch {
  None,        // the analysis chose no move
  CardAtHand,  // the card lies in the keeper cell or on UP: play it, wait, take it or pass it on
  Search,      // the card lies elsewhere: fetch it, wait for the partner who holds it, or explore
  StepAside,   // the player who cannot finish gives the goal card up, or passes
  HandOver,    // with altruism on, the player puts the card its partner needs on UP
};

// One position of a replay as the analysis saw it: who was to move, the move the model
// suggested there and the letter the recorded string plays from it.
struct AnalysedPosition {
  char role = ' ';
  char suggested = '\0';  // '\0': the analysis of this position chose no move
  MoveBranch branch = MoveBranch::None;
  // The move letter the replay takes next; '\0' when the string ends here (its end, Q, or
  // a character that is no move letter).
  char recorded = '\0';
  // The position itself and the card the analysis looked for there ("##" for none): valid
  // only during the call that reports them.
  const TreeNode* node = nullptr;
  std::string_view lookedFor;
  // What the analysis asked chance here, with the answers it got (none: the position has
  // one outcome, the one reported); valid only during the call.
  std::span<const Decision> decisions;
};

// Watches a replay position by position, for statistics on how well the model follows
// the players. It only looks: the replay and what it writes stay the same.
class ReplayObserver {
 public:
  virtual ~ReplayObserver() = default;
  virtual void PositionAnalysed(const AnalysedPosition& position) = 0;
};

// Tells two observers about every position, the first first.
class ObserverPair : public ReplayObserver {
 public:
  ObserverPair(ReplayObserver& first, ReplayObserver& second) : first_(first), second_(second) {}
  void PositionAnalysed(const AnalysedPosition& position) override {
    first_.PositionAnalysed(position);
    second_.PositionAnalysed(position);
  }

 private:
  ReplayObserver& first_;
  ReplayObserver& second_;
};

}  // namespace bruso
