#include "tools/position_table.h"

#include <cstdio>

#include "engine/exact_number.h"

namespace bruso {

const std::vector<std::string> PositionCsvHeader = {
    "hand",      "line",      "position", "role", "board", "target", "looked_for", "branch", "suggested",
    "recorded",  "agrees",    "p_C",      "p_U",  "p_N",   "p_T",    "p_P",        "p_recorded"};

const std::vector<std::string> RuleChanceCsvColumns = {"r_C", "r_U", "r_N", "r_T", "r_P", "r_recorded"};

namespace {

std::string BranchName(MoveBranch branch) {
  switch (branch) {
    case MoveBranch::CardAtHand: return "card_at_hand";
    case MoveBranch::Search: return "search";
    case MoveBranch::StepAside: return "step_aside";
    case MoveBranch::HandOver: return "hand_over";
    case MoveBranch::None: break;
  }
  return "none";
}

}  // namespace

std::string TableNumber(double value) { return ExactNumber(value); }

std::string ScreenNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

std::vector<std::string> PositionCsvFields(int hand, std::size_t line, std::size_t position, const PositionFacts& facts,
                                           const PositionChances& chances) {
  const AnalysedPosition& seen = facts.seen;
  const bool suggested = seen.branch != MoveBranch::None;
  std::vector<std::string> fields = {
      std::to_string(hand),
      std::to_string(line),
      std::to_string(position),
      seen.role == RoleCK ? "CK" : "NK",
      facts.board.Text(),
      std::string(facts.board.Cell(Position::T)),
      facts.lookedFor,
      BranchName(seen.branch),
      suggested ? std::string(1, seen.suggested) : "",
      std::string(1, seen.recorded),
      suggested ? (seen.suggested == seen.recorded ? "1" : "0") : ""};
  for (char move : MoveLetters) fields.push_back(chances.suggests ? TableNumber(chances.Of(move)) : "");
  fields.push_back(chances.suggests ? TableNumber(chances.Of(seen.recorded)) : "");
  return fields;
}

std::vector<std::string> RuleChanceCsvFields(const RuleAttempt& attempt) {
  std::vector<std::string> fields;
  for (double r : attempt.chances.move) fields.push_back(TableNumber(r));
  fields.push_back(TableNumber(attempt.chances.Of(attempt.recorded)));
  return fields;
}

}  // namespace bruso
