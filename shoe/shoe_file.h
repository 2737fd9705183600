#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text_lines.h"

namespace bruso {

// One recorded move line of a hand, exactly as it was read (without its line end).
struct moves {
  std::string Line;
};

// One hand of a shoe: its move lines, its text (six card codes in the order C, CK, UP,
// T, N, NK, blanks allowed) and the role that moves first, "CK" or "NK".
struct Fhand {
  std::vector<moves> MoveLines;
  std::string HandText;
  std::string FirstRole;
};

using HandList = std::vector<Fhand>;

// What a shoe holds: its hands, and how many move lines stood before the first hand line
// and so belonged to no hand (they are left out).
struct Shoe {
  HandList hands;
  int orphanMoveLines = 0;
};

// A line that contains "2H" (exactly, case-sensitive) starts a hand.
bool IsHandLine(std::string_view line);

// The hand of a hand line: trimmed of characters below code 33, upper-cased, its role mark
// ("CK" first, else "NK") taken out and replaced by blanks, and trimmed again.
Fhand HandFromLine(std::string_view line);

// Reads a shoe from its bytes. Lines end at LF; a CR right before the LF belongs to the
// line end. A UTF-8 byte order mark at the start is skipped.
Shoe ReadShoe(std::string_view text);

// Reads the hands of a shoe's text in order, a block at a time, so that a large shoe need not
// be held in memory whole: the memory of one block's hands is reused for the next. Lines and
// hands are read as ReadShoe reads them; the text must outlive the reader.
class ShoeReader {
 public:
  explicit ShoeReader(std::string_view text);

  // Replaces the hands in `hands` by the next ones, at most `most` of them; false when no
  // hand is left.
  bool Next(HandList& hands, std::size_t most);
  // The move lines that stood before the first hand.
  int orphanMoveLines() const { return orphanMoveLines_; }

 private:
  LineCursor lines_;
  std::optional<std::string_view> nextHandLine_;  // read, not yet made a hand
  std::vector<std::string_view> moveLines_;       // of the hand being read
  int orphanMoveLines_ = 0;
};

// How many move lines each hand of a shoe's text has, in order, counted without reading the
// hands.
std::vector<std::size_t> MoveLineCounts(std::string_view text);

// Reads a shoe file; throws IoError naming the file when it cannot be opened or read.
Shoe ReadShoeFile(const std::string& path);

}  // namespace bruso
