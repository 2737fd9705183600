#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/fit.h"
#include "study/participants.h"

namespace bruso {

// The fits of one participant's lines: one per variant, and the uniform player over them.
struct ParticipantFit {
  std::string id;
  std::string condition;
  std::vector<FitResult> fits;
  FitResult uniform;
  // The variant of lowest AIC (the first of equal ones).
  const FitResult& Best() const;
  // Whether the best variant explains the lines better than moving at random, by AIC.
  bool BeatsUniform() const { return Best().aic < uniform.aic; }
};

// Fits each variant to the participant's lines as fit does, with intervals at `level`.
// Throws NothingToFit when none of their lines has a position with a suggestion.
ParticipantFit FitParticipant(const Participant& participant, const std::vector<ModelVariant>& variants,
                              const FixedParameters& fixed, int jobs, double level, const FitWatch& watch = {});

// The spread of a parameter's estimates over participants (those whose lines depend on it).
struct EstimateSpread {
  int participants = 0;
  double mean = 0, median = 0;
  double spread = 0;  // the standard deviation, with n - 1; 0 for fewer than two
};

// A variant over a group of participants: the sums of their log-likelihoods, AICs and BICs
// (each with their own parameters), how many it explains best, and the spread of each
// parameter's estimates.
struct GroupVariantSummary {
  ModelVariant variant;
  double logLikelihood = 0, aic = 0, bic = 0;
  int bestFor = 0;
  std::array<EstimateSpread, ParameterCount> parameters;
};

struct GroupSummary {
  std::string condition;  // empty: every participant
  int participants = 0;
  int beatUniform = 0;  // whose best variant beats the uniform player
  std::vector<GroupVariantSummary> variants;
};

// The summary of the participants in `condition`, or of all when it is empty.
GroupSummary SummariseGroup(const std::vector<ParticipantFit>& fits, const std::string& condition);

EstimateSpread SpreadOf(std::vector<double> values);

}  // namespace bruso
