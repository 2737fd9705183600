#include "tools/play_statistics.h"

#include <algorithm>
#include <cstdio>

#include "players/go_speedy.h"

namespace bruso {

const std::vector<std::string> PlayCsvHeader = {"hand", "iteration", "moves", "solved", "attempts"};

std::vector<std::string> PlayCsvFields(const PlayRecord& play) {
  return {std::to_string(play.hand), std::to_string(play.iteration), std::to_string(play.moves),
          play.solved ? "1" : "0", std::to_string(play.attempts)};
}

PlayFigures FiguresOf(const std::vector<PlayRecord>& plays) {
  PlayFigures figures;
  std::vector<int> solved_moves;
  for (const PlayRecord& play : plays) {
    ++figures.plays;
    if (play.solved) {
      solved_moves.push_back(play.moves);
    } else if (play.attempts >= MaxArtificialMoves) {
      ++figures.stopped;
    }
  }
  figures.solved = static_cast<long long>(solved_moves.size());
  if (solved_moves.empty()) return figures;
  std::sort(solved_moves.begin(), solved_moves.end());
  double total = 0;
  for (int moves : solved_moves) total += moves;
  figures.meanMoves = total / solved_moves.size();
  const std::size_t middle = solved_moves.size() / 2;
  figures.medianMoves = solved_moves.size() % 2 == 1
                            ? solved_moves[middle]
                            : (solved_moves[middle - 1] + solved_moves[middle]) / 2.0;
  return figures;
}

namespace {

std::string OneDecimal(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

}  // namespace

void AddFigures(Summary& summary, const std::string& prefix, const PlayFigures& figures) {
  summary.Add(prefix + "plays", std::to_string(figures.plays));
  summary.AddCount(prefix + "reached 2H", figures.solved, figures.plays);
  summary.AddCount(prefix + "stopped at " + std::to_string(MaxArtificialMoves) + " attempts",
                   figures.stopped, figures.plays);
  if (figures.solved > 0) {
    summary.Add(prefix + "moves when solved",
                "mean " + OneDecimal(figures.meanMoves) + ", median " + OneDecimal(figures.medianMoves));
  }
}

}  // namespace bruso
