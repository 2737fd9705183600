#include "model/fit_data.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <thread>

#include "model/headless_hand.h"
#include "model/line_compiler.h"

namespace bruso {

namespace {

std::vector<CompiledLine> CompileHand(const Fhand& hand, const AnalysisSettings& settings) {
  std::vector<CompiledLine> lines;
  HeadlessHand headless(hand);
  LineCompiler compiler(settings);
  Random random;  // the seeded replay's own draws do not reach the compiled line
  for (std::size_t line = FirstRecordedLine; line < hand.MoveLines.size(); ++line) {
    compiler.LineStarted();
    headless.Replay(hand.MoveLines[line].Line, settings, random, compiler);
    lines.push_back(compiler.TakeLine());
  }
  return lines;
}

template <typename T>
void Append(std::string& key, const T& value) {
  key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// The bytes of the steps, equal exactly for equal pieces.
std::string KeyOf(const std::vector<CompiledStep>& steps) {
  std::string key;
  for (const CompiledStep& step : steps) {
    Append(key, step.recorded);
    Append(key, step.statesBefore);
    Append(key, step.statesAfter);
    for (int to : step.carry) Append(key, to);
    Append(key, '|');
    for (const Transition& t : step.transitions) {
      Append(key, t.from);
      Append(key, t.to);
      Append(key, t.weight.rule);
      Append(key, t.weight.constant);
      Append(key, t.weight.slope);
      Append(key, t.suggestion);
    }
    Append(key, '/');
  }
  return key;
}

// The likelihood asks of a suggestion only whether it is the recorded move: the step with
// its moves named by that alone, and the outcomes that then coincide added up, so that
// positions alike in that respect are counted as one.
CompiledStep ByAgreement(const CompiledStep& step) {
  CompiledStep plain = step;
  plain.recorded = MoveLetters[0];
  plain.transitions.clear();
  for (Transition t : step.transitions) {
    if (t.suggestion != '\0') t.suggestion = MoveLetters[t.suggestion == step.recorded ? 0 : 1];
    AddTransition(plain.transitions, t);
  }
  return plain;
}

}  // namespace

long long RecordedLineCount(const HandList& hands) {
  long long lines = 0;
  for (const Fhand& hand : hands) {
    if (hand.MoveLines.size() > FirstRecordedLine) lines += static_cast<long long>(hand.MoveLines.size() - FirstRecordedLine);
  }
  return lines;
}

std::vector<CompiledLine> CompileLines(const HandList& hands, const AnalysisSettings& settings, int jobs,
                                       const std::function<bool()>& stop_requested) {
  std::vector<std::vector<CompiledLine>> by_hand(hands.size());
  const std::size_t workers = static_cast<std::size_t>(std::max(1, jobs));
  {
    std::vector<std::jthread> threads;
    for (std::size_t worker = 0; worker < workers; ++worker) {
      threads.emplace_back([&, worker] {
        for (std::size_t h = worker; h < hands.size(); h += workers) {
          if (stop_requested && stop_requested()) return;
          by_hand[h] = CompileHand(hands[h], settings);
        }
      });
    }
  }
  std::vector<CompiledLine> lines;
  for (std::vector<CompiledLine>& hand_lines : by_hand) {
    for (CompiledLine& line : hand_lines) lines.push_back(std::move(line));
  }
  return lines;
}

FitData FitDataFrom(const std::vector<CompiledLine>& lines) {
  FitData data;
  std::map<std::string, std::size_t> index_of;
  const auto add_piece = [&](std::vector<CompiledStep> steps) {
    if (steps.empty()) return;
    for (const CompiledStep& step : steps) {
      for (const Transition& t : step.transitions) {
        if (t.weight.rule != 0) data.dependsOn[t.weight.rule - 1] = true;
      }
    }
    const auto [found, added] = index_of.emplace(KeyOf(steps), data.pieces.size());
    if (!added) {
      ++data.counts[found->second];
      return;
    }
    data.pieces.push_back({.steps = std::move(steps)});
    data.counts.push_back(1);
  };
  for (const CompiledLine& line : lines) {
    std::vector<CompiledStep> piece;
    for (const CompiledStep& step : line.steps) {
      if (step.statesBefore == 1 && !piece.empty()) {
        add_piece(std::move(piece));
        piece.clear();
      }
      piece.push_back(ByAgreement(step));
      if (piece.size() == 1) piece.back().carry = {0};  // a piece starts from one state
    }
    add_piece(std::move(piece));
  }
  return data;
}

LineScore ScoreData(const FitData& data, const PlayerParameters& player) {
  LineScore total;
  for (std::size_t i = 0; i < data.pieces.size(); ++i) {
    const LineScore piece = ScoreLine(data.pieces[i], player);
    const double count = static_cast<double>(data.counts[i]);
    total.logLikelihood += count * piece.logLikelihood;
    total.expectedAgreements += count * piece.expectedAgreements;
    total.suggested += data.counts[i] * piece.suggested;
  }
  return total;
}

}  // namespace bruso
