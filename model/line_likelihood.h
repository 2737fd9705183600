#pragma once

#include <array>
#include <vector>

#include "engine/output_files.h"
#include "model/compiled_line.h"

namespace bruso {

// A model variant: conflict mode and altruism switch, each 0 or 1.
struct ModelVariant {
  int conflictMode = 0;
  int altruism = 0;
};

// The four variants, in the order the fits list them.
inline constexpr ModelVariant EveryModelVariant[] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};

// The player of the model: it plays the analysis's suggestion or, with the lapse rate
// (0 < lapse < 1), any of the five moves uniformly; with the card rules' probabilities.
struct PlayerParameters {
  ProbTable probabilities;
  double lapse = 0.01;
};

// The smallest lapse rate (and value held in a fit) the likelihood takes: a move's chance
// is at least lapse / 5, and far below this its logarithm is no longer a finite number.
inline constexpr double SmallestLapse = 1e-300;

// Q = (1 - lapse) P + lapse / 5: the player's probability of a move that the analysis
// suggests with probability P.
inline double PlayerProbability(double p, double lapse) { return (1 - lapse) * p + lapse / MoveCount; }

// The exact chances at one position: P(x) for each move of MoveLetters, given that the
// player made the recorded moves before it.
struct PositionChances {
  bool suggests = false;  // false: the analysis suggests no move here
  std::array<double, MoveCount> p{};
  double Of(char move) const { return p[MoveIndex(move)]; }
};

// What a line comes to under the model: the natural logarithm of the probability that the
// player makes the recorded moves, and the sum of P(recorded move) over the positions
// with a suggestion, with their number.
struct LineScore {
  double logLikelihood = 0;
  double expectedAgreements = 0;
  long long suggested = 0;
};

// The forward pass over the line's states. Fills `chances`, when given, with one entry
// per position.
LineScore ScoreLine(const CompiledLine& line, const PlayerParameters& player,
                    std::vector<PositionChances>* chances = nullptr);

}  // namespace bruso
