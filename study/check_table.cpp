#include "study/check_table.h"

#include <cmath>
#include <cstdio>

#include "engine/table_number.h"

namespace bruso {

const std::vector<std::string> CheckCsvHeader = {"figure", "recorded", "simulated_mean", "band_lower",
                                                 "band_upper", "outside", "data_sets"};

std::vector<std::string> CheckCsvFields(const CheckedFigure& figure) {
  return {figure.name,
          TableNumber(figure.recorded),
          TableNumber(figure.mean),
          TableNumber(figure.lower),
          TableNumber(figure.upper),
          figure.Outside() ? "1" : "0",
          std::to_string(figure.dataSets)};
}

std::string CheckTableText(const PredictiveCheck& check) {
  const auto cell = [](double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%-10.4f", value);
    return std::isnan(value) ? std::string("–         ") : std::string(text);
  };
  char line[160];
  std::snprintf(line, sizeof line, "%-26s%-10s%-10s%-10s%s\n", "figure", "recorded", "mean", "2.5%", "97.5%");
  std::string text = line;
  for (const CheckedFigure& figure : check.figures) {
    std::snprintf(line, sizeof line, "%-26s", figure.name.c_str());
    std::string row = line + cell(figure.recorded) + cell(figure.mean) + cell(figure.lower) + cell(figure.upper) +
                      (figure.Outside() ? "outside" : "");
    while (row.back() == ' ') row.pop_back();
    text += row + "\n";
  }
  return text + std::to_string(check.OutsideCount()) + " of " + std::to_string(check.figures.size()) +
         " figures outside the 95% band of the simulated data sets\n";
}

}  // namespace bruso
