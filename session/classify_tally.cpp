#include "session/classify_tally.h"

#include <cstdio>

#include "engine/board.h"
#include "engine/exact_number.h"

namespace bruso {

namespace {

void Count(Agreement& agreement, bool agrees) {
  ++agreement.suggested;
  if (agrees) ++agreement.agreed;
}

Agreement& AtPlace(std::vector<Agreement>& by_place, std::size_t place) {
  if (by_place.size() <= place) by_place.resize(place + 1);
  return by_place[place];
}

// The agreement overall, for each role and for each branch, as `text` gives it.
void AddAgreementRows(Summary& summary, const std::string& label, const PositionCounts& total,
                      std::string (*text)(const Agreement&)) {
  summary.Add(label, text(total.overall));
  summary.Add("  as CK", text(total.ck));
  summary.Add("  as NK", text(total.nk));
  summary.Add("  card at hand", text(total.Branch(MoveBranch::CardAtHand)));
  summary.Add("  search", text(total.Branch(MoveBranch::Search)));
  summary.Add("  step aside", text(total.Branch(MoveBranch::StepAside)));
  summary.Add("  hand-over", text(total.Branch(MoveBranch::HandOver)));
}

}  // namespace

void PositionCounts::Add(const AnalysedPosition& position) {
  if (position.recorded == '\0') return;  // the string ends here: there is no move to compare
  ++positions;
  if (position.branch == MoveBranch::None) {
    ++noSuggestion;
    return;
  }
  const bool agrees = position.suggested == position.recorded;
  Count(overall, agrees);
  Count(position.role == RoleCK ? ck : nk, agrees);
  Count(byBranch[static_cast<int>(position.branch)], agrees);
}

void PositionCounts::AddExpected(const AnalysedPosition& position, double chance) {
  if (position.branch == MoveBranch::None) return;
  overall.expected += chance;
  (position.role == RoleCK ? ck : nk).expected += chance;
  byBranch[static_cast<int>(position.branch)].expected += chance;
}

void ClassifyTally::LineScored(const CompiledLine& line, const std::vector<PositionChances>& chances,
                               const LineScore& score) {
  for (std::size_t t = 0; t < chances.size(); ++t) {
    const double chance = chances[t].suggests ? chances[t].Of(line.facts[t].seen.recorded) : 0;
    line_.AddExpected(line.facts[t].seen, chance);
    total_.AddExpected(line.facts[t].seen, chance);
    if (line.facts[t].seen.branch != MoveBranch::None) AtPlace(byPlace_, t).expected += chance;
  }
  logLikelihood_ += score.logLikelihood;
}

void ClassifyTally::PositionAnalysed(const AnalysedPosition& position) {
  line_.Add(position);
  total_.Add(position);
  if (position.recorded == '\0' || position.branch == MoveBranch::None) return;
  // The line's positions so far, this one included, give its place.
  Count(AtPlace(byPlace_, line_.positions - 1), position.suggested == position.recorded);
}

void ClassifyTally::LineEnded(const MoveLineOutcome& outcome) {
  if (!outcome.usable) {
    ++linesNotUsable_;
    return;
  }
  ++linesReplayed_;
  if (outcome.reachesGoal) ++linesReachingGoal_;
}

std::string AgreementText(const Agreement& agreement) {
  std::string text = std::to_string(agreement.agreed) + " of " + std::to_string(agreement.suggested);
  if (agreement.suggested == 0) return text;
  char share[32];
  std::snprintf(share, sizeof share, " (%.1f%%)", agreement.AgreedShare());
  return text + share;
}

std::string ExpectedText(const Agreement& agreement) {
  char text[96];
  std::snprintf(text, sizeof text, "%.2f of %lld", agreement.expected, agreement.suggested);
  if (agreement.suggested == 0) return text;
  char share[32];
  std::snprintf(share, sizeof share, " (%.1f%%)", agreement.ExpectedShare());
  return text + std::string(share);
}

void AddClassifyFigures(Summary& summary, const ClassifyTally& tally, double lapse) {
  const PositionCounts& total = tally.total();
  summary.Add("hands", std::to_string(tally.hands()));
  summary.Add("lines replayed", std::to_string(tally.linesReplayed()));
  summary.Add("lines not usable", std::to_string(tally.linesNotUsable()));
  summary.AddCount("lines reaching 2H", tally.linesReachingGoal(), tally.linesReplayed());
  summary.Add("positions", std::to_string(total.positions));
  summary.AddCount("no suggestion", total.noSuggestion, total.positions);
  AddAgreementRows(summary, "agreement", total, AgreementText);
  // The exact figures: the expected agreement over every random decision of the analysis,
  // and the log-likelihood of the lines for a player with the lapse rate.
  AddAgreementRows(summary, "expected", total, ExpectedText);
  char log_likelihood[64];
  std::snprintf(log_likelihood, sizeof log_likelihood, "%.2f (lapse ", tally.logLikelihood());
  summary.Add("log-likelihood", log_likelihood + ExactNumber(lapse) + ")");
}

}  // namespace bruso
