#include "bench/bench_data.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "engine/text_file.h"

namespace bruso::bench {

namespace {

constexpr std::array<std::string_view, 6> Cards = {"2H", "3H", "4H", "2C", "3C", "4C"};
constexpr std::string_view Letters = "CUNTP";

int Below(Random& random, int count) { return static_cast<int>(random.Next() * count); }

char Letter(Random& random) { return Letters[Below(random, static_cast<int>(Letters.size()))]; }

// A random deal's hand line with its first mover.
void AddHandLine(Random& random, std::string& text) {
  std::array<std::string_view, 6> deal = Cards;
  for (int last = 5; last > 0; --last) std::swap(deal[last], deal[Below(random, last + 1)]);
  for (std::string_view card : deal) {
    text += card;
    text += ' ';
  }
  text += random.Next() < 0.5 ? "CK\n" : "NK\n";
}

std::string RandomLetters(Random& random, int length) {
  std::string line;
  for (int letter = 0; letter < length; ++letter) line += Letter(random);
  return line;
}

}  // namespace

std::string RandomRulesText(Random& random, int count) {
  std::string text;
  for (int field = 1; field <= 18; ++field) {
    text += std::to_string(1 + Below(random, 6));
    text += field < 18 ? ' ' : '\n';
  }
  for (int rule = 0; rule < count; ++rule) {
    text += Letter(random);
    for (int field = 2; field <= 4; ++field) {
      text += ' ';
      text += random.Next() < 0.45 ? Cards[Below(random, 6)] : "#";
    }
    text += ' ';
    text += random.Next() < 0.3 ? Letter(random) : '#';
    text += '\n';
  }
  return text;
}

std::string RandomShoeText(Random& random, int hands, int lines, int length) {
  std::string text;
  for (int hand = 0; hand < hands; ++hand) {
    AddHandLine(random, text);
    for (int line = 0; line < lines; ++line) text += RandomLetters(random, length) + '\n';
  }
  return text;
}

std::string RandomVaryingShoeText(Random& random, int hands, int lines, int shortest, int longest,
                                  const std::string& note) {
  std::string text;
  for (int hand = 0; hand < hands; ++hand) {
    AddHandLine(random, text);
    text += note + '\n';
    for (int line = 0; line < lines; ++line) {
      text += RandomLetters(random, shortest + Below(random, longest - shortest + 1)) + '\n';
    }
  }
  return text;
}

std::string RepeatedLinesShoeText(Random& random, int hands, int copies, int length) {
  std::string text;
  for (int hand = 0; hand < hands; ++hand) {
    AddHandLine(random, text);
    text += "the same line again and again\n";
    const std::string line = RandomLetters(random, length) + '\n';
    for (int copy = 0; copy < copies; ++copy) text += line;
  }
  return text;
}

void WriteBenchFile(const std::filesystem::path& path, const std::string& text) {
  TextFile file;
  file.Open(path.string(), TextFile::Mode::Write);
  file.Write(text);
  file.Close();
}

}  // namespace bruso::bench
