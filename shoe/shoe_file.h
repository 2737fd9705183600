#pragma once

#include <string>
#include <string_view>
#include <vector>

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

// Reads a shoe file; throws IoError naming the file when it cannot be opened or read.
Shoe ReadShoeFile(const std::string& path);

}  // namespace bruso
