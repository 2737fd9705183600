#pragma once

#include <string>
#include <vector>

#include "study/group_recovery.h"
#include "study/recovery.h"

namespace bruso {

// The columns of the table that `recover --csv` writes: one row per replicate, generating
// variant and fitted variant, with the true values, the estimates and their standard
// errors, the figures of the fit, and the interval ends for the generating variant's own
// fit. Numbers read back exactly; a field that does not apply is empty.
extern const std::vector<std::string> RecoveryCsvHeader;

std::vector<std::vector<std::string>> RecoveryCsvRows(const RecoveryUnit& unit);

// Per parameter not held, the cells of its line of the summary: the name, how many data
// sets estimate it, the correlation, bias, RMSE, coverage, and the shares on a bound and not
// identifiable.
std::vector<std::vector<std::string>> RecoverySummaryRows(const std::vector<RecoveryUnit>& units);

// The parameters that cannot be recovered on the design, "p2, p4"; empty for none.
std::string UnrecoverableParameters(const std::vector<RecoveryUnit>& units);

// The summary for standard output: per parameter the correlation of estimate with truth,
// bias, RMSE, coverage of the intervals, the shares on a bound and not identifiable, the
// parameters that cannot be recovered; and the variants chosen by AIC and by BIC for each
// generating variant, with the inversion.
std::string RecoverySummaryText(const std::vector<RecoveryUnit>& units, double level);

// The columns of `recover --participants --csv`: a row per participant with each
// parameter's true value, independent estimate and hierarchical estimate (empty where the
// participant's lines do not depend on it).
extern const std::vector<std::string> GroupRecoveryCsvHeader;

std::vector<std::vector<std::string>> GroupRecoveryCsvRows(const GroupRecovery& recovery);

// Per parameter: the group's true mean and spread beside the fitted ones with their
// standard errors (logit scale), how many participants' lines depend on it, and the mean
// squared error of their estimates alone and hierarchically (probability scale).
std::string GroupRecoveryText(const GroupRecovery& recovery, const GroupRecoveryDesign& design);

}  // namespace bruso
