// bruso-batch: the batch commands of Bruso without a window, for scripts and for machines
// without a display.

#include <cstdio>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/io_error.h"
#include "tools/batch_commands.h"
#include "tools/command_line.h"

namespace {

constexpr const char* Usage =
    "usage: bruso-batch play SHOE --ck RULES --nk RULES [--iterations K] [--out DIR] [--seed N]\n"
    "                          [--csv FILE] [--per-hand]\n"
    "       bruso-batch classify SHOE [--out DIR] [--seed N] [--memo FILE] [--csv FILE] [--trace]\n"
    "                            [--conflict-mode 0|1] [--altruism 0|1] [--prob P1,...,P10]\n"
    "                            [--positions FILE] [--lapse E]\n"
    "       bruso-batch fit SHOE [--conflict-mode 0|1|both] [--altruism 0|1|both] [--fix p3=0.5,lapse=0.02]\n"
    "                       [--csv FILE] [--jobs N]\n"
    "       bruso-batch simulate SHOE --lines K [--prob P1,...,P10] [--lapse E] [--conflict-mode 0|1]\n"
    "                            [--altruism 0|1] [--seed N] [--out FILE]\n";

}  // namespace

int main(int argc, char** argv) {
  const std::map<std::string, std::function<int(const std::vector<std::string>&)>> commands = {
      {"play", bruso::RunPlay},
      {"classify", bruso::RunClassify},
      {"fit", bruso::RunFit},
      {"simulate", bruso::RunSimulate},
  };
  std::vector<std::string> words(argv + 1, argv + argc);
  if (words.empty() || commands.count(words[0]) == 0) {
    std::fputs(Usage, stderr);
    return 2;
  }
  try {
    return commands.at(words[0])({words.begin() + 1, words.end()});
  } catch (const bruso::OptionValueError& error) {
    std::fprintf(stderr, "bruso-batch: %s\n", error.what());
    return 2;
  } catch (const bruso::UsageError& error) {
    std::fprintf(stderr, "bruso-batch: %s\n%s", error.what(), Usage);
    return 2;
  } catch (const bruso::IoError& error) {
    std::fprintf(stderr, "bruso-batch: %s\n", error.what());
    return 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bruso-batch: %s\n", error.what());
    return 1;
  }
}
