#include "model/fit_data.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>

#include "model/headless_hand.h"
#include "model/line_compiler.h"

namespace bruso {

namespace {

// A hand's compiled lines, with how often the hand holds each. A line's compilation
// depends only on its hand and its moves: with `merge_repeats`, a line the hand recorded
// before is counted again rather than compiled again.
struct HandLines {
  std::vector<CompiledLine> lines;
  std::vector<long long> counts;
};

HandLines CompileHand(const Fhand& hand, const AnalysisSettings& settings, bool merge_repeats) {
  HandLines compiled;
  std::unordered_map<std::string_view, std::size_t> seen;
  HeadlessHand headless(hand);
  LineCompiler compiler(settings);
  Random random;  // the seeded replay's own draws do not reach the compiled line
  for (std::size_t line = FirstRecordedLine; line < hand.MoveLines.size(); ++line) {
    const std::string& moves = hand.MoveLines[line].Line;
    if (merge_repeats) {
      const auto [found, added] = seen.emplace(moves, compiled.lines.size());
      if (!added) {
        ++compiled.counts[found->second];
        continue;
      }
    }
    compiler.LineStarted();
    headless.Replay(moves, settings, random, compiler);
    compiled.lines.push_back(compiler.TakeLine());
    compiled.counts.push_back(1);
  }
  return compiled;
}

// The lines of hands[begin, end), by hand, spread over `jobs` threads.
std::vector<HandLines> CompileHands(const HandList& hands, std::size_t begin, std::size_t end,
                                    const AnalysisSettings& settings, int jobs, bool merge_repeats,
                                    const std::function<bool()>& stop_requested) {
  std::vector<HandLines> by_hand(end - begin);
  const std::size_t workers = static_cast<std::size_t>(std::max(1, jobs));
  std::vector<std::jthread> threads;
  for (std::size_t worker = 0; worker < workers; ++worker) {
    threads.emplace_back([&, worker] {
      for (std::size_t h = begin + worker; h < end; h += workers) {
        if (stop_requested && stop_requested()) return;
        by_hand[h - begin] = CompileHand(hands[h], settings, merge_repeats);
      }
    });
  }
  threads.clear();  // joined
  return by_hand;
}

// The likelihood asks of a suggestion only whether it is the recorded move: the step's
// outcomes with their moves named by that alone ('C' agrees, 'U' differs), and the ones
// that then coincide added up, so that positions alike in that respect are counted as one.
void ByAgreement(const CompiledStep& step, std::vector<Transition>& plain) {
  plain.clear();
  for (Transition t : step.transitions) {
    if (t.suggestion != '\0') t.suggestion = MoveLetters[t.suggestion == step.recorded ? 0 : 1];
    AddTransition(plain, t);
  }
}

MoveAgreement AgreementOf(char suggestion) {
  if (suggestion == '\0') return MoveAgreement::Silent;
  return suggestion == MoveLetters[0] ? MoveAgreement::Agrees : MoveAgreement::Differs;
}

void Mix(std::uint64_t& hash, std::uint64_t value) { hash = (hash ^ value) * 0x100000001b3ULL; }

std::uint64_t HashOf(const FitData& data, const Piece& piece) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (std::uint32_t s = piece.firstStep; s < piece.firstStep + piece.stepCount; ++s) {
    const PieceStep& step = data.steps[s];
    Mix(hash, (static_cast<std::uint64_t>(step.statesBefore) << 16) | step.statesAfter);
    for (std::uint32_t c = 0; c < step.carried; ++c) Mix(hash, data.carry[step.firstCarry + c]);
    for (std::uint32_t i = 0; i < step.transitionCount; ++i) {
      const PieceTransition& t = data.transitions[step.firstTransition + i];
      Mix(hash, (static_cast<std::uint64_t>(t.chance) << 48) | (static_cast<std::uint64_t>(t.from) << 32) |
                    (static_cast<std::uint64_t>(t.to) << 16) | (static_cast<std::uint64_t>(t.rule) << 8) |
                    static_cast<std::uint64_t>(t.agreement));
    }
  }
  return hash;
}

// The value as the store's 16 bits; a fit whose data need more is refused.
std::uint16_t Narrow(std::size_t value, const char* what) {
  if (value > 0xffff) throw std::length_error(std::string("the fit's data hold too many ") + what);
  return static_cast<std::uint16_t>(value);
}

long long RecordedLinesOf(std::size_t move_lines) {
  return move_lines > FirstRecordedLine ? static_cast<long long>(move_lines - FirstRecordedLine) : 0;
}

}  // namespace

