#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/score.h"

namespace bruso {

// Who plays a role in an experiment session: a person at the screen, or the artificial
// player with the rules file loaded for that role.
enum class Player { Person, Rules };

// A hand of a session ends after this many letters unless 2H reaches the Target first;
// a replay reads no more than MaxReplayMoves.
inline constexpr int DefaultMoveLimit = 20;
inline constexpr int MaxMoveLimit = MaxReplayMoves;
// How long an artificial partner waits before its move, so that the person sees it coming.
inline constexpr int DefaultPartnerPauseMs = 800;

// What the researcher chose for one session.
struct ExperimentPlan {
  std::string participant;
  std::string condition;  // may be empty
  std::optional<std::uint64_t> orderSeed;  // none: the hands in the shoe's order
  std::array<Player, 2> players{Player::Person, Player::Rules};  // CK, NK
  int moveLimit = DefaultMoveLimit;
  int partnerPauseMs = DefaultPartnerPauseMs;
  std::filesystem::path recordFile;  // the shoe the session appends to
};

// The player of a role ('C' or 'N').
Player PlayerOf(const ExperimentPlan& plan, char role);

// Why the plan cannot run, or nothing. `presented_shoe` is the file the hands come from (empty
// when the hands are not from a file); `rules_ck` and `rules_nk` are the rules files loaded.
// A participant id or condition holding "2H" would be read back as a hand line, and a line
// end would split the line, so both are refused; so is recording into the shoe presented.
std::optional<std::string> PlanProblem(const ExperimentPlan& plan, int hand_count,
                                       const std::filesystem::path& presented_shoe,
                                       std::string_view rules_ck, std::string_view rules_nk);

// The order the hands are presented in, as indices into the shoe: the shoe's order, or a
// shuffle that the same seed repeats on every machine (the draw of the run's generator, not
// the standard library's distributions, which differ between libraries).
std::vector<int> PresentationOrder(int hand_count, std::optional<std::uint64_t> seed);

// The time as ISO 8601 in UTC, to the second: "2026-12-08T17:52:29Z".
std::string IsoDateUtc(std::chrono::system_clock::time_point time);

// The line that follows each recorded hand line: the replay never reads it, so it holds
// who played, when and in which order: "participant=P01 condition=A date=... order=shuffled
// seed=42" ("order=shoe" and no seed for the shoe's order).
std::string SessionInfoLine(const ExperimentPlan& plan, std::string_view iso_date);

}  // namespace bruso
