#include <cstdio>

#include "tools/batch_commands.h"

namespace bruso {

int RunClassify(const std::vector<std::string>&) {
  std::fputs("bruso-batch: classify is not built yet\n", stderr);
  return 1;
}

}  // namespace bruso
