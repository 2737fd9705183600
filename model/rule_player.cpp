#include "model/rule_player.h"

#include <cmath>
#include <limits>
#include <map>

#include "model/fit_data.h"
#include "model/headless_hand.h"
#include "players/history.h"

namespace bruso {

LetterChances RuleChancesAt(const RulePlayer& player, const TreeNode& position) {
  std::string history;
  HiStory(&position, history);
  return RuleChances(player.RulesFor(position.role), history);
}

LineScore ScoreAttempts(const std::vector<RuleAttempt>& attempts, double lapse) {
  LineScore score;
  for (const RuleAttempt& attempt : attempts) {
    const double r = attempt.chances.Of(attempt.recorded);
    score.logLikelihood += std::log(PlayerProbability(r, lapse));
    score.expectedAgreements += r;
    ++score.suggested;
  }
  return score;
}

void RuleAttemptObserver::PositionAnalysed(const AnalysedPosition& position) {
  if (position.recorded == '\0') return;  // the string ends here: no letter is played from it
  attempts_.push_back({RuleChancesAt(player_, *position.node), position.recorded});
}

RuleData RuleDataFrom(const HandList& hands) {
  RuleData data;
  std::map<std::pair<char, std::string>, std::size_t> index_of;
  std::string history;
  for (const Fhand& hand : hands) {
    HeadlessHand headless(hand);
    for (std::size_t line = FirstRecordedLine; line < hand.MoveLines.size(); ++line) {
      headless.Follow(hand.MoveLines[line].Line, AnalysisSettings{}, [&](const TreeNode& position, char letter) {
        HiStory(&position, history);
        const auto [found, added] = index_of.emplace(std::pair{position.role, history}, data.situations.size());
        if (added) data.situations.push_back({.role = position.role, .history = history});
        ++data.situations[found->second].recorded[MoveIndex(letter)];
        ++data.attempts;
      });
    }
  }
  return data;
}

void AddRecordedChances(const RuleData& data, const RulePlayer& player, char role, std::vector<ChanceCount>& chances) {
  for (const RuleSituation& situation : data.situations) {
    if (role != '\0' && situation.role != role) continue;
    const LetterChances r = RuleChances(player.RulesFor(situation.role), situation.history);
    for (int m = 0; m < MoveCount; ++m) {
      if (situation.recorded[m] > 0) chances.push_back({r.move[m], situation.recorded[m]});
    }
  }
}

namespace {

// The log-likelihood of the lapse rate and its first two derivatives.
struct LapseTerms {
  double value = 0;
  double slope = 0;
  double curvature = 0;
};

LapseTerms TermsAt(const std::vector<ChanceCount>& chances, double lapse) {
  LapseTerms terms;
  for (const ChanceCount& c : chances) {
    const double q = PlayerProbability(c.chance, lapse);
    const double dq = 1.0 / MoveCount - c.chance;
    const double n = static_cast<double>(c.count);
    terms.value += n * std::log(q);
    terms.slope += n * dq / q;
    terms.curvature -= n * dq * dq / (q * q);
  }
  return terms;
}

// The log-likelihood is a sum of logarithms of functions linear in the lapse rate, so it
// is concave: its maximum is where the slope changes sign, found by halving the interval.
double BestLapse(const std::vector<ChanceCount>& chances) {
  double low = LapseMargin;
  double high = 1 - LapseMargin;
  if (TermsAt(chances, low).slope <= 0) return low;
  if (TermsAt(chances, high).slope >= 0) return high;
  for (int halving = 0; halving < 100 && high - low > 1e-13; ++halving) {
    const double middle = (low + high) / 2;
    (TermsAt(chances, middle).slope > 0 ? low : high) = middle;
  }
  return (low + high) / 2;
}

// The same chances with the attempts of equal chances added up: the chances of a rules
// file take few values, so that the fit then sums over a handful of terms.
std::vector<ChanceCount> Collapsed(const std::vector<ChanceCount>& chances) {
  std::map<double, long long> counts;
  for (const ChanceCount& c : chances) counts[c.chance] += c.count;
  std::vector<ChanceCount> collapsed;
  collapsed.reserve(counts.size());
  for (const auto& [chance, count] : counts) collapsed.push_back({chance, count});
  return collapsed;
}

}  // namespace

FitResult FitRulePlayer(const std::vector<ChanceCount>& all_chances, std::optional<double> fixed_lapse,
                        int weights_fitted) {
  const std::vector<ChanceCount> chances = Collapsed(all_chances);
  const double lapse = fixed_lapse.value_or(BestLapse(chances));
  const LapseTerms terms = TermsAt(chances, lapse);
  long long n = 0;
  double agreements = 0;
  for (const ChanceCount& c : chances) {
    n += c.count;
    agreements += static_cast<double>(c.count) * c.chance;
  }
  FitResult fit{.model = FitModel::Rules};
  fit.logLikelihood = terms.value;
  fit.positions = n;
  fit.freeParameters = (fixed_lapse ? 0 : 1) + weights_fitted;
  fit.aic = 2.0 * fit.freeParameters - 2 * terms.value;
  fit.bic = fit.freeParameters * std::log(static_cast<double>(std::max(1LL, n))) - 2 * terms.value;
  fit.expectedAgreement = n > 0 ? agreements / static_cast<double>(n) : 0;
  ParameterEstimate& estimate = fit.parameters[LapseIndex];
  estimate.determined = true;
  estimate.fixed = fixed_lapse.has_value();
  estimate.value = lapse;
  if (!fixed_lapse) {
    estimate.standardError =
        terms.curvature < 0 ? 1 / std::sqrt(-terms.curvature) : std::numeric_limits<double>::quiet_NaN();
  }
  return fit;
}

}  // namespace bruso
