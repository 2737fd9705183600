#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/text_file.h"
#include "session/experiment_plan.h"

namespace bruso {

// One click of a session (or one move of the artificial partner), as a row of the moves table.
struct SessionClick {
  int move = 0;             // the letter's place in the line, from 1 (a click that is no move: the next place)
  char role = 'C';          // the role to move, 'C' or 'N'
  std::string letter;       // the move letter, or the position clicked ("CK", "NK") when it is no move
  bool playable = false;    // whether the click was a move that could be played
  std::int64_t ms = 0;      // since the position was shown
  std::int64_t handMs = 0;  // since the hand was shown
  Player mover = Player::Person;
};

// One finished hand of a session.
struct SessionHand {
  std::string handLine;  // the hand text with its first mover's mark
  std::string infoLine;  // the line that is never replayed
  std::string letters;   // the line played
  std::vector<SessionClick> clicks;
};

// The files a session records into: the shoe itself, the moves table
// ("NAME_moves.csv" beside it, one row per click) and the groups table
// ("NAME_groups.csv", one row per recorded line: hand, line, participant, condition), so that
// a fit per participant can read the shoe. The three are opened for appending, never
// emptied, and each finished hand goes to all three at once and is flushed, so that a
// session stopped at any moment leaves whole hands that the three files agree on.
class ExperimentRecord {
 public:
  // Opens (or creates) the three files and numbers the next hand after the hands the shoe
  // already holds. Throws IoError naming the file that cannot be read or written.
  ExperimentRecord(const std::filesystem::path& shoe, std::string participant, std::string condition);

  // Writes the hand and its clicks; returns its number in the shoe. Throws IoError.
  int WriteHand(const SessionHand& hand);
  int HandsWritten() const { return handsWritten_; }
  // Closes the three files; a failure to write what was left throws IoError.
  void Close();

  static std::filesystem::path MovesTablePath(const std::filesystem::path& shoe);
  static std::filesystem::path GroupsTablePath(const std::filesystem::path& shoe);
  static const std::vector<std::string>& MovesHeader();
  static const std::vector<std::string>& GroupsHeader();

 private:
  std::string participant_;
  std::string condition_;
  int nextHand_ = 1;
  int handsWritten_ = 0;
  TextFile shoe_;
  TextFile moves_;
  TextFile groups_;
};

}  // namespace bruso
