#pragma once

#include <string>
#include <vector>

#include "study/participant_fits.h"

namespace bruso {

// The columns of `fit --per-participant --csv`: the participant and their condition, the
// columns of the fit table, the uniform player's log-likelihood over the same lines, whether
// the row's variant has the participant's lowest AIC, and whether that variant beats the
// uniform player.
extern const std::vector<std::string> ParticipantCsvHeader;

// A row per variant of the participant, under ParticipantCsvHeader.
std::vector<std::vector<std::string>> ParticipantCsvRows(const ParticipantFit& fit);

// The participant's fit table, headed by their id and condition, and their best variant.
std::string ParticipantFitText(const ParticipantFit& fit);

// The group's table: a column per variant with the summed figures, how many participants
// it explains best, and each parameter's mean, median and spread (standard deviation) over
// the participants whose lines depend on it.
std::string GroupSummaryText(const GroupSummary& summary);

}  // namespace bruso
