#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "analysis/analysis_settings.h"
#include "model/fit.h"
#include "session/shared_state.h"

namespace bruso {

// The settings of the model of the players' reasoning and of the generator that the
// window's "Model Settings..." dialog shows and changes. They last until the program ends.
struct ModelSettings {
  int ConflictMode = 0;
  int AltruismSwitch = 0;
  bruso::ProbTable ProbTable = EvenProbTable();  // P1 to P4 for NK's card rules, P5 to P10 for CK's
  double LapseRate = DefaultLapseRate;  // above 0 and below 1
  bool Tracing = false;  // AnalysisMode TracingMode
  std::uint64_t Seed = 0;          // the seed the next run starts the generator from
  bool SameSeedEveryRun = false;   // false: every run after it gets a new seed from the clock
};

// What the state holds now, and the state set to the settings given (for the next command).
ModelSettings CurrentModelSettings(const SharedState& state);
void ApplyModelSettings(SharedState& state, const ModelSettings& settings);

// The settings with a fit's variant and estimates: its conflict mode and altruism, the
// lapse rate and every probability that the data determined (the others stay).
ModelSettings WithFitEstimates(ModelSettings settings, const FitResult& fit);

// Runs a batch command of the window ("Classify All Hands", "Play All Hands Artificially")
// from the seed the settings hold, so that the same seed and settings repeat it exactly, as
// `bruso-batch --seed` does. When the command ran (returned true), its seed is the last
// run's, and the next run gets a new one from the clock unless the same seed is kept for
// every run; a refused or failed run changes neither. Returns what the command returned.
bool SeededRun(SharedState& state, const std::function<bool()>& command);

// The settings that make the figures of a classify run, every one of them, each number as
// it reads back exactly: "conflict 0, altruism 0, P1-P10 0.5, lapse 0.01" (P1 to P10
// listed one by one when they differ; ", trace" when the trace is on).
std::string ModelSettingsText(const ModelSettings& settings);

// The window's one-line account of the settings: the ones that differ from their start
// values ("model: conflict 1, P5=0.8, trace"), then the seed of the last run, and the seed
// of the next when it differs ("seed 42", "next run: seed 7" before any run).
std::string ModelSettingsLine(const SharedState& state);

}  // namespace bruso