long long RecordedLineCount(const HandList& hands) {
  long long lines = 0;
  for (const Fhand& hand : hands) lines += RecordedLinesOf(hand.MoveLines.size());
  return lines;
}

long long RecordedLineCount(const std::vector<std::size_t>& move_line_counts) {
  long long lines = 0;
  for (std::size_t count : move_line_counts) lines += RecordedLinesOf(count);
  return lines;
}

std::vector<CompiledLine> CompileLines(const HandList& hands, const AnalysisSettings& settings, int jobs,
                                       const std::function<bool()>& stop_requested) {
  std::vector<HandLines> by_hand = CompileHands(hands, 0, hands.size(), settings, jobs, false, stop_requested);
  std::vector<CompiledLine> lines;
  for (HandLines& hand : by_hand) {
    for (CompiledLine& line : hand.lines) lines.push_back(std::move(line));
  }
  return lines;
}

FitDataBuilder::FitDataBuilder() : index_(0, PieceHash{&data_}, SamePiece{&data_}) {}

bool FitDataBuilder::SamePiece::operator()(std::uint32_t a, std::uint32_t b) const {
  const Piece& first = data->pieces[a];
  const Piece& second = data->pieces[b];
  if (first.hash != second.hash || first.stepCount != second.stepCount) return false;
  for (std::uint32_t s = 0; s < first.stepCount; ++s) {
    const PieceStep& x = data->steps[first.firstStep + s];
    const PieceStep& y = data->steps[second.firstStep + s];
    if (x.carried != y.carried || x.transitionCount != y.transitionCount || x.statesBefore != y.statesBefore ||
        x.statesAfter != y.statesAfter) {
      return false;
    }
    const auto carry = data->carry.begin();
    if (!std::equal(carry + x.firstCarry, carry + x.firstCarry + x.carried, carry + y.firstCarry)) return false;
    const auto transitions = data->transitions.begin();
    if (!std::equal(transitions + x.firstTransition, transitions + x.firstTransition + x.transitionCount,
                    transitions + y.firstTransition)) {
      return false;
    }
  }
  return true;
}

std::uint16_t FitDataBuilder::ChanceIndex(const OutcomeWeight& weight) {
  const OutcomeChance chance{.constant = weight.constant, .slope = weight.slope,
                             .rule = static_cast<std::uint8_t>(weight.rule)};
  std::vector<std::uint16_t>& alike = chanceIndex_[std::bit_cast<std::uint64_t>(chance.constant)];
  for (const std::uint16_t index : alike) {
    if (data_.chances[index] == chance) return index;
  }
  alike.push_back(Narrow(data_.chances.size(), "distinct chances"));
  data_.chances.push_back(chance);
  return alike.back();
}

// Adds the step to the open piece; a piece's first step starts from one state.
void FitDataBuilder::AddStep(const CompiledStep& step, bool first) {
  thread_local std::vector<Transition> plain;
  ByAgreement(step, plain);
  const PieceStep flat{.firstCarry = static_cast<std::uint32_t>(data_.carry.size()),
                       .firstTransition = static_cast<std::uint32_t>(data_.transitions.size()),
                       .carried = first ? std::uint16_t{1} : Narrow(step.carry.size(), "states"),
                       .transitionCount = Narrow(plain.size(), "outcomes of a position"),
                       .statesBefore = Narrow(step.statesBefore, "states"),
                       .statesAfter = Narrow(step.statesAfter, "states")};
  if (first) {
    data_.carry.push_back(0);
  } else {
    for (const int state : step.carry) data_.carry.push_back(static_cast<std::uint16_t>(state));
  }
  for (const Transition& t : plain) {
    if (t.weight.rule != 0) data_.dependsOn[t.weight.rule - 1] = true;
    data_.transitions.push_back({.chance = ChanceIndex(t.weight),
                                 .from = static_cast<std::uint16_t>(t.from),
                                 .to = static_cast<std::uint16_t>(t.to),
                                 .rule = static_cast<std::uint8_t>(t.weight.rule),
                                 .agreement = AgreementOf(t.suggestion)});
  }
  data_.mostStates = std::max({data_.mostStates, step.statesBefore, step.statesAfter});
  data_.steps.push_back(flat);
  const std::uint32_t steps = ++data_.pieces.back().stepCount;
  data_.longestPiece = std::max<std::size_t>(data_.longestPiece, steps);
}

