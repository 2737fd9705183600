#include "python/arguments.h"

#include "model/line_likelihood.h"
#include "study/study_units.h"

namespace py = pybind11;

namespace bruso {

int JobsOf(const py::int_& jobs) {
  if (jobs < py::int_(1) || jobs > py::int_(MostJobs)) {
    throw py::value_error("jobs takes a whole number from 1 to " + std::to_string(MostJobs) + ", not " +
                          py::repr(jobs).cast<std::string>());
  }
  return jobs.cast<int>();
}

std::vector<int> ZeroOneOrBoth(const std::optional<int>& value, const char* name) {
  if (!value) return {0, 1};
  if (*value != 0 && *value != 1) throw py::value_error(std::string(name) + " takes 0, 1 or None (both)");
  return {*value};
}

FixedParameters FixedFrom(const std::map<std::string, double>& fixed) {
  FixedParameters held;
  for (const auto& [name, value] : fixed) {
    int index = 0;
    while (index < ParameterCount && ParameterName(index) != name) ++index;
    if (index == ParameterCount) {
      throw py::value_error("fixed takes the names p1 to p10 and lapse, not '" + name + "'");
    }
    const bool lapse = index == LapseIndex;
    if (lapse ? !(value >= SmallestLapse && value < 1) : !(value >= 0 && value <= 1)) {
      const std::string takes = lapse ? "a rate from 1e-300 up to 1 (1 left out)" : "a probability from 0 to 1";
      throw py::value_error("fixed['" + name + "'] takes " + takes + ", not " +
                            py::repr(py::float_(value)).cast<std::string>());
    }
    held[index] = value;
  }
  return held;
}

std::vector<ModelVariant> VariantsOf(std::optional<int> conflict_mode, std::optional<int> altruism) {
  std::vector<ModelVariant> variants;
  for (int conflict : ZeroOneOrBoth(conflict_mode, "conflict_mode")) {
    for (int each : ZeroOneOrBoth(altruism, "altruism")) variants.push_back({conflict, each});
  }
  return variants;
}

}  // namespace bruso
