#include "model/game_state.h"

#include <functional>

#include "engine/hand_buffer.h"
#include "model/headless_hand.h"
#include "model/line_compiler.h"
#include "players/history.h"

namespace bruso {

namespace {

// A line that the replay reads as ending right after the attempts: it tests the second
// character, and a Q ends the line.
std::string LineEndingAfter(const std::string& attempts) { return attempts + "QQ"; }

// Follows the attempts from the hand's opening position and shows `use` where they lead.
void AtPosition(const GameState& state, const std::function<void(const HeadlessHand&)>& use) {
  HeadlessHand headless(state.hand());
  headless.Follow(LineEndingAfter(state.attempts()), AnalysisSettings{});
  use(headless);
}

}  // namespace

std::optional<Board> BoardOfHandText(const std::string& text) {
  HandBuffer buffer;
  buffer.WriteHandText(text);
  SqueezeBlanks(buffer);
  for (int i = 1; i <= BoardLength; ++i) {
    if (buffer[i] == ' ' || buffer[i] == '\0') return std::nullopt;
  }
  Board board;
  BoardFromText(board, buffer);
  return board;
}

GameState::GameState(Fhand hand, std::string attempts) : hand_(std::move(hand)), attempts_(std::move(attempts)) {
  hand_.MoveLines.clear();
}

Board GameState::board() const {
  Board board;
  AtPosition(*this, [&](const HeadlessHand& at) { board = at.LastPosition().board; });
  return board;
}

char GameState::role() const {
  char role = RoleCK;
  AtPosition(*this, [&](const HeadlessHand& at) { role = at.LastPosition().role; });
  return role;
}

std::string GameState::history() const {
  std::string history;
  AtPosition(*this, [&](const HeadlessHand& at) { HiStory(&at.LastPosition(), history); });
  return history;
}

int GameState::moves() const {
  int moves = 0;
  AtPosition(*this, [&](const HeadlessHand& at) { moves = at.MovesToLastPosition(); });
  return moves;
}

bool GameState::solved() const { return board().Cell(Position::T) == TargetCardCode; }

bool GameState::open() const { return static_cast<int>(attempts_.size()) < MaxReplayMoves && !solved(); }

std::string GameState::LegalMoves() const {
  if (!open()) return {};
  bool target = false;
  AtPosition(*this, [&](const HeadlessHand& at) { target = typogr::TargetMatch(at.LastPosition()); });
  std::string legal;
  for (char move : MoveLetters) {
    if (move != MoveTarget || target) legal += move;
  }
  return legal;
}

bool GameState::CanAttempt(char letter) const { return MoveIndex(letter) >= 0 && open(); }

GameState GameState::Attempted(char letter) const { return GameState(hand_, attempts_ + letter); }

PositionChances GameState::ModelChances(const AnalysisSettings& settings, double lapse) const {
  // A pass played from here makes this position the last one of the line; its chances do
  // not depend on the move played from it.
  HeadlessHand headless(hand_);
  LineCompiler compiler(settings);
  Random random;  // the seeded replay's own draws do not reach the compiled line
  compiler.LineStarted();
  headless.Replay(attempts_ + MovePass + MoveQuit, settings, random, compiler);
  std::vector<PositionChances> chances;
  ScoreLine(compiler.TakeLine(), {.probabilities = settings.ProbTable, .lapse = lapse}, &chances);
  return chances.empty() ? PositionChances{} : chances.back();
}

LetterChances GameState::RuleChancesHere(const RulePlayer& player) const {
  LetterChances chances;
  AtPosition(*this, [&](const HeadlessHand& at) { chances = RuleChancesAt(player, at.LastPosition()); });
  return chances;
}

}  // namespace bruso
