#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "analysis/score.h"
#include "players/go_speedy.h"
#include "players/play_all_hands.h"
#include "session/summary.h"

namespace bruso {

// A play by the rules makes at most one move an attempt; a recorded line is replayed for
// at most MaxReplayMoves letters.
inline constexpr int MaxCountedMoves = std::max(MaxArtificialMoves, MaxReplayMoves);

// The plays of a run, or of one hand, as counts: every figure of the summary comes from
// them, and they take as little room for a billion plays as for ten.
struct PlayCounts {
  long long plays = 0;
  long long stopped = 0;  // not solved after MaxArtificialMoves attempts
  // The solved plays by their number of moves.
  std::array<long long, MaxCountedMoves + 1> solvedByMoves{};

  void Add(const PlayRecord& play);
};

// One hand's plays in brief, for a table of many hands: the counts of PlayCounts and the
// mean moves of the solved plays, in a fifth of its room.
struct HandPlays {
  long long plays = 0;
  long long solved = 0;
  long long stopped = 0;
  long long solvedMoves = 0;  // summed over the solved plays

  void Add(const PlayRecord& play);
  double MeanMoves() const { return solved == 0 ? 0 : static_cast<double>(solvedMoves) / solved; }
};

// The plays of a run counted as they end: overall and, when asked, for each hand, as
// HandCounts (PlayCounts for every figure, HandPlays in brief).
template <class HandCounts>
class PlayTally {
 public:
  explicit PlayTally(bool per_hand = true) : perHand_(per_hand) {}

  void Played(const PlayRecord& play) {
    total_.Add(play);
    HandBegun(play.hand);
    if (perHand_) byHand_[play.hand - 1].Add(play);
  }
  // Hands count from when they begin, also when they are played no time.
  void HandBegun(int hand) {
    hands_ = std::max(hands_, hand);
    if (perHand_ && byHand_.size() < static_cast<std::size_t>(hand)) byHand_.resize(hand);
  }

  const PlayCounts& total() const { return total_; }
  const std::vector<HandCounts>& byHand() const { return byHand_; }  // empty unless per hand
  int hands() const { return hands_; }

 private:
  bool perHand_;
  PlayCounts total_;
  std::vector<HandCounts> byHand_;
  int hands_ = 0;
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

// "mean 4.5, median 4.0": the moves of the solved plays.
std::string MovesWhenSolvedText(const PlayFigures& figures);

// Adds the figures to a summary under the given prefix ("" for the whole run).
void AddFigures(Summary& summary, const std::string& prefix, const PlayFigures& figures);

}  // namespace bruso
