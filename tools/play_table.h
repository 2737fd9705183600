#pragma once

#include <string>
#include <vector>

#include "players/play_all_hands.h"

namespace bruso {

// The columns of the table of plays that `play --csv` writes, one row per play.
extern const std::vector<std::string> PlayCsvHeader;

std::vector<std::string> PlayCsvFields(const PlayRecord& play);

}  // namespace bruso
