#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/fit.h"
#include "model/parameter_search.h"
#include "study/participants.h"

namespace bruso {

// The group distribution of one parameter: normal on the logit scale.
struct GroupParameter {
  bool estimated = false;  // false: held, or no participant's lines depend on it
  double mean = 0, spread = 0;            // of the logit; spread is the standard deviation
  double meanError = 0, spreadError = 0;  // their standard errors
};

// An empirical-Bayes fit of one variant to a group of participants: each parameter's logit
// is drawn from a normal group distribution, each participant's estimates are the most
// probable values under it given their lines (shrunk towards the group), and the group's
// means and spreads maximise the marginal likelihood, integrated over each participant's
// parameters by the Laplace approximation.
struct HierarchicalFit {
  ModelVariant variant;
  std::array<GroupParameter, ParameterCount> group;
  std::vector<ParameterPoint> estimates;  // a participant's, on the probability scale
  double logMarginal = 0;                 // the Laplace-approximated log marginal likelihood
  int freeParameters = 0;                 // k: the estimated parameters
  double bic = 0;                         // -2 logMarginal + 2k ln(participants)
  int iterations = 0;
  bool converged = false;
};

// The group's parameters on the probability scale: the logistic of the mean (the group's
// median) and the spread and the errors carried over by the slope there.
struct ProbabilityScale {
  double centre = 0, spread = 0, centreError = 0, spreadError = 0;
};
ProbabilityScale OnProbabilityScale(const GroupParameter& parameter);

// Fits the group to each participant's data (every element compiled for the one variant);
// held parameters stay at their values. The participants are spread over `jobs` threads;
// the result depends on the data alone. Throws NothingToFit when no participant's lines
// have a position with a suggestion.
HierarchicalFit FitHierarchical(const std::vector<FitData>& data, const FixedParameters& fixed, int jobs,
                                const FitWatch& watch = {});

// Compiles each participant's lines for the variant (over `jobs` threads) and fits the group.
HierarchicalFit FitHierarchicalVariant(const std::vector<Participant>& participants, ModelVariant variant,
                                       const FixedParameters& fixed, int jobs, const FitWatch& watch = {});

}  // namespace bruso
