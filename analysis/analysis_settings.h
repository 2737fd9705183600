#pragma once

#include <array>
#include <cassert>
#include <string_view>

#include "engine/board.h"
#include "engine/output_files.h"

namespace bruso {

// The AnalysisMode under which the analysis writes its trace words.
inline constexpr char TracingMode = 'A';

// A looked-for card of "##" means the player looks for none; it equals no cell.
inline constexpr std::string_view NoCard = "##";

// Whether two card codes are the same, compared in place: the analysis compares cards at
// every step, and a call of memcmp for two bytes costs more than the comparison itself.
constexpr bool SameCard(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

// A table of four card codes numbered 1 to 4. An entry that was never set holds the empty
// card, two zero bytes, which equals no card code.
struct KeyCards {
  std::array<std::array<char, CardCodeLength>, 4> entries{};

  std::string_view operator[](int k) const {
    assert(k >= 1 && k <= 4);
    return {entries[k - 1].data(), CardCodeLength};
  }
  void Set(int k, std::string_view code) {
    assert(k >= 1 && k <= 4 && code.size() == CardCodeLength);
    code.copy(entries[k - 1].data(), CardCodeLength);
  }
};

// The cards the analysis plans with, entry k holding the card of number k (entry 1 stays
// empty; the analysis never reads it). In KeyCardsB: the goal card 2H, and 3H and 4H, the
// Targets on which CK can play 2H (same suit). In KeyCardsA: 2C, the Target on which NK can
// play 2H (same number), and 3C and 4C, on which neither can, so that NK first has to put
// 3H or 4H there.
KeyCards ClubKeyCards();
KeyCards HeartKeyCards();

// Ten probabilities of one half each.
inline ProbTable EvenProbTable() {
  ProbTable table;
  table.entries.fill(0.5);
  return table;
}

// Everything the hand analysis is told from outside: the modes, the probabilities of the
// card rules, the card tables and what each player remembers. A default value holds the
// start values of a run; tests set others.
struct AnalysisSettings {
  char AnalysisMode = 'B';  // TracingMode ('A') writes the trace words
  int ConflictMode = 0;     // 1: the plan is first read from the partner's last move
  int AltruismSwitch = 0;   // 1: one player hands the card over through UP
  bruso::ProbTable ProbTable = EvenProbTable();  // p1 to p4 for NK's card rules, p5 to p10 for CK's
  KeyCards KeyCardsA = ClubKeyCards();
  KeyCards KeyCardsB = HeartKeyCards();
  // What CK and NK remember of the cards. Nothing fills them: every cell holds zero bytes,
  // which counts as remembered (only two blanks do not) and equals no card code.
  Board MemoryCK;
  Board MemoryNK;

  bool Tracing() const { return AnalysisMode == TracingMode; }
};

}  // namespace bruso