// Keeps the open piece, or drops it and counts the equal one already held.
void FitDataBuilder::EndPiece() {
  open_ = false;
  Piece& piece = data_.pieces.back();
  piece.hash = HashOf(data_, piece);
  const std::uint32_t id = static_cast<std::uint32_t>(data_.pieces.size() - 1);
  const auto found = index_.find(id);
  if (found == index_.end()) {
    index_.insert(id);
    return;
  }
  data_.pieces[*found].count += piece.count;
  const PieceStep& first = data_.steps[piece.firstStep];
  data_.carry.resize(first.firstCarry);
  data_.transitions.resize(first.firstTransition);
  data_.steps.resize(piece.firstStep);
  data_.pieces.pop_back();
}

void FitDataBuilder::AddLine(const CompiledLine& line, long long count) {
  for (const CompiledStep& step : line.steps) {
    if (step.statesBefore == 1 && open_) EndPiece();
    const bool first = !open_;
    if (first) {
      data_.pieces.push_back({.firstStep = static_cast<std::uint32_t>(data_.steps.size()), .stepCount = 0, .count = count});
      open_ = true;
    }
    AddStep(step, first);
  }
  if (open_) EndPiece();
}

FitData FitDataBuilder::Take() {
  index_.clear();
  chanceIndex_.clear();
  FitData data = std::move(data_);
  data_ = FitData{};
  return data;
}

FitData FitDataFrom(const std::vector<CompiledLine>& lines) {
  FitDataBuilder builder;
  for (const CompiledLine& line : lines) builder.AddLine(line);
  return builder.Take();
}

FitData CompileFitDataOf(const HandList& hands, const AnalysisSettings& settings, int jobs,
                         const std::function<bool()>& stop_requested) {
  constexpr std::size_t HandsPerThread = 256;
  const std::size_t block = HandsPerThread * static_cast<std::size_t>(std::max(1, jobs));
  FitDataBuilder builder;
  for (std::size_t begin = 0; begin < hands.size(); begin += block) {
    if (stop_requested && stop_requested()) break;
    const std::size_t end = std::min(hands.size(), begin + block);
    for (const HandLines& hand : CompileHands(hands, begin, end, settings, jobs, true, stop_requested)) {
      for (std::size_t l = 0; l < hand.lines.size(); ++l) builder.AddLine(hand.lines[l], hand.counts[l]);
    }
  }
  return builder.Take();
}

namespace {

constexpr int LapseSlot = CardRuleCount;

// The forward pass over one piece's states, as ScoreLine's, keeping the weights of every
// step; with a gradient asked for, a backward pass then carries the derivative of the
// log-likelihood back through the steps (the adjoints of the weights), which costs about
// as much as the forward pass whatever the number of parameters. The arithmetic is
// ScoreLine's, term by term in the same order; what does not depend on the piece (each
// distinct chance at the parameters) is worked out once per pass, and the sums that run
// over a step's transitions are kept in registers where a step has one state.
class PieceScorer {
 public:
  PieceScorer(const FitData& data, const PlayerParameters& player)
      : data_(data), stride_(static_cast<std::size_t>(data.mostStates)) {
    chances_.reserve(data.chances.size());
    for (const OutcomeChance& chance : data.chances) {
      // A chance that asks no card rule has slope 0: its value is its constant.
      const double p = chance.rule == 0 ? 0.0 : player.probabilities[chance.rule];
      chances_.push_back({.value = chance.constant + chance.slope * p, .slope = chance.slope});
    }
    for (const MoveAgreement agreement : {MoveAgreement::Silent, MoveAgreement::Agrees, MoveAgreement::Differs}) {
      const int a = static_cast<int>(agreement);
      const bool silent = agreement == MoveAgreement::Silent;
      const bool agrees = agreement == MoveAgreement::Agrees;
      factor_[a] = silent ? 1 : PlayerProbability(agrees ? 1 : 0, player.lapse);
      // Q = (1 - lapse) P + lapse / 5, so dQ / dlapse = 1 / 5 - P.
      lapseSlope_[a] = silent ? 0 : 1.0 / MoveCount - (agrees ? 1 : 0);
    }
    befores_.resize(data.longestPiece * stride_);
    afters_.resize((data.longestPiece + 1) * stride_);
    totals_.resize(data.longestPiece);
    adjoint_.resize(stride_);
    adjointBefore_.resize(stride_);
  }

