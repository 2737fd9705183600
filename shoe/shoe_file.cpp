#include "shoe/shoe_file.h"

#include "engine/hand_buffer.h"
#include "engine/text_file.h"
#include "engine/text_lines.h"

namespace bruso {

namespace {

bool IsBelow33(char c) { return static_cast<unsigned char>(c) < 33; }

std::string Trim(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBelow33(text[first])) ++first;
  while (last > first && IsBelow33(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

// Replaces every occurrence of the mark by two blanks; false when there was none.
bool BlankOut(std::string& text, std::string_view mark) {
  bool found = false;
  for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at)) {
    text.replace(at, mark.size(), "  ");
    found = true;
  }
  return found;
}

}  // namespace

bool IsHandLine(std::string_view line) { return line.find("2H") != std::string_view::npos; }

Fhand HandFromLine(std::string_view line) {
  std::string text = Trim(line);
  for (char& c : text) c = UpChar(c);
  Fhand hand;
  hand.FirstRole = "CK";
  if (!BlankOut(text, "CK") && BlankOut(text, "NK")) hand.FirstRole = "NK";
  hand.HandText = Trim(text);
  return hand;
}

Shoe ReadShoe(std::string_view text) {
  Shoe shoe;
  LineCursor lines(WithoutByteOrderMark(text));
  std::string_view line;
  while (lines.Next(line)) {
    if (IsHandLine(line)) {
      shoe.hands.push_back(HandFromLine(line));
    } else if (shoe.hands.empty()) {
      ++shoe.orphanMoveLines;  // before the first hand: belongs to no hand
    } else {
      shoe.hands.back().MoveLines.push_back(moves{std::string(line)});
    }
  }
  return shoe;
}

Shoe ReadShoeFile(const std::string& path) { return ReadShoe(ReadWholeFile(path)); }

}  // namespace bruso
