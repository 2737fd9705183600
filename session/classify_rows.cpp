#include "session/classify_rows.h"

namespace bruso {

namespace {

TableField Whole(long long value) { return static_cast<std::int64_t>(value); }

std::string Letter(char move) { return std::string(1, move); }

// The chance of each move letter and of the recorded one: the model's when it suggests a
// move here, none otherwise.
void AddModelChances(const PositionChances& chances, char recorded, FieldRow& row) {
  for (char move : MoveLetters) row.push_back(chances.suggests ? TableField(chances.Of(move)) : TableField());
  row.push_back(chances.suggests ? TableField(chances.Of(recorded)) : TableField());
}

void AddRuleChances(const RuleAttempt& attempt, FieldRow& row) {
  for (double r : attempt.chances.move) row.push_back(r);
  row.push_back(attempt.chances.Of(attempt.recorded));
}

}  // namespace

std::vector<std::string> LineColumns(bool with_rules) {
  std::vector<std::string> columns = {"hand",       "line",      "moves",     "usable",
                                      "reaches_2h", "positions", "suggested", "agreements",
                                      "log_likelihood", "expected_agreements"};
  if (with_rules) columns.push_back("rule_log_likelihood");
  return columns;
}

FieldRow LineRow(const ClassifiedLine& line, int hand_number) {
  const PositionCounts& counts = *line.counts;
  FieldRow row = {Whole(hand_number),
                  Whole(static_cast<long long>(line.line)),
                  std::string(line.text),
                  FlagField(line.outcome.usable),
                  FlagField(line.outcome.reachesGoal),
                  Whole(counts.positions),
                  Whole(counts.overall.suggested),
                  Whole(counts.overall.agreed),
                  line.score.logLikelihood,
                  line.score.expectedAgreements};
  if (line.ruleAttempts != nullptr) row.push_back(line.ruleScore.logLikelihood);
  return row;
}

std::vector<std::string> PositionColumns(bool with_rules) {
  std::vector<std::string> columns = {"hand",     "line",   "position", "role", "board", "target",
                                      "looked_for", "branch", "suggested", "recorded", "agrees",
                                      "p_C",      "p_U",    "p_N",      "p_T",  "p_P",   "p_recorded"};
  if (with_rules) columns.insert(columns.end(), {"r_C", "r_U", "r_N", "r_T", "r_P", "r_recorded"});
  return columns;
}

std::vector<FieldRow> PositionRows(const ClassifiedLine& line, int hand_number) {
  std::vector<FieldRow> rows;
  const std::vector<PositionChances>& chances = *line.chances;
  for (std::size_t t = 0; t < chances.size(); ++t) {
    const PositionFacts& facts = line.compiled->facts[t];
    const AnalysedPosition& seen = facts.seen;
    const bool suggested = seen.branch != MoveBranch::None;
    FieldRow row = {Whole(hand_number),
                    Whole(static_cast<long long>(line.line)),
                    Whole(static_cast<long long>(t + 1)),
                    std::string(seen.role == RoleCK ? "CK" : "NK"),
                    facts.board.Text(),
                    std::string(facts.board.Cell(Position::T)),
                    facts.lookedFor,
                    BranchName(seen.branch),
                    suggested ? TableField(Letter(seen.suggested)) : TableField(),
                    Letter(seen.recorded),
                    suggested ? FlagField(seen.suggested == seen.recorded) : TableField()};
    AddModelChances(chances[t], seen.recorded, row);
    if (line.ruleAttempts != nullptr) AddRuleChances((*line.ruleAttempts)[t], row);
    rows.push_back(std::move(row));
  }
  return rows;
}

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

}  // namespace bruso