  // The piece's log-likelihood; with `Counted`, the agreements expected and the positions
  // with a suggestion too.
  template <bool Counted>
  LineScore Forward(const Piece& piece);
  // After Forward of the same piece: adds d ln L / d parameter of the piece to `gradient`.
  void Backward(const Piece& piece, ParameterGradient& gradient);

 private:
  struct ChanceAt {
    double value;  // at the parameters of the pass
    double slope;
  };
  template <bool Counted>
  void StepForward(const PieceStep& step, const double* before, double* after, LineScore& score) const;

  const FitData& data_;
  const std::size_t stride_;  // room for the states of any step
  std::vector<ChanceAt> chances_;
  double factor_[3];
  double lapseSlope_[3];
  // Per step k of the piece: its weights before it at befores_[k * stride_], after it
  // (divided by their total) at afters_[(k + 1) * stride_], and that total. afters_ opens
  // with the one state the piece starts from.
  std::vector<double> befores_, afters_, totals_;
  std::vector<double> adjoint_, adjointBefore_;  // of the weights after and before a step
};

// The weights after the step (not yet divided by their total) from those before it.
template <bool Counted>
void PieceScorer::StepForward(const PieceStep& step, const double* before, double* after, LineScore& score) const {
  const PieceTransition* transitions = &data_.transitions[step.firstTransition];
  if constexpr (Counted) {
    bool suggests = false;
    double agreeing = 0;
    std::fill(after, after + step.statesAfter, 0.0);
    for (std::uint32_t i = 0; i < step.transitionCount; ++i) {
      const PieceTransition& t = transitions[i];
      const double w = before[t.from] * chances_[t.chance].value;
      suggests |= t.agreement != MoveAgreement::Silent;
      if (t.agreement == MoveAgreement::Agrees) agreeing += w;
      after[t.to] += w * factor_[static_cast<int>(t.agreement)];
    }
    if (suggests) {
      score.expectedAgreements += agreeing;
      ++score.suggested;
    }
  } else if (step.statesAfter == 1) {
    double sum = 0;
    for (std::uint32_t i = 0; i < step.transitionCount; ++i) {
      const PieceTransition& t = transitions[i];
      sum += before[t.from] * chances_[t.chance].value * factor_[static_cast<int>(t.agreement)];
    }
    after[0] = sum;
  } else {
    std::fill(after, after + step.statesAfter, 0.0);
    for (std::uint32_t i = 0; i < step.transitionCount; ++i) {
      const PieceTransition& t = transitions[i];
      after[t.to] += before[t.from] * chances_[t.chance].value * factor_[static_cast<int>(t.agreement)];
    }
  }
}

template <bool Counted>
LineScore PieceScorer::Forward(const Piece& piece) {
  LineScore score;
  afters_[0] = 1;
  double product = 1;  // as in ScoreLine: one logarithm per piece, unless it grows too small
  for (std::uint32_t k = 0; k < piece.stepCount; ++k) {
    const PieceStep& step = data_.steps[piece.firstStep + k];
    const double* weights = &afters_[k * stride_];
    double* before = &befores_[k * stride_];
    double* after = &afters_[(k + 1) * stride_];
    const std::uint16_t* carry = &data_.carry[step.firstCarry];
    if (step.statesBefore == 1) {
      double sum = 0;
      for (std::uint32_t i = 0; i < step.carried; ++i) sum += weights[i];
      before[0] = sum;
    } else {
      std::fill(before, before + step.statesBefore, 0.0);
      for (std::uint32_t i = 0; i < step.carried; ++i) before[carry[i]] += weights[i];
    }
    StepForward<Counted>(step, before, after, score);
    double total = 0;
    for (int s = 0; s < step.statesAfter; ++s) total += after[s];
    product *= total;
    if (product < 1e-250) {
      score.logLikelihood += std::log(product);
      product = 1;
    }
    for (int s = 0; s < step.statesAfter; ++s) after[s] /= total;
    totals_[k] = total;
  }
  score.logLikelihood += std::log(product);
  return score;
}

// ln L = sum of ln T over the steps, where T is the total of the step's weights A and the
// weights after it are A / T. With ū the adjoint of A / T (how ln L of the later steps
// changes with it), the adjoint of A[s] is (1 + ū[s] - ū·(A / T)) / T; the transitions pass
// it on to the weights before the step and to the parameters. Each parameter's terms are
// added in the order of the transitions; the running sums stay in registers.
void PieceScorer::Backward(const Piece& piece, ParameterGradient& gradient) {
  double* adjoint = adjoint_.data();
  double* adjoint_before = adjointBefore_.data();
  std::fill(adjoint, adjoint + stride_, 0.0);
  double lapse = gradient[LapseSlot];
  for (std::uint32_t k = piece.stepCount; k-- > 0;) {
    const PieceStep& step = data_.steps[piece.firstStep + k];
    const double* after = &afters_[(k + 1) * stride_];
    const double* before = &befores_[k * stride_];
    double dot = 0;
    for (int s = 0; s < step.statesAfter; ++s) dot += adjoint[s] * after[s];
    for (int s = 0; s < step.statesAfter; ++s) adjoint[s] = (1 + adjoint[s] - dot) / totals_[k];
    std::fill(adjoint_before, adjoint_before + step.statesBefore, 0.0);
    int rule = 0;  // the card rule whose running sum is `rule_sum`
    double rule_sum = 0;
    const PieceTransition* transitions = &data_.transitions[step.firstTransition];
    for (std::uint32_t i = 0; i < step.transitionCount; ++i) {
      const PieceTransition& t = transitions[i];
      const int a = static_cast<int>(t.agreement);
      const ChanceAt& chance = chances_[t.chance];
      const double g = adjoint[t.to] * factor_[a];
      adjoint_before[t.from] += g * chance.value;
      if (t.rule != 0) {
        if (t.rule != rule) {
          if (rule != 0) gradient[rule - 1] = rule_sum;
          rule = t.rule;
          rule_sum = gradient[rule - 1];
        }
        rule_sum += g * before[t.from] * chance.slope;
      }
      lapse += adjoint[t.to] * before[t.from] * chance.value * lapseSlope_[a];
    }
    if (rule != 0) gradient[rule - 1] = rule_sum;
    const std::uint16_t* carry = &data_.carry[step.firstCarry];
    for (std::uint32_t i = 0; i < step.carried; ++i) adjoint[i] = adjoint_before[carry[i]];
  }
  gradient[LapseSlot] = lapse;
}

}  // namespace

LineScore ScoreData(const FitData& data, const PlayerParameters& player) {
  LineScore total;
  PieceScorer scorer(data, player);
  for (const Piece& piece : data.pieces) {
    const LineScore score = scorer.Forward<true>(piece);
    const double count = static_cast<double>(piece.count);
    total.logLikelihood += count * score.logLikelihood;
    total.expectedAgreements += count * score.expectedAgreements;
    total.suggested += piece.count * score.suggested;
  }
  return total;
}

double LogLikelihoodWithGradient(const FitData& data, const PlayerParameters& player, ParameterGradient& gradient) {
  double log_likelihood = 0;
  PieceScorer scorer(data, player);
  gradient.fill(0.0);
  ParameterGradient piece_gradient;
  for (const Piece& piece : data.pieces) {
    const double piece_log_likelihood = scorer.Forward<false>(piece).logLikelihood;
    piece_gradient.fill(0.0);
    scorer.Backward(piece, piece_gradient);
    const double count = static_cast<double>(piece.count);
    log_likelihood += count * piece_log_likelihood;
    for (std::size_t k = 0; k < piece_gradient.size(); ++k) gradient[k] += count * piece_gradient[k];
  }
  return log_likelihood;
}

}  // namespace bruso
