#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "session/model_settings.h"
#include "support/started_session.h"

namespace bruso {
namespace {

using testing::StartedSession;

TEST(ModelSettingsLine, NamesWhatDiffersFromTheStartAndTheSeed) {
  struct Case {
    const char* name;
    void (*change)(ModelSettings&);
    bool run;  // a run with the start-up seed took place before the change
    std::string line;
  };
  const std::vector<Case> cases = {
      {"start values, no run yet", [](ModelSettings&) {}, false, "next run: seed 42"},
      {"start values after a run", [](ModelSettings&) {}, true, "seed 42"},
      {"modes and one probability", [](ModelSettings& s) { s.ConflictMode = 1; s.ProbTable[5] = 0.8; }, true,
       "model: conflict 1, P5=0.8 \xB7 seed 42"},
      {"altruism, lapse and trace", [](ModelSettings& s) { s.AltruismSwitch = 1; s.LapseRate = 0.05; s.Tracing = true; },
       true, "model: altruism 1, lapse 0.05, trace \xB7 seed 42"},
      {"a kept seed shows the next one when it differs",
       [](ModelSettings& s) { s.SameSeedEveryRun = true; s.Seed = 7; }, true,
       "model: same seed every run \xB7 seed 42 \xB7 next run: seed 7"},
  };
  for (const Case& c : cases) {
    StartedSession session(42);
    if (c.run) SeededRun(session.state, [] { return true; });
    ModelSettings settings = CurrentModelSettings(session.state);
    c.change(settings);
    ApplyModelSettings(session.state, settings);
    EXPECT_EQ(ModelSettingsLine(session.state), c.line) << c.name;
  }
}

TEST(SeededRun, TheSameSeedRepeatsTheDrawsAndAnUnkeptSeedMovesOn) {
  StartedSession session(9);
  session.state.random.Next();  // a draw before the run does not change it
  std::vector<double> first;
  SeededRun(session.state, [&] { first = {session.state.random.Next(), session.state.random.Next()}; return true; });
  EXPECT_EQ(session.state.LastRunSeed, 9u);
  EXPECT_NE(session.state.RunSeed, 9u);  // a new seed from the clock for the next run

  ModelSettings settings = CurrentModelSettings(session.state);
  settings.Seed = 9;
  settings.SameSeedEveryRun = true;
  ApplyModelSettings(session.state, settings);
  for (int run = 0; run < 2; ++run) {
    std::vector<double> again;
    SeededRun(session.state, [&] { again = {session.state.random.Next(), session.state.random.Next()}; return true; });
    EXPECT_EQ(again, first) << run;
    EXPECT_EQ(session.state.RunSeed, 9u);
  }
  // A run that fails still used its seed.
  settings.Seed = 3;
  ApplyModelSettings(session.state, settings);
  EXPECT_THROW(SeededRun(session.state, []() -> bool { throw std::runtime_error("write failed"); }),
               std::runtime_error);
  EXPECT_EQ(session.state.LastRunSeed, 3u);
}

TEST(ApplyModelSettings, SetsWhatTheNextAnalysisUses) {
  StartedSession session;
  ModelSettings settings;
  settings.Tracing = true;
  settings.ConflictMode = 1;
  settings.ProbTable[10] = 0;
  ApplyModelSettings(session.state, settings);
  EXPECT_EQ(session.state.analysis.AnalysisMode, TracingMode);
  EXPECT_EQ(session.state.analysis.ConflictMode, 1);
  EXPECT_EQ(session.state.analysis.ProbTable[10], 0);
  ApplyModelSettings(session.state, ModelSettings{});
  EXPECT_EQ(session.state.analysis.AnalysisMode, 'B');
  EXPECT_EQ(ModelSettingsLine(session.state), "next run: seed 0");
}

}  // namespace
}  // namespace bruso
