#include "session/experiment_session.h"

#include <chrono>
#include <utility>

#include "engine/move_engine.h"
#include "session/artificial_play.h"
#include "session/move_marks.h"
#include "session/play_commands.h"
#include "session/shoe_commands.h"

namespace bruso {

namespace {

// The five letters a player may choose; anything else a rules file names is no move.
bool IsPlayerMove(const std::string& letter) {
  return letter.size() == 1 && std::string_view("CUNTP").find(letter[0]) != std::string_view::npos;
}

std::string HandLineOf(const Fhand& hand) { return hand.HandText + " " + hand.FirstRole; }

}  // namespace

std::int64_t ExperimentSession::MonotonicMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

ExperimentSession::ExperimentSession(SharedState& state, ExperimentPlan plan, std::string iso_date, Clock clock)
    : state_(state),
      plan_(std::move(plan)),
      infoLine_(SessionInfoLine(plan_, iso_date)),
      clock_(std::move(clock)),
      record_(plan_.recordFile, plan_.participant, plan_.condition),
      order_(PresentationOrder(static_cast<int>(state.HandList.size()), plan_.orderSeed)) {
  SetUpHand();
}

char ExperimentSession::RoleToMove() const { return state_.CurrentNode->role; }

bool ExperimentSession::HandSolved() const { return state_.CurrentNode->TargetCard() == TargetCardCode; }

void ExperimentSession::SetUpHand() {
  state_.HandIndex = order_[static_cast<std::size_t>(next_)];
  ++next_;
  state_.HandNumber = state_.HandIndex + 1;
  state_.view.handNumber = std::to_string(state_.HandNumber);
  state_.MoveString.clear();
  ShowHand(state_);
  // The lines others played on this hand are not for the player's eyes.
  state_.view.moveLines.clear();

  hand_ = SessionHand{.handLine = HandLineOf(*state_.CurrentHand), .infoLine = infoLine_, .letters = {}, .clicks = {}};
  attempts_ = 0;
  handOver_ = false;
  handShownAt_ = positionShownAt_ = clock_();
  EndHandIfOver();  // a hand that opens with 2H on the Target has nothing to play
}

void ExperimentSession::PersonClick(const std::string& clicked) {
  if (handOver_ || ToMove() != Player::Person) return;
  const char role = RoleToMove();
  const std::int64_t now = clock_();
  const TreeNode* before = state_.CurrentNode;
  if (IsPlayerMove(clicked)) PlayMove(state_, clicked[0]);
  Record(role, clicked, state_.CurrentNode != before, Player::Person, now);
}

void ExperimentSession::PartnerMove() {
  if (handOver_ || ToMove() != Player::Rules) return;
  const char role = RoleToMove();
  const std::int64_t now = clock_();
  const TreeNode* before = state_.CurrentNode;
  ArtificialMovePlay(state_);
  Record(role, std::string(1, state_.MoveChar), state_.CurrentNode != before, Player::Rules, now);
}

void ExperimentSession::Record(char role, const std::string& clicked, bool played, Player mover, std::int64_t now) {
  const bool move = IsPlayerMove(clicked);
  hand_.clicks.push_back({.move = static_cast<int>(hand_.letters.size()) + 1,
                          .role = role,
                          .letter = clicked,
                          .playable = played,
                          .ms = now - positionShownAt_,
                          .handMs = now - handShownAt_,
                          .mover = mover});
  if (move) hand_.letters += clicked;
  // Every attempt of the rules counts, so that rules that name no move still end the hand.
  if (move || mover == Player::Rules) ++attempts_;
  if (played) positionShownAt_ = clock_();

  // The move string shows the line as recorded, refused Target swaps included.
  state_.MoveString = hand_.letters;
  state_.MovePosition = static_cast<int>(hand_.letters.size());
  MarkPosition(state_);
  EndHandIfOver();
}

void ExperimentSession::EndHandIfOver() {
  if (handOver_ || (!HandSolved() && attempts_ < plan_.moveLimit)) return;
  handOver_ = true;
  record_.WriteHand(hand_);
  recordedClicks_.insert(recordedClicks_.end(), hand_.clicks.begin(), hand_.clicks.end());
}

void ExperimentSession::Close() {
  state_.view.moveLines = ListedMoveLines(*state_.CurrentHand);
  record_.Close();
}

bool ExperimentSession::NextHand() {
  if (!handOver_ || LastHand()) return false;
  SetUpHand();
  return true;
}

}  // namespace bruso
