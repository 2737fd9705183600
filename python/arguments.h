#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include <pybind11/pybind11.h>

#include "model/fit.h"

namespace bruso {

// The arguments that several functions of the module take, checked: a value they cannot
// take is a ValueError naming the Python argument.

// The threads of a call: any Python int, refused outside what the core takes.
int JobsOf(const pybind11::int_& jobs);

// 0 or 1 as given, both for None.
std::vector<int> ZeroOneOrBoth(const std::optional<int>& value, const char* name);

// The variants that conflict_mode and altruism ask for, each 0, 1 or None for both.
std::vector<ModelVariant> VariantsOf(std::optional<int> conflict_mode, std::optional<int> altruism);

// The parameters held at their values, {"p3": 0.5, "lapse": 0.02}: probabilities p1 to p10
// from 0 to 1 and a lapse rate the likelihood can score.
FixedParameters FixedFrom(const std::map<std::string, double>& fixed);

}  // namespace bruso
