#include "tools/play_table.h"

namespace bruso {

const std::vector<std::string> PlayCsvHeader = {"hand", "iteration", "moves", "solved", "attempts"};

std::vector<std::string> PlayCsvFields(const PlayRecord& play) {
  return {std::to_string(play.hand), std::to_string(play.iteration), std::to_string(play.moves),
          play.solved ? "1" : "0", std::to_string(play.attempts)};
}

}  // namespace bruso
