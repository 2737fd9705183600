#include "model/weight_search.h"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/text_lines.h"
#include "engine/whole_integer.h"

namespace bruso {

namespace {

constexpr std::string_view CommentStart = "/ fit-weights: ";
constexpr std::string_view CommentCount = " weights fitted";
// A trial must raise the log-likelihood by more than rounding can.
constexpr double Improvement = 1e-9;
constexpr char Roles[] = {RoleCK, RoleNK};

// The rule player's log-likelihood, its lapse rate at its best, as weights change: the
// chances of the recorded moves are kept per side, so that a trial works out again only
// the side whose weight it changes.
class WeightTrials {
 public:
  WeightTrials(const RuleData& data, RulePlayer player, const std::function<bool()>& stop_requested)
      : data_(data), player_(std::move(player)), stopRequested_(stop_requested) {
    for (char role : Roles) WorkOut(role);
  }

  const RulePlayer& player() const { return player_; }
  double value() const { return value_; }
  int Weight(char role, int field) const { return player_.RulesFor(role).Weight(field); }

  // Sets the weight and returns the log-likelihood with it.
  double Try(char role, int field, int weight) {
    if (stopRequested_ && stopRequested_()) throw FitCancelled();
    player_.RulesFor(role).Weight(field) = weight;
    WorkOut(role);
    return value_;
  }

  std::vector<ChanceCount> Chances() const {
    std::vector<ChanceCount> all = chances_[0];
    all.insert(all.end(), chances_[1].begin(), chances_[1].end());
    return all;
  }

 private:
  void WorkOut(char role) {
    std::vector<ChanceCount>& side = chances_[role == RoleCK ? 0 : 1];
    side.clear();
    AddRecordedChances(data_, player_, role, side);
    value_ = FitRulePlayer(Chances(), std::nullopt, 0).logLikelihood;
  }

  const RuleData& data_;
  RulePlayer player_;
  const std::function<bool()>& stopRequested_;
  std::array<std::vector<ChanceCount>, 2> chances_;
  double value_ = 0;
};

// One weight after the other takes the best value of the range when that improves the
// likelihood, until a whole pass changes nothing.
void ClimbFrom(WeightTrials& trials, WeightRange range) {
  for (bool changed = true; changed;) {
    changed = false;
    for (char role : Roles) {
      for (int field = FirstFittedField; field <= RuleFieldCount; ++field) {
        const int now = trials.Weight(role, field);
        int best = now;
        double best_value = trials.value();
        for (int weight = range.low; weight <= range.high; ++weight) {
          if (weight == now) continue;
          const double value = trials.Try(role, field, weight);
          if (value > best_value + Improvement) {
            best = weight;
            best_value = value;
          }
        }
        trials.Try(role, field, best);
        changed = changed || best != now;
      }
    }
  }
}

RulePlayer WithAllWeights(RulePlayer player, int weight) {
  for (char role : Roles) {
    for (int field = FirstFittedField; field <= RuleFieldCount; ++field) player.RulesFor(role).Weight(field) = weight;
  }
  return player;
}

}  // namespace

std::string WeightsFittedComment(int count, std::string_view shoe) {
  return std::string(CommentStart) + std::to_string(count) + std::string(CommentCount) + " to " + std::string(shoe);
}

int WeightsFittedIn(std::string_view rules_text) {
  int count = 0;
  LineCursor lines(rules_text);
  std::string_view line;
  while (lines.Next(line)) {
    if (!line.starts_with(CommentStart)) continue;
    line.remove_prefix(CommentStart.size());
    const std::size_t end = line.find(CommentCount);
    if (end == std::string_view::npos) continue;
    if (const std::optional<std::int32_t> fitted = ParseWholeInteger(line.substr(0, end))) count = *fitted;
  }
  return count;
}

WeightSearchResult SearchWeights(const RuleData& data, const RulePlayer& start, WeightRange range, int fitted_before,
                                 const std::function<bool()>& stop_requested) {
  const std::vector<RulePlayer> starts = {start, WithAllWeights(start, std::clamp(1, range.low, range.high)),
                                          WithAllWeights(start, range.low + (range.high - range.low) / 2),
                                          WithAllWeights(start, range.high)};
  WeightSearchResult result;
  std::vector<ChanceCount> best_chances;
  double best_value = 0;
  for (std::size_t s = 0; s < starts.size(); ++s) {
    WeightTrials trials(data, starts[s], stop_requested);
    if (s == 0) result.before = FitRulePlayer(trials.Chances(), std::nullopt, fitted_before);
    ClimbFrom(trials, range);
    if (s == 0 || trials.value() > best_value + Improvement) {
      best_value = trials.value();
      best_chances = trials.Chances();
      result.player = trials.player();
    }
  }
  result.after = FitRulePlayer(best_chances, std::nullopt, 2 * FittedWeightsPerSide);
  return result;
}

}  // namespace bruso
