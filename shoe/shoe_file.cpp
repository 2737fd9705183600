#include "shoe/shoe_file.h"

#include <limits>

#include "engine/hand_buffer.h"
#include "engine/text_file.h"
#include "engine/text_lines.h"

namespace bruso {

namespace {

bool IsBelow33(char c) { return static_cast<unsigned char>(c) < 33; }

std::string_view Trim(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBelow33(text[first])) ++first;
  while (last > first && IsBelow33(text[last - 1])) --last;
  return text.substr(first, last - first);
}

void TrimInPlace(std::string& text) {
  const std::string_view trimmed = Trim(text);
  const std::size_t first = static_cast<std::size_t>(trimmed.data() - text.data());
  text.resize(first + trimmed.size());
  text.erase(0, first);
}

// Gives the hand its move lines, in one piece of memory.
void TakeMoveLines(Fhand& hand, const std::vector<std::string_view>& lines) {
  hand.MoveLines.reserve(lines.size());
  for (std::string_view line : lines) hand.MoveLines.push_back(moves{std::string(line)});
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
  Fhand hand;
  std::string& text = hand.HandText;
  text = Trim(line);
  for (char& c : text) c = UpChar(c);
  hand.FirstRole = "CK";
  if (!BlankOut(text, "CK") && BlankOut(text, "NK")) hand.FirstRole = "NK";
  TrimInPlace(text);
  return hand;
}

ShoeReader::ShoeReader(std::string_view text) : lines_(WithoutByteOrderMark(text)) {
  std::string_view line;
  while (lines_.Next(line)) {
    if (IsHandLine(line)) {
      nextHandLine_ = line;
      return;
    }
    ++orphanMoveLines_;  // before the first hand: belongs to no hand
  }
}

bool ShoeReader::Next(HandList& hands, std::size_t most) {
  hands.clear();
  while (nextHandLine_ && hands.size() < most) {
    hands.push_back(HandFromLine(*nextHandLine_));
    nextHandLine_.reset();
    moveLines_.clear();
    std::string_view line;
    while (lines_.Next(line)) {
      if (IsHandLine(line)) {
        nextHandLine_ = line;
        break;
      }
      moveLines_.push_back(line);
    }
    TakeMoveLines(hands.back(), moveLines_);
  }
  return !hands.empty();
}

std::vector<std::size_t> MoveLineCounts(std::string_view text) {
  std::vector<std::size_t> counts;
  LineCursor lines(WithoutByteOrderMark(text));
  std::string_view line;
  while (lines.Next(line)) {
    if (IsHandLine(line)) {
      counts.push_back(0);
    } else if (!counts.empty()) {
      ++counts.back();
    }
  }
  return counts;
}

Shoe ReadShoe(std::string_view text) {
  Shoe shoe;
  // The list of hands is made once at its size: grown as it goes, a large shoe's list would
  // be copied to new memory some twenty times, each time touching pages never used before.
  shoe.hands.reserve(MoveLineCounts(text).size());
  ShoeReader reader(text);
  reader.Next(shoe.hands, std::numeric_limits<std::size_t>::max());
  shoe.orphanMoveLines = reader.orphanMoveLines();
  return shoe;
}

Shoe ReadShoeFile(const std::string& path) { return ReadShoe(ReadWholeFile(path)); }

}  // namespace bruso
