#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/random.h"
#include "model/fit.h"
#include "model/parameter_search.h"
#include "study/hierarchical_fit.h"

namespace bruso {

// A group of simulated participants: each one's true values drawn from normal group
// distributions on the logit scale (the held parameters at their values), their lines
// played by the variant's model with them on the shoe's hands in turn.
struct GroupRecoveryDesign {
  int participants = 30;
  int linesPerParticipant = 40;
  ModelVariant variant{0, 0};
  ParameterPoint groupMean{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -3};  // logits; the lapse rate near 0.05
  ParameterPoint groupSpread{0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5};
  FixedParameters fixed;
  std::uint64_t seed = 0;
};

// The truth, each participant fitted alone (a fit without any parameter determined for one
// whose lines have no suggestion), and the group fitted hierarchically.
struct GroupRecovery {
  std::vector<ParameterPoint> truth;
  std::vector<FitResult> independent;
  HierarchicalFit hierarchical;
};

// A draw of the standard normal distribution (Box-Muller, two uniform draws).
double NormalDraw(Random& random);

// How many of a participant's lines each hand gets: the participants play the hands in
// turn, each taking up where the one before stopped.
std::vector<int> ParticipantLines(std::size_t hands, int participant, int lines);

// Simulates and fits: the same result for the same seed on any number of threads.
GroupRecovery RunGroupRecovery(const HandList& hands, const GroupRecoveryDesign& design, int jobs,
                               const FitWatch& watch = {});

// How well one parameter was recovered: the mean squared errors of the participants'
// estimates on the probability scale, alone and hierarchically (over the participants
// whose lines depend on it), and the group's fitted distribution beside its true mean.
struct GroupParameterRecovery {
  int participants = 0;
  double independentError = 0, hierarchicalError = 0;
  double trueMean = 0;
  GroupParameter fitted;
};

std::array<GroupParameterRecovery, ParameterCount> SummariseGroupRecovery(const GroupRecovery& recovery,
                                                                          const GroupRecoveryDesign& design);

}  // namespace bruso
