#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "session/experiment_plan.h"
#include "session/experiment_record.h"
#include "session/shared_state.h"

namespace bruso {

// A running experiment session: presents the hands of the open shoe in the plan's order,
// each set up as Next Hand sets a hand up, with its first mover to move; takes the person's
// clicks and the artificial partner's moves through manual play and Artificial Move Play;
// ends a hand when 2H reaches the Target or after the plan's move limit; and records each
// finished hand (see ExperimentRecord). The recorded line holds the letters as the replay
// counts them: a refused Target swap stays in it as T. A click that is no move (a keeper's
// own card) goes only into the moves table. Stopping before a hand ends records nothing of
// that hand.
class ExperimentSession {
 public:
  // Milliseconds on a clock that never goes back.
  using Clock = std::function<std::int64_t()>;
  static std::int64_t MonotonicMs();

  // Opens the record (throws IoError) and sets the first hand up. The plan must have been
  // checked with PlanProblem.
  ExperimentSession(SharedState& state, ExperimentPlan plan, std::string iso_date, Clock clock = MonotonicMs);

  const ExperimentPlan& Plan() const { return plan_; }
  // The hand being played, from 1, and the number of hands.
  int HandOrdinal() const { return next_; }
  int HandCount() const { return static_cast<int>(order_.size()); }
  // The role to move at the position shown, and who plays it.
  char RoleToMove() const;
  Player ToMove() const { return PlayerOf(plan_, RoleToMove()); }
  int LettersLeft() const { return plan_.moveLimit - attempts_; }
  bool HandSolved() const;
  // The hand is over (solved or at its move limit) and recorded; NextHand goes on.
  bool HandOver() const { return handOver_; }
  bool LastHand() const { return next_ >= HandCount(); }
  int HandsRecorded() const { return record_.HandsWritten(); }
  // The clicks of the hands recorded so far.
  const std::vector<SessionClick>& RecordedClicks() const { return recordedClicks_; }

  // A click of the person: a move letter (C, U, N, T, P), or the position of a keeper's
  // card ("CK", "NK"). Ignored unless a person is to move in a hand not over.
  void PersonClick(const std::string& clicked);
  // The artificial partner's move, when it is to move in a hand not over.
  void PartnerMove();
  // Sets the next hand up; false when every hand has been played.
  bool NextHand();
  // Closes the record files, and lists the recorded lines of the hand shown again. Throws
  // IoError.
  void Close();

 private:
  void SetUpHand();
  // Adds the row of a click made at `now` by the player of `role`; a move letter also goes
  // into the line and counts towards the limit.
  void Record(char role, const std::string& clicked, bool played, Player mover, std::int64_t now);
  void EndHandIfOver();

  SharedState& state_;
  ExperimentPlan plan_;
  std::string infoLine_;
  Clock clock_;
  ExperimentRecord record_;
  std::vector<int> order_;
  int next_ = 0;  // the hands set up so far
  SessionHand hand_;
  std::vector<SessionClick> recordedClicks_;
  int attempts_ = 0;
  bool handOver_ = false;
  std::int64_t handShownAt_ = 0;
  std::int64_t positionShownAt_ = 0;
};

}  // namespace bruso
