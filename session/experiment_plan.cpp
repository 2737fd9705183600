#include "session/experiment_plan.h"

#include <algorithm>
#include <ctime>
#include <numeric>
#include <system_error>

#include "engine/board.h"
#include "engine/random.h"
#include "session/artificial_play.h"

namespace bruso {

namespace {

// What is wrong with a participant id or condition written into the recorded shoe.
std::optional<std::string> TextProblem(std::string_view what, std::string_view text) {
  if (text.find(TargetCardCode) != std::string_view::npos) {
    return std::string(what) + " must not hold \"2H\": the line would be read as a hand line";
  }
  const bool one_line = std::none_of(text.begin(), text.end(), [](char c) {
    return static_cast<unsigned char>(c) < 32;
  });
  if (!one_line) return std::string(what) + " must be one line of text";
  return std::nullopt;
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  return !a.empty() && !b.empty() && std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace

Player PlayerOf(const ExperimentPlan& plan, char role) { return plan.players[role == RoleCK ? 0 : 1]; }

std::optional<std::string> PlanProblem(const ExperimentPlan& plan, int hand_count,
                                       const std::filesystem::path& presented_shoe,
                                       std::string_view rules_ck, std::string_view rules_nk) {
  if (hand_count == 0) return "Open a shoe with at least one hand first";
  if (plan.participant.find_first_not_of(' ') == std::string::npos) return "The participant id is required";
  if (auto problem = TextProblem("The participant id", plan.participant)) return problem;
  if (auto problem = TextProblem("The condition", plan.condition)) return problem;
  if (plan.players[0] == Player::Rules && plan.players[1] == Player::Rules) {
    return "A person must play at least one of the roles";
  }
  if ((plan.players[0] == Player::Rules && rules_ck.empty()) ||
      (plan.players[1] == Player::Rules && rules_nk.empty())) {
    return ChooseRulesMessage;
  }
  if (plan.moveLimit < 1 || plan.moveLimit > MaxMoveLimit) {
    return "The move limit must be between 1 and " + std::to_string(MaxMoveLimit);
  }
  if (plan.recordFile.empty()) return "Choose the file to record into";
  if (SameFile(plan.recordFile, presented_shoe)) return "The session cannot record into the shoe it presents";
  return std::nullopt;
}

std::vector<int> PresentationOrder(int hand_count, std::optional<std::uint64_t> seed) {
  std::vector<int> order(static_cast<std::size_t>(std::max(hand_count, 0)));
  std::iota(order.begin(), order.end(), 0);
  if (!seed) return order;
  // Fisher-Yates from the last place down, one draw per place.
  Random random(*seed);
  for (std::size_t i = order.size(); i > 1; --i) {
    const auto pick = static_cast<std::size_t>(random.Next() * static_cast<double>(i));
    std::swap(order[i - 1], order[pick]);
  }
  return order;
}

std::string IsoDateUtc(std::chrono::system_clock::time_point time) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

std::string SessionInfoLine(const ExperimentPlan& plan, std::string_view iso_date) {
  std::string line = "participant=" + plan.participant + " condition=" + plan.condition + " date=";
  line += iso_date;
  line += plan.orderSeed ? " order=shuffled seed=" + std::to_string(*plan.orderSeed) : " order=shoe";
  return line;
}

}  // namespace bruso
