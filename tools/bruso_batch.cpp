// bruso-batch: the batch commands of Bruso without a window, for scripts and for machines
// without a display.

#include <cstdio>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/command_line.h"
#include "engine/io_error.h"
#include "tools/batch_commands.h"
#include "tools/standard_output.h"

namespace {

constexpr const char* Usage =
    "usage: bruso-batch play SHOE --ck RULES --nk RULES [--iterations K] [--out DIR] [--seed N]\n"
    "                          [--csv FILE] [--per-hand]\n"
    "       bruso-batch classify SHOE [--out DIR] [--seed N] [--memo FILE] [--csv FILE] [--trace]\n"
    "                            [--conflict-mode 0|1] [--altruism 0|1] [--prob P1,...,P10]\n"
    "                            [--positions FILE] [--lapse E] [--ck RULES --nk RULES]\n"
    "                            [--groups FILE]\n"
    "       bruso-batch classify SHOE... [--conditions FILE] [classify options but --groups]\n"
    "       bruso-batch fit SHOE [--conflict-mode 0|1|both] [--altruism 0|1|both] [--fix p3=0.5,lapse=0.02]\n"
    "                       [--csv FILE] [--jobs N] [--rules CK,NK ...] [--level L | --no-intervals]\n"
    "                       [--folds K [--seed N]]\n"
    "       bruso-batch fit SHOE... --per-participant | --hierarchical [--conditions FILE]\n"
    "                       [variant, --fix, --csv, --jobs, --level, --no-intervals as above]\n"
    "       bruso-batch fit SHOE --groups FILE --per-participant | --hierarchical [...]\n"
    "       bruso-batch fit-weights SHOE --ck RULES --nk RULES [--range LO,HI] [--out-ck FILE]\n"
    "                               [--out-nk FILE]\n"
    "       bruso-batch simulate SHOE --lines K [--prob P1,...,P10] [--lapse E] [--conflict-mode 0|1]\n"
    "                            [--altruism 0|1] [--seed N] [--out FILE]\n"
    "       bruso-batch recover SHOE --lines K [--replicates R] [--conflict-mode 0|1|both]\n"
    "                           [--altruism 0|1|both] [--prob-range LO,HI] [--lapse-range LO,HI]\n"
    "                           [--fix p3=0.5] [--level L] [--seed N] [--jobs N] [--csv FILE]\n"
    "       bruso-batch recover SHOE --participants P --lines-per-participant L\n"
    "                           [--group-mean p1=0.4,lapse=-3] [--group-spread p1=0.5]\n"
    "                           [--conflict-mode 0|1] [--altruism 0|1] [--fix p3=0.5] [--seed N]\n"
    "                           [--jobs N] [--csv FILE]\n"
    "       bruso-batch check SHOE [--prob P1,...,P10] [--lapse E] [--conflict-mode 0|1] [--altruism 0|1]\n"
    "                         [--from-fit FIT.csv --variant CM,ALT] [--replicates M] [--seed N]\n"
    "                         [--jobs N] [--csv FILE]\n";

// --help: the usage and where the whole description is.
constexpr const char* HelpEnd =
    "       bruso-batch --help | --version\n"
    "\n"
    "Runs the batch commands of Bruso without a window. The exit status is 0 when done,\n"
    "1 for a file that cannot be read or written, 2 for a bad command line, 130 when\n"
    "stopped with Ctrl-C, 143 with SIGTERM. See man bruso-batch for the options and\n"
    "output files.\n";

bool IsHelp(const std::string& word) { return word == "--help" || word == "-h"; }

}  // namespace

int main(int argc, char** argv) {
  bruso::GuardStandardStreams();
  const std::map<std::string, std::function<int(const std::vector<std::string>&)>> commands = {
      {"play", bruso::RunPlay},
      {"classify", bruso::RunClassify},
      {"fit", bruso::RunFit},
      {"fit-weights", bruso::RunFitWeights},
      {"simulate", bruso::RunSimulate},
      {"recover", bruso::RunRecover},
      {"check", bruso::RunCheck},
  };
  std::vector<std::string> words(argv + 1, argv + argc);
  // "--help" alone or after a command's name.
  const bool help = (words.size() == 1 && IsHelp(words[0])) ||
                    (words.size() == 2 && commands.count(words[0]) > 0 && IsHelp(words[1]));
  if (help) {
    std::printf("%s%s", Usage, HelpEnd);
    return 0;
  }
  if (words.size() == 1 && words[0] == "--version") {
    std::printf("bruso-batch %s\n", BRUSO_VERSION);
    return 0;
  }
  try {
    if (words.empty()) throw bruso::UsageError("no command given");
    if (commands.count(words[0]) == 0) {
      const bool option = words[0].rfind("-", 0) == 0;
      throw bruso::UsageError((option ? "unknown option " : "unknown command ") + words[0]);
    }
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
