#include "study/predictive_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>

#include "engine/board.h"
#include "engine/move_engine.h"
#include "model/fit_data.h"
#include "model/headless_hand.h"
#include "study/data_set.h"

namespace bruso {

namespace {

constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();

// The groups of the moves to 2H, by their most moves (the last takes every longer line).
constexpr std::array<int, 7> MovesGroupEnds = {3, 4, 5, 6, 8, 11, MaxLineLetters};

// The agreement groups as classify lists them: overall, by role, by branch.
constexpr int AgreementGroupCount = 3 + static_cast<int>(MoveBranch::HandOver);
constexpr const char* AgreementNames[AgreementGroupCount] = {
    "agreement overall", "agreement as CK",     "agreement as NK",    "agreement card at hand",
    "agreement search",  "agreement step aside", "agreement hand-over"};

// NaN where there is nothing to take the ratio over.
double Ratio(double part, double whole) { return whole > 0 ? part / whole : NotANumber; }

int RoleIndex(char role) { return role == RoleCK ? 0 : 1; }

// What the figures are taken from: counts over the lines as they were played.
struct LineCounts {
  long long lines = 0;
  long long reaching = 0;
  long long movesToGoal = 0;
  std::array<long long, MovesGroupEnds.size()> movesGroups{};
  std::array<std::array<long long, MoveCount>, 2> letters{};  // by role: CK, NK
  std::array<long long, MoveCount> firstLetters{};
  std::array<long long, AgreementGroupCount> suggested{};
  std::array<double, AgreementGroupCount> expected{};
};

void CountPaths(const HandList& hands, const AnalysisSettings& settings, LineCounts& counts) {
  for (const Fhand& hand : hands) {
    HeadlessHand headless(hand);
    for (std::size_t line = FirstRecordedLine; line < hand.MoveLines.size(); ++line) {
      ++counts.lines;
      bool first = true;
      const auto count_letter = [&](const TreeNode& position, char letter) {
        ++counts.letters[RoleIndex(position.role)][MoveIndex(letter)];
        if (first) ++counts.firstLetters[MoveIndex(letter)];
        first = false;
      };
      const bool usable = headless.Follow(hand.MoveLines[line].Line, settings, count_letter);
      if (!usable || headless.LastPosition().TargetCard() != settings.KeyCardsB[2]) continue;
      const int moves = headless.MovesToLastPosition();
      ++counts.reaching;
      counts.movesToGoal += moves;
      const auto group = std::lower_bound(MovesGroupEnds.begin(), MovesGroupEnds.end(), moves);
      ++counts.movesGroups[std::min<std::size_t>(group - MovesGroupEnds.begin(), MovesGroupEnds.size() - 1)];
    }
  }
}

// The expected agreement of each position with a suggestion, as classify sums it.
void CountAgreement(const HandList& hands, const AnalysisSettings& settings, double lapse, LineCounts& counts) {
  const PlayerParameters player{.probabilities = settings.ProbTable, .lapse = lapse};
  std::vector<PositionChances> chances;
  for (const CompiledLine& line : CompileLines(hands, settings, 1)) {
    chances.clear();  // ScoreLine adds the line's positions to them
    ScoreLine(line, player, &chances);
    for (std::size_t t = 0; t < chances.size(); ++t) {
      const AnalysedPosition& seen = line.facts[t].seen;
      if (seen.branch == MoveBranch::None) continue;
      const double chance = chances[t].suggests ? chances[t].Of(seen.recorded) : 0;
      for (const int group : {0, 1 + RoleIndex(seen.role), 2 + static_cast<int>(seen.branch)}) {
        ++counts.suggested[group];
        counts.expected[group] += chance;
      }
    }
  }
}

std::vector<DataSetFigure> FiguresOf(const LineCounts& counts) {
  std::vector<DataSetFigure> figures = {{"lines reaching 2H", Ratio(counts.reaching, counts.lines)},
                                        {"moves to 2H: mean", Ratio(counts.movesToGoal, counts.reaching)}};
  int from = 1;
  for (std::size_t g = 0; g < MovesGroupEnds.size(); ++g) {
    const int to = MovesGroupEnds[g];
    const std::string range = g + 1 == MovesGroupEnds.size() ? std::to_string(from) + " or more"
                              : to == from                   ? std::to_string(to)
                                                             : std::to_string(from) + "-" + std::to_string(to);
    figures.push_back({"moves to 2H: " + range, Ratio(counts.movesGroups[g], counts.reaching)});
    from = MovesGroupEnds[g] + 1;
  }
  for (const int role : {0, 1}) {
    const auto& letters = counts.letters[role];
    const double all = std::accumulate(letters.begin(), letters.end(), 0.0);
    for (int m = 0; m < MoveCount; ++m) {
      figures.push_back({std::string(role == 0 ? "CK" : "NK") + " letter " + MoveLetters[m], Ratio(letters[m], all)});
    }
  }
  const double lines_begun = std::accumulate(counts.firstLetters.begin(), counts.firstLetters.end(), 0.0);
  for (int m = 0; m < MoveCount; ++m) {
    figures.push_back({std::string("first letter ") + MoveLetters[m], Ratio(counts.firstLetters[m], lines_begun)});
  }
  for (int g = 0; g < AgreementGroupCount; ++g) {
    figures.push_back({AgreementNames[g], Ratio(counts.expected[g], static_cast<double>(counts.suggested[g]))});
  }
  return figures;
}

// The recorded lines of each hand.
std::vector<int> LinesPerHand(const HandList& hands) {
  std::vector<int> lines;
  for (const Fhand& hand : hands) {
    const std::size_t count = hand.MoveLines.size();
    lines.push_back(count > FirstRecordedLine ? static_cast<int>(count - FirstRecordedLine) : 0);
  }
  return lines;
}

CheckedFigure CheckOne(const DataSetFigure& recorded, std::vector<double> simulated) {
  simulated.erase(std::remove_if(simulated.begin(), simulated.end(), [](double v) { return std::isnan(v); }),
                  simulated.end());
  std::sort(simulated.begin(), simulated.end());
  const double count = static_cast<double>(simulated.size());
  return {.name = recorded.name,
          .recorded = recorded.value,
          .mean = simulated.empty() ? NotANumber : std::accumulate(simulated.begin(), simulated.end(), 0.0) / count,
          .lower = Quantile(simulated, CheckBandLow),
          .upper = Quantile(simulated, CheckBandHigh),
          .dataSets = static_cast<long long>(simulated.size())};
}

}  // namespace

std::vector<DataSetFigure> DataSetFigures(const HandList& hands, ModelVariant variant, const ParameterPoint& point) {
  const AnalysisSettings settings = SettingsOf(variant, point);
  LineCounts counts;
  CountPaths(hands, settings, counts);
  CountAgreement(hands, settings, point[LapseIndex], counts);
  return FiguresOf(counts);
}

std::vector<DataSetFigure> SimulatedFigures(const HandList& hands, const PredictiveDesign& design, int replicate) {
  Random random(UnitSeed(design.seed, static_cast<std::uint64_t>(replicate)));
  const HandList data = SimulateDataSet(hands, LinesPerHand(hands), design.variant, design.point, random);
  return DataSetFigures(data, design.variant, design.point);
}

int PredictiveCheck::OutsideCount() const {
  const auto outside = [](const CheckedFigure& f) { return f.Outside(); };
  return static_cast<int>(std::count_if(figures.begin(), figures.end(), outside));
}

PredictiveCheck RunPredictiveCheck(const HandList& hands, const PredictiveDesign& design, int jobs,
                                   const StudyWatch& watch) {
  std::vector<std::vector<DataSetFigure>> simulated(static_cast<std::size_t>(design.replicates));
  const std::size_t done = RunStudyUnits(simulated.size(), jobs, watch, [&](std::size_t r) {
    simulated[r] = SimulatedFigures(hands, design, static_cast<int>(r));
  });
  simulated.resize(done);
  PredictiveCheck check{.replicates = static_cast<int>(done)};
  const std::vector<DataSetFigure> recorded = DataSetFigures(hands, design.variant, design.point);
  for (std::size_t f = 0; f < recorded.size(); ++f) {
    std::vector<double> values;
    for (const std::vector<DataSetFigure>& figures : simulated) values.push_back(figures[f].value);
    check.figures.push_back(CheckOne(recorded[f], values));
  }
  return check;
}

double Quantile(const std::vector<double>& sorted, double q) {
  if (sorted.empty()) return NotANumber;
  const double place = q * static_cast<double>(sorted.size() - 1);
  const std::size_t below = static_cast<std::size_t>(std::floor(place));
  const std::size_t above = std::min(below + 1, sorted.size() - 1);
  return sorted[below] + (place - static_cast<double>(below)) * (sorted[above] - sorted[below]);
}

}  // namespace bruso
