#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "analysis/analysis_settings.h"
#include "analysis/chance.h"
#include "model/compiled_line.h"
#include "model/line_likelihood.h"
#include "shoe/shoe_file.h"

namespace bruso {

// The first line after a hand line is not one of its move lines: a hand's recorded lines
// are its MoveLines from this index on, as classify replays them.
inline constexpr std::size_t FirstRecordedLine = 1;

// How many recorded lines the hands hold; or hands of these numbers of move lines.
long long RecordedLineCount(const HandList& hands);
long long RecordedLineCount(const std::vector<std::size_t>& move_line_counts);

// Compiles every recorded line of the hands for the model the settings describe, in the
// order of the shoe, spreading the hands over `jobs` threads (the result is the same for
// any number).
// `stop_requested`, when given, is asked before each hand (from the threads): true leaves
// the remaining hands out.
std::vector<CompiledLine> CompileLines(const HandList& hands, const AnalysisSettings& settings, int jobs,
                                       const std::function<bool()>& stop_requested = {});

// What a suggested move says of the likelihood: only whether it is the recorded move.
enum class MoveAgreement : std::uint8_t { Silent, Agrees, Differs };

// The chance of an outcome as a function of a card rule's probability:
// constant + slope * p[rule] (rule 0 and slope 0 without a rule).
struct OutcomeChance {
  double constant = 1;
  double slope = 0;
  std::uint8_t rule = 0;
  bool operator==(const OutcomeChance&) const = default;
};

// A transition of a piece's step, from state `from` to state `to`, with the chance
// chances[chance], which asks card rule `rule` (0: none). Eight bytes, so that a pass over many
// pieces reads little memory.
struct PieceTransition {
  std::uint16_t chance = 0;
  std::uint16_t from = 0;
  std::uint16_t to = 0;
  std::uint8_t rule = 0;
  MoveAgreement agreement = MoveAgreement::Silent;
  bool operator==(const PieceTransition&) const = default;
};

// A step of a piece: the weights of the states before it come from the states after the
// step before through carry[firstCarry, firstCarry + carried); its transitions are
// transitions[firstTransition, firstTransition + transitionCount).
struct PieceStep {
  std::uint32_t firstCarry = 0;
  std::uint32_t firstTransition = 0;
  std::uint16_t carried = 1;
  std::uint16_t transitionCount = 0;
  std::uint16_t statesBefore = 1;
  std::uint16_t statesAfter = 1;
};

// A distinct piece: steps[firstStep, firstStep + stepCount), met `count` times.
struct Piece {
  std::uint32_t firstStep = 0;
  std::uint32_t stepCount = 0;
  long long count = 1;
  std::uint64_t hash = 0;
};

// The lines cut where their marks leave one state (where the past says nothing more about
// the future), with equal pieces stored once and counted: a line's likelihood is the
// product of its pieces', so that evaluating the likelihood costs one pass over the
// distinct pieces. The pieces live in flat arrays, so that a fit of many lines holds a few
// large blocks rather than small vectors per position.
struct FitData {
  std::vector<Piece> pieces;
  std::vector<PieceStep> steps;
  std::vector<std::uint16_t> carry;
  std::vector<PieceTransition> transitions;
  std::vector<OutcomeChance> chances;  // each distinct one once
  // Whether some position's chances depend on p[k] (index k - 1).
  std::array<bool, CardRuleCount> dependsOn{};
  int mostStates = 1;            // the most states of any step
  std::size_t longestPiece = 0;  // the most steps of any piece
};

// Builds FitData line by line, finding the pieces it already holds.
class FitDataBuilder {
 public:
  FitDataBuilder();
  FitDataBuilder(const FitDataBuilder&) = delete;
  FitDataBuilder& operator=(const FitDataBuilder&) = delete;

  // Adds a line recorded `count` times.
  void AddLine(const CompiledLine& line, long long count = 1);
  FitData Take();

 private:
  struct PieceHash {
    const FitData* data;
    std::size_t operator()(std::uint32_t piece) const { return data->pieces[piece].hash; }
  };
  struct SamePiece {
    const FitData* data;
    bool operator()(std::uint32_t a, std::uint32_t b) const;
  };
  void AddStep(const CompiledStep& step, bool first);
  void EndPiece();
  std::uint16_t ChanceIndex(const OutcomeWeight& weight);

  FitData data_;
  std::unordered_set<std::uint32_t, PieceHash, SamePiece> index_;
  std::unordered_map<std::uint64_t, std::vector<std::uint16_t>> chanceIndex_;  // by the bits of the constant
  bool open_ = false;  // the last piece is still being added to
};

FitData FitDataFrom(const std::vector<CompiledLine>& lines);

// Compiles the hands' recorded lines straight into FitData, a block of hands at a time, so
// that the compiled lines of only one block are held at once; a line that its hand recorded
// before is counted, not compiled again. The result is the same for
// any number of `jobs`; `stop_requested` as for CompileLines.
FitData CompileFitDataOf(const HandList& hands, const AnalysisSettings& settings, int jobs,
                         const std::function<bool()>& stop_requested = {});

// d ln L / d p1..p10, then d ln L / d lapse.
using ParameterGradient = std::array<double, CardRuleCount + 1>;

// The sums over all lines.
LineScore ScoreData(const FitData& data, const PlayerParameters& player);

// The log-likelihood of all lines (as ScoreData's, to the last bit), and its gradient put in
// `gradient`, for about twice the cost of the value.
double LogLikelihoodWithGradient(const FitData& data, const PlayerParameters& player, ParameterGradient& gradient);

}  // namespace bruso
