#include <cstdio>

#include "tools/batch_commands.h"

namespace bruso {

int RunPlay(const std::vector<std::string>&) {
  std::fputs("bruso-batch: play is not built yet\n", stderr);
  return 1;
}

}  // namespace bruso
