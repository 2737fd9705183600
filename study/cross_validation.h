#pragma once

#include <cstdint>
#include <vector>

#include "model/fit.h"

namespace bruso {

// The value a probability takes in a held-out fold when no position of the training folds
// depends on it.
inline constexpr double UntrainedProbability = 0.5;

// K-fold cross-validation of one variant by hands: the hands are dealt to K folds at random
// from the seed (a hand's lines stay together), each fold is scored at the estimates of
// the fit to the others.
struct CrossValidation {
  ModelVariant variant;
  int folds = 0;
  double heldOutLogLikelihood = 0;  // summed over the folds
  long long heldOutPositions = 0;
  // How often a probability that a held-out position depends on took
  // UntrainedProbability, summed over the folds.
  int untrained = 0;
  double PerPosition() const { return heldOutPositions > 0 ? heldOutLogLikelihood / heldOutPositions : 0; }
};

// The fold of each hand: as equal in size as they can be, drawn from the seed.
std::vector<int> DealFolds(std::size_t hands, int folds, std::uint64_t seed);

// Throws FitCancelled when the watch asks for a stop.
CrossValidation CrossValidate(const HandList& hands, ModelVariant variant, const FixedParameters& fixed, int folds,
                              std::uint64_t seed, int jobs, const FitWatch& watch = {});

}  // namespace bruso
