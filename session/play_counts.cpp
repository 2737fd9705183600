#include "session/play_counts.h"

#include <algorithm>
#include <cstdio>

namespace bruso {

namespace {

int CountedMoves(const PlayRecord& play) { return std::clamp(play.moves, 0, MaxCountedMoves); }
bool StoppedAtTheLimit(const PlayRecord& play) { return !play.solved && play.attempts >= MaxArtificialMoves; }

}  // namespace

void PlayCounts::Add(const PlayRecord& play) {
  ++plays;
  if (play.solved) ++solvedByMoves[CountedMoves(play)];
  if (StoppedAtTheLimit(play)) ++stopped;
}

void HandPlays::Add(const PlayRecord& play) {
  ++plays;
  if (play.solved) {
    ++solved;
    solvedMoves += CountedMoves(play);
  }
  if (StoppedAtTheLimit(play)) ++stopped;
}

namespace {

// The moves of the solved play at `rank` (from 0) in the order of their moves.
int MovesAtRank(const PlayCounts& counts, long long rank) {
  for (int moves = 0; moves <= MaxCountedMoves; ++moves) {
    rank -= counts.solvedByMoves[moves];
    if (rank < 0) return moves;
  }
  return MaxCountedMoves;
}

std::string OneDecimal(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

}  // namespace

PlayFigures FiguresOf(const PlayCounts& counts) {
  PlayFigures figures{.plays = counts.plays, .stopped = counts.stopped};
  double total_moves = 0;
  for (int moves = 0; moves <= MaxCountedMoves; ++moves) {
    figures.solved += counts.solvedByMoves[moves];
    total_moves += static_cast<double>(moves) * counts.solvedByMoves[moves];
  }
  if (figures.solved == 0) return figures;
  figures.meanMoves = total_moves / figures.solved;
  const long long middle = figures.solved / 2;
  figures.medianMoves = figures.solved % 2 == 1
                            ? MovesAtRank(counts, middle)
                            : (MovesAtRank(counts, middle - 1) + MovesAtRank(counts, middle)) / 2.0;
  return figures;
}

std::string MovesWhenSolvedText(const PlayFigures& figures) {
  return "mean " + OneDecimal(figures.meanMoves) + ", median " + OneDecimal(figures.medianMoves);
}

void AddFigures(Summary& summary, const std::string& prefix, const PlayFigures& figures) {
  summary.Add(prefix + "plays", std::to_string(figures.plays));
  summary.AddCount(prefix + "reached 2H", figures.solved, figures.plays);
  summary.AddCount(prefix + "stopped at " + std::to_string(MaxArtificialMoves) + " attempts",
                   figures.stopped, figures.plays);
  if (figures.solved > 0) {
    summary.Add(prefix + "moves when solved", MovesWhenSolvedText(figures));
  }
}

}  // namespace bruso
