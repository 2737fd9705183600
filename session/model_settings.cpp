#include "session/model_settings.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/exact_number.h"
#include "engine/random.h"

namespace bruso {

namespace {

// A number as short as it reads: 0.8, 0.125, 1.
std::string ShortNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string SeedText(std::uint64_t seed) { return std::to_string(seed); }

// "conflict 1": the name and the value appended to it, rather than added to a literal, which
// g++ 12 wrongly warns about at -O3 (-Wrestrict).
std::string Named(const char* name, const std::string& value) {
  std::string text(name);
  text += value;
  return text;
}

// "conflict 1", "P5=0.8", "trace": each setting that differs from its start value.
std::vector<std::string> ChangedSettings(const ModelSettings& settings) {
  const ModelSettings start;
  std::vector<std::string> changed;
  if (settings.ConflictMode != start.ConflictMode) {
    changed.push_back(Named("conflict ", std::to_string(settings.ConflictMode)));
  }
  if (settings.AltruismSwitch != start.AltruismSwitch) {
    changed.push_back(Named("altruism ", std::to_string(settings.AltruismSwitch)));
  }
  for (int k = 1; k <= 10; ++k) {
    if (settings.ProbTable[k] != start.ProbTable[k]) {
      changed.push_back(Named("P", std::to_string(k) + '=' + ShortNumber(settings.ProbTable[k])));
    }
  }
  if (settings.LapseRate != start.LapseRate) changed.push_back(Named("lapse ", ShortNumber(settings.LapseRate)));
  if (settings.Tracing) changed.push_back("trace");
  if (settings.SameSeedEveryRun) changed.push_back("same seed every run");
  return changed;
}

std::string Joined(const std::vector<std::string>& pieces, const char* separator) {
  std::string text;
  for (const std::string& piece : pieces) {
    if (!text.empty()) text += separator;
    text += piece;
  }
  return text;
}

}  // namespace

std::string ModelSettingsText(const ModelSettings& settings) {
  const auto& p = settings.ProbTable.entries;
  std::string probabilities;
  if (std::all_of(p.begin(), p.end(), [&](double each) { return each == p.front(); })) {
    probabilities = Named("P1-P10 ", ExactNumber(p.front()));
  } else {
    std::vector<std::string> each;
    for (int k = 1; k <= CardRuleCount; ++k) {
      each.push_back(Named("P", std::to_string(k) + '=' + ExactNumber(p[k - 1])));
    }
    probabilities = Joined(each, ", ");
  }
  std::string text = Named("conflict ", std::to_string(settings.ConflictMode));
  text += Named(", altruism ", std::to_string(settings.AltruismSwitch));
  text += ", ";
  text += probabilities;
  text += Named(", lapse ", ExactNumber(settings.LapseRate));
  if (settings.Tracing) text += ", trace";
  return text;
}

ModelSettings CurrentModelSettings(const SharedState& state) {
  ModelSettings settings;
  settings.ConflictMode = state.analysis.ConflictMode;
  settings.AltruismSwitch = state.analysis.AltruismSwitch;
  settings.ProbTable = state.analysis.ProbTable;
  settings.LapseRate = state.LapseRate;
  settings.Tracing = state.analysis.Tracing();
  settings.Seed = state.RunSeed;
  settings.SameSeedEveryRun = state.SameSeedEveryRun;
  return settings;
}

void ApplyModelSettings(SharedState& state, const ModelSettings& settings) {
  state.analysis.ConflictMode = settings.ConflictMode;
  state.analysis.AltruismSwitch = settings.AltruismSwitch;
  state.analysis.ProbTable = settings.ProbTable;
  state.LapseRate = settings.LapseRate;
  if (settings.Tracing) state.analysis.AnalysisMode = TracingMode;
  else state.iodef.DefaultModes(state.analysis.AnalysisMode);
  state.RunSeed = settings.Seed;
  state.SameSeedEveryRun = settings.SameSeedEveryRun;
}

ModelSettings WithFitEstimates(ModelSettings settings, const FitResult& fit) {
  settings.ConflictMode = fit.variant.conflictMode;
  settings.AltruismSwitch = fit.variant.altruism;
  for (int k = 1; k <= CardRuleCount; ++k) {
    const ParameterEstimate& estimate = fit.parameters[k - 1];
    if (estimate.determined) settings.ProbTable[k] = estimate.value;
  }
  settings.LapseRate = fit.parameters[LapseIndex].value;
  return settings;
}

bool SeededRun(SharedState& state, const std::function<bool()>& command) {
  state.random.Seed(state.RunSeed);
  if (!command()) return false;
  state.LastRunSeed = state.RunSeed;
  if (!state.SameSeedEveryRun) state.RunSeed = Random::ClockSeed();
  return true;
}

std::string ModelSettingsLine(const SharedState& state) {
  std::vector<std::string> pieces;
  const std::vector<std::string> changed = ChangedSettings(CurrentModelSettings(state));
  if (!changed.empty()) pieces.push_back(Named("model: ", Joined(changed, ", ")));
  if (state.LastRunSeed) {
    pieces.push_back(Named("seed ", SeedText(*state.LastRunSeed)));
    if (state.SameSeedEveryRun && state.RunSeed != *state.LastRunSeed) {
      pieces.push_back(Named("next run: seed ", SeedText(state.RunSeed)));
    }
  } else {
    pieces.push_back(Named("next run: seed ", SeedText(state.RunSeed)));
  }
  return Joined(pieces, " \xB7 ");  // a middle dot in Latin-1, as the window reads bytes
}

}  // namespace bruso
