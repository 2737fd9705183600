#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/fit.h"
#include "model/fit_rows.h"
#include "study/cross_validation.h"

namespace bruso {

// The columns of the table that `fit --csv` writes: one row per row of the fit table (see
// FitTableRows); a field that does not apply is empty.
extern const std::vector<std::string> FitCsvHeader;

// A row of a table for standard output: its label and a cell per column.
struct TableRow {
  std::string label;
  std::vector<std::string> cells;
};

// The rows with the labels and cells padded to fixed widths.
std::string RowsText(const std::vector<TableRow>& rows);

// The text padded with blanks to a width in characters (each UTF-8 character counted once,
// so that "–" takes one column), one blank at least.
std::string Padded(const std::string& text, std::size_t width);

// "12.35" and "0.1235": figures of a table on screen.
std::string TwoDecimals(double value);
std::string FourDecimals(double value);

// How the numbers of a row are written: in a file, so that they read back exactly; on
// screen, the log-likelihood, AIC and BIC with two decimals.
enum class FitNumbers { Exact, OnScreen };

// The fields of a row under FitCsvHeader.
std::vector<std::string> FitFields(const FitResult& row, FitNumbers numbers = FitNumbers::Exact);

// The columns that cross-validation adds after FitCsvHeader: the variant's summed held-out
// log-likelihood, its mean per position, and how often a probability took
// UntrainedProbability.
extern const std::vector<std::string> CrossValidationCsvColumns;

// The fields under CrossValidationCsvColumns of a row: the figures of its variant's
// validation among `validations`; empty for a row of another model (the rule players, the
// uniform player) or a variant without one.
std::vector<std::string> CrossValidationFields(const FitResult& row, const std::vector<CrossValidation>& validations);

// "conflict mode 1, altruism 0", "rules CK,NK" for a rule player, or the uniform player
// with UniformWinsNote.
std::string ModelName(const FitResult& fit);

// Said when the uniform player has the lowest AIC: its row gives no settings to use.
inline constexpr const char* UniformWinsNote =
    "no variant of the analysis explains the lines better than moving at random";

// The fits as one table for standard output, a column per row of the fit table, each
// estimate with its standard error in brackets; "–" for a probability that no position
// depends on. A rule player's column is headed "rules N", and a line after the table names
// its files. Fits with profile-likelihood intervals get a row per parameter with them, and
// "*" marks an estimate on a bound. Ends with the row of lowest AIC.
std::string FitTableText(const std::vector<FitResult>& fits);

// Two fits of one rule player side by side, its weights before and after a search: the
// log-likelihood, n, k, AIC, BIC, the lapse rate and the expected agreement.
std::string BeforeAfterTableText(const FitResult& before, const FitResult& after);

// The held-out figures of the cross-validation beside the table, a column per variant:
// the summed log-likelihood, its mean per position, and how often a probability took the
// stated value because no training position depended on it.
std::string CrossValidationText(const std::vector<CrossValidation>& validations, std::uint64_t seed);

}  // namespace bruso
