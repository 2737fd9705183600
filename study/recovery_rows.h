#pragma once

#include <string>
#include <vector>

#include "engine/table_fields.h"
#include "study/recovery.h"

namespace bruso {

// The columns of the recovery table: one row per replicate, generating variant and fitted
// variant, with the true values, the estimates and their standard errors, the figures of
// the fit, and the interval ends for the generating variant's own fit. A field that does
// not apply is empty.
const std::vector<std::string>& RecoveryColumns();

// The unit's rows, one per fitted variant; replicates numbered from 1.
std::vector<FieldRow> RecoveryRows(const RecoveryUnit& unit);

}  // namespace bruso
