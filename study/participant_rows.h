#pragma once

#include <string>
#include <vector>

#include "engine/table_fields.h"
#include "study/participant_fits.h"

namespace bruso {

// The columns of the table of participants' fits: the participant and their condition, the
// columns of the fit table, the uniform player's log-likelihood over the same lines,
// whether the row's variant has the participant's lowest AIC, and whether that variant
// beats the uniform player.
const std::vector<std::string>& ParticipantColumns();

// A row per variant of the participant.
std::vector<FieldRow> ParticipantRows(const ParticipantFit& fit);

}  // namespace bruso
