#pragma once

#include <string>

namespace bruso {

// A number in the shortest text that reads back as the same double ("0.1", "1e-07",
// "-160.94379124341003"), for files that other programs read; empty for NaN.
std::string ExactNumber(double value);

}  // namespace bruso
