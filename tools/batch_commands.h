#pragma once

#include <string>
#include <vector>

namespace bruso {

// Each subcommand of bruso-batch takes the words after its name and returns the exit status.
int RunPlay(const std::vector<std::string>& words);
int RunClassify(const std::vector<std::string>& words);
int RunFit(const std::vector<std::string>& words);

// The fits of `fit --per-participant` and `fit --hierarchical`, their options read.
struct FitOptions;
int RunParticipantFits(const std::vector<std::string>& shoe_paths, const FitOptions& options);

int RunFitWeights(const std::vector<std::string>& words);
int RunSimulate(const std::vector<std::string>& words);
int RunRecover(const std::vector<std::string>& words);
int RunCheck(const std::vector<std::string>& words);

}  // namespace bruso
