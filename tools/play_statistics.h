#pragma once

#include <array>
#include <string>
#include <vector>

#include "players/go_speedy.h"
#include "players/play_all_hands.h"
#include "tools/summary.h"

namespace bruso {

// The columns of the table of plays that `play --csv` writes, one row per play.
extern const std::vector<std::string> PlayCsvHeader;

std::vector<std::string> PlayCsvFields(const PlayRecord& play);

// The plays of a run, or of one hand, as counts: every figure of the summary comes from
// them, and they take as little room for a billion plays as for ten.
struct PlayCounts {
  long long plays = 0;
  long long stopped = 0;  // not solved after MaxArtificialMoves attempts
  // The solved plays by their number of moves (a play makes at most one move an attempt).
  std::array<long long, MaxArtificialMoves + 1> solvedByMoves{};

  void Add(const PlayRecord& play);
};

// What a run of plays came to: solved plays, plays stopped at the attempt limit, and the
// mean and median moves of the solved plays, overall or for one hand.
struct PlayFigures {
  long long plays = 0;
  long long solved = 0;
  long long stopped = 0;  // not solved after MaxArtificialMoves attempts
  double meanMoves = 0;
  double medianMoves = 0;
};

PlayFigures FiguresOf(const PlayCounts& counts);

// Adds the figures to a summary under the given prefix ("" for the whole run).
void AddFigures(Summary& summary, const std::string& prefix, const PlayFigures& figures);

}  // namespace bruso
