#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/board.h"
#include "model/line_likelihood.h"
#include "model/rule_player.h"
#include "shoe/shoe_file.h"

namespace bruso {

// The Board that a hand text sets up, as the replay reads it (blanks squeezed out); none
// when the text holds fewer than the twelve characters of six card codes.
std::optional<Board> BoardOfHandText(const std::string& text);

// A position of a hand: its opening Board and first mover, and the letters attempted from
// the opening position to reach it, as a recorded line holds them (a refused Target swap
// is an attempt that stays at its position). Every question is answered by following the
// letters as the classify replay does, so the answers are the replay's.
class GameState {
 public:
  // The opening position of the hand, its first mover to move.
  explicit GameState(Fhand hand, std::string attempts = {});

  const Fhand& hand() const { return hand_; }
  const std::string& attempts() const { return attempts_; }

  Board board() const;
  char role() const;             // RoleCK or RoleNK, the role to move
  std::string history() const;   // the history string the rules read
  int moves() const;             // the moves made, refused attempts left out
  bool solved() const;           // 2H lies on the Target
  // Whether a further letter can be attempted: not solved, and the line not yet as long as
  // the replay reads.
  bool open() const;
  // The move letters that the role to move can play here (none when not open).
  std::string LegalMoves() const;
  // Whether the letter is one of the five moves and the state is open.
  bool CanAttempt(char letter) const;
  // The state after one more attempt (the caller checks CanAttempt first).
  GameState Attempted(char letter) const;

  // The reasoning model's exact chances of suggesting each move here, given the attempts
  // before (what the table of positions holds for this position). The state must be open.
  PositionChances ModelChances(const AnalysisSettings& settings, double lapse) const;
  // The rule player's chances of each letter here. The state must be open.
  LetterChances RuleChancesHere(const RulePlayer& player) const;

 private:
  Fhand hand_;
  std::string attempts_;
};

}  // namespace bruso
