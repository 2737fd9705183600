#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "engine/folder_lock.h"
#include "support/recorders.h"
#include "tool_runner.h"

// bruso-batch under faults: outputs that cannot be written, readers that go away, signals,
// outputs that name inputs, and long runs. Nothing may be lost or reported as done.

namespace bruso {
namespace {

using testing::ReadFile;
using testing::RunScript;
using testing::RunTool;
using testing::TempFolder;
using testing::WriteFile;

constexpr std::string_view Shoe =
    "2H 3H 4H 2C 3C 4C NK\n-\nCU\nNTCPT\n"
    "4C 3H 4H 2H 2C 3C NK\n-\nPP\n";
constexpr std::string_view OneHand = "2H 3H 4H 2C 3C 4C NK\n";
constexpr std::string_view CKRules = "0 5 5 5\nT 2H # 3H\n";
constexpr std::string_view NKRules = "/ no rules: C or N at random\n";

constexpr const char* Play = "play shoe.txt --ck ck.txt --nk nk.txt ";
constexpr const char* LongPlay = "play one.txt --ck ck.txt --nk nk.txt --iterations 100000000 ";

struct FaultFolder {
  FaultFolder() {
    WriteFile(folder.path() / "shoe.txt", Shoe);
    WriteFile(folder.path() / "one.txt", OneHand);
    WriteFile(folder.path() / "ck.txt", CKRules);
    WriteFile(folder.path() / "nk.txt", NKRules);
  }
  std::string Read(const std::string& name) const { return ReadFile(folder.path() / name); }
  TempFolder folder;
};

long long LineCount(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

bool EndsOnAWholeLine(const std::string& text) { return text.empty() || text.back() == '\n'; }

// The number after "label:" in a summary.
long long SummaryFigure(const std::string& summary, const std::string& label) {
  const std::size_t at = summary.find("  " + label + ":");
  if (at == std::string::npos) return -1;
  return std::stoll(summary.substr(summary.find_first_not_of(' ', at + label.size() + 3)));
}

TEST(BatchFaults, AStandardOutputThatCannotBeWrittenFailsTheRun) {
  const struct {
    const char* redirection;
    const char* message;
  } outputs[] = {
      {"> /dev/full", "bruso-batch: Disk full: standard output\n"},
      {">&-", "bruso-batch: Bad file descriptor: standard output\n"},
  };
  for (const char* command : {"classify shoe.txt --memo memo.txt ", Play}) {
    for (const auto& output : outputs) {
      FaultFolder folder;
      const std::string arguments = std::string(command) + "--out results --csv table.csv";
      EXPECT_EQ(RunTool(folder.folder.path(), arguments, std::string(output.redirection) + " 2> stderr.txt"), 1)
          << arguments << " " << output.redirection;
      const std::string errors = folder.Read("stderr.txt");
      EXPECT_NE(errors.find(output.message), std::string::npos) << errors;
      EXPECT_NE(errors.find("  not complete:"), std::string::npos) << errors;
      // No line meant for standard output landed in a file opened in its place.
      const std::string table = folder.Read("table.csv");
      EXPECT_EQ(table.find("   "), std::string::npos) << table;
      EXPECT_EQ(LineCount(table), 1 + (command == Play ? 2 : 3)) << table;
    }
  }
}

TEST(BatchFaults, AReaderThatGoesAwayStopsThePlayOnWholeLines) {
  FaultFolder folder;
  ASSERT_EQ(RunScript(folder.folder.path(), std::string("( \"$BATCH\" ") + LongPlay +
                                                "--out results --csv plays.csv 2> stderr.txt; echo $? > status.txt )"
                                                " | head -1 > /dev/null"),
            0);
  EXPECT_EQ(folder.Read("status.txt"), "141\n");
  const std::string errors = folder.Read("stderr.txt");
  EXPECT_EQ(errors.find("bruso-batch:"), std::string::npos) << errors;  // quietly
  EXPECT_NE(errors.find("  stopped by SIGPIPE:"), std::string::npos) << errors;
  const std::string csv = folder.Read("plays.csv");
  const std::string automa = folder.Read("results/Automa.txt");
  EXPECT_TRUE(EndsOnAWholeLine(csv));
  EXPECT_TRUE(EndsOnAWholeLine(automa));
  EXPECT_EQ(LineCount(csv), 1 + SummaryFigure(errors, "plays"));
  EXPECT_EQ(LineCount(automa), 2 + SummaryFigure(errors, "plays"));
}

// A simulated shoe that goes to standard output stops the same way, after the hand in
// progress.
TEST(BatchFaults, AReaderThatGoesAwayStopsTheSimulation) {
  FaultFolder folder;
  std::string shoe;
  for (int hand = 0; hand < 2000; ++hand) shoe += "2H 3C 4C 4H 3H 2C CK\nnote\nUUCCT\n";
  WriteFile(folder.folder.path() / "many.txt", shoe);
  ASSERT_EQ(RunScript(folder.folder.path(), "( \"$BATCH\" simulate many.txt --lines 20 --seed 3 2> stderr.txt;"
                                            " echo $? > status.txt ) | head -1 > /dev/null"),
            0);
  EXPECT_EQ(folder.Read("status.txt"), "141\n");
  const std::string errors = folder.Read("stderr.txt");
  EXPECT_EQ(errors.find("bruso-batch:"), std::string::npos) << errors;
  EXPECT_NE(errors.find("  stopped by SIGPIPE:"), std::string::npos) << errors;
}

TEST(BatchFaults, AFitWritesItsTableWholeWhenStandardOutputFails) {
  FaultFolder folder;
  EXPECT_EQ(RunTool(folder.folder.path(), "fit shoe.txt --conflict-mode 0 --altruism 0 --csv fit.csv",
                    "> /dev/full 2> stderr.txt"),
            1);
  EXPECT_NE(folder.Read("stderr.txt").find("bruso-batch: Disk full: standard output\n"), std::string::npos);
  const std::string csv = folder.Read("fit.csv");
  EXPECT_EQ(LineCount(csv), 3) << "the header, the variant and the uniform player: " << csv;
  EXPECT_EQ(csv.rfind("uniform,"), csv.rfind('\n', csv.size() - 2) + 1) << csv;
}

// Runs bruso-batch with the arguments in the background, sends SIGTERM once `table` has its
// header (and `delay` more), and returns the exit status as text.
std::string StatusAfterSigterm(const FaultFolder& folder, const std::string& arguments, const std::string& table,
                               const char* delay = "0") {
  const std::string script = "\"$BATCH\" " + arguments + " > stdout.txt 2> stderr.txt & pid=$!; while [ ! -s " +
                             table + " ] && kill -0 $pid 2> /dev/null; do sleep 0.01; done; sleep " + delay +
                             "; kill -TERM $pid; wait $pid; echo $? > status.txt";
  EXPECT_EQ(RunScript(folder.folder.path(), script), 0);
  return folder.Read("status.txt");
}

// The fit of one variant of many lines: a signal that comes while it runs, however late,
// ends the run as stopped, though the one variant is fitted.
TEST(BatchFaults, AStopSignalDuringTheLastVariantEndsTheFitAsStopped) {
  FaultFolder folder;
  // Lines that differ, each compiled on its own (a hand's repeated lines are compiled once).
  std::string many(OneHand);
  many += "-\n";
  unsigned draw = 2;
  for (int line = 0; line < 40000; ++line) {
    for (int letter = 0; letter < 16; ++letter) {
      draw = draw * 1103515245u + 12345u;
      many += "CUNTP"[(draw >> 16) % 5];
    }
    many += '\n';
  }
  WriteFile(folder.folder.path() / "many.txt", many);
  // The table's header is written as the fit starts.
  EXPECT_EQ(StatusAfterSigterm(folder, "fit many.txt --conflict-mode 0 --altruism 0 --jobs 1 --csv fit.csv", "fit.csv"),
            "143\n")
      << folder.Read("stderr.txt");
  EXPECT_TRUE(EndsOnAWholeLine(folder.Read("fit.csv")));
}

// A check of a million data sets stopped by SIGTERM: a whole row per figure over the data
// sets simulated, and the output says how far it got.
TEST(BatchFaults, AStopSignalEndsTheCheckWithItsRowsWhole) {
  FaultFolder folder;
  EXPECT_EQ(StatusAfterSigterm(folder, "check shoe.txt --replicates 1000000 --seed 1 --jobs 2 --csv check.csv",
                               "check.csv", "0.2"),
            "143\n")
      << folder.Read("stderr.txt");
  const std::string out = folder.Read("stdout.txt");
  const std::string rows = folder.Read("check.csv");
  EXPECT_TRUE(EndsOnAWholeLine(rows));
  EXPECT_EQ(LineCount(rows), LineCount(out) - 3) << out;  // the first two lines and the last are no figure
  EXPECT_TRUE(std::regex_search(out, std::regex("^check: [0-9]{1,6} of 1000000 data sets"))) << out;
  EXPECT_NE(folder.Read("stderr.txt").find("check: stopped by SIGTERM after "), std::string::npos);
}

// One hand played a hundred million times: a stop has to come within the hand.
TEST(BatchFaults, AStopSignalEndsThePlayAfterThePlayInProgress) {
  const struct {
    const char* signal;
    const char* cause;
    const char* status;
  } signals[] = {{"INT", "Ctrl-C", "130\n"}, {"TERM", "SIGTERM", "143\n"}, {"HUP", "SIGHUP", "129\n"}};
  for (const auto& signal : signals) {
    FaultFolder folder;
    // The signal comes once the run is under way: its first lines are on disk.
    // (A script starts its background jobs with Ctrl-C ignored; here it is not.)
    const std::string script = std::string("env --default-signal \"$BATCH\" ") + LongPlay +
                               "--out results --csv plays.csv > stdout.txt 2> stderr.txt & pid=$!; "
                               "while [ ! -s results/Automa.txt ] && kill -0 $pid 2> /dev/null; do sleep 0.05; done; "
                               "kill -" + signal.signal + " $pid; wait $pid; echo $? > status.txt";
    ASSERT_EQ(RunScript(folder.folder.path(), script), 0);
    EXPECT_EQ(folder.Read("status.txt"), signal.status) << signal.cause;
    const std::string errors = folder.Read("stderr.txt");
    EXPECT_NE(errors.find(std::string("  stopped by ") + signal.cause + ":"), std::string::npos) << errors;
    const long long plays = SummaryFigure(errors, "plays");
    ASSERT_GT(plays, 0) << errors;
    EXPECT_LT(plays, 100000000);
    EXPECT_EQ(SummaryFigure(errors, "hands"), 1) << errors;
    const std::string csv = folder.Read("plays.csv");
    const std::string automa = folder.Read("results/Automa.txt");
    const std::string output = folder.Read("stdout.txt");
    for (const std::string* text : {&csv, &automa, &output}) EXPECT_TRUE(EndsOnAWholeLine(*text)) << signal.cause;
    EXPECT_EQ(LineCount(csv), 1 + plays);
    EXPECT_EQ(LineCount(automa), 2 + plays);  // the hand's line and an empty line, then a line a play
    EXPECT_EQ(LineCount(output), LineCount(automa));
    EXPECT_EQ(folder.Read("results/Amik.txt"), "   2H   3H   4H   2C   3C   4C NK \n");
  }
}

// A stop signal ignored when the program started (nohup, the background jobs of a script)
// stays ignored; the other stop signals still stop the run.
TEST(BatchFaults, ASignalIgnoredAtTheStartStaysIgnored) {
  const struct {
    const char* launcher;
    const char* ignored;
    const char* stopping;
    const char* cause;
    const char* status;
  } cases[] = {
      {"nohup", "HUP", "TERM", "SIGTERM", "143\n"},
      {"env --default-signal --ignore-signal=INT", "INT", "TERM", "SIGTERM", "143\n"},
      {"env --ignore-signal=TERM", "TERM", "HUP", "SIGHUP", "129\n"},
  };
  for (const auto& c : cases) {
    FaultFolder folder;
    // The ignored signal comes once the run is under way, the stopping one right after it.
    const std::string script = std::string(c.launcher) + " \"$BATCH\" " + LongPlay +
                               "--out results > stdout.txt 2> stderr.txt & pid=$!; "
                               "while [ ! -s results/Automa.txt ] && kill -0 $pid 2> /dev/null; do sleep 0.05; done; "
                               "kill -" + c.ignored + " $pid; kill -" + c.stopping + " $pid; wait $pid; echo $? > status.txt";
    ASSERT_EQ(RunScript(folder.folder.path(), script), 0);
    EXPECT_EQ(folder.Read("status.txt"), c.status) << c.launcher;
    const std::string errors = folder.Read("stderr.txt");
    EXPECT_NE(errors.find(std::string("  stopped by ") + c.cause + ":"), std::string::npos) << errors;
  }
}

TEST(BatchFaults, PeakMemoryDoesNotGrowWithThePlays) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer keeps freed memory for a while";
#endif
  FaultFolder folder;
  std::string shoe;
  for (int hand = 0; hand < 500; ++hand) shoe += OneHand;
  WriteFile(folder.folder.path() / "many.txt", shoe);
  const std::string play = "play many.txt --ck ck.txt --nk nk.txt --out results --csv plays.csv --per-hand ";
  const auto peak_kilobytes = [] {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss;  // the largest of the programs run so far
  };
  ASSERT_EQ(RunTool(folder.folder.path(), play + "--iterations 1", "> /dev/null 2> stderr.txt"), 0);
  const long first = peak_kilobytes();
  // Half a million plays: a record of each would take some 10 MB.
  ASSERT_EQ(RunTool(folder.folder.path(), play + "--iterations 1000", "> /dev/null 2> stderr.txt"), 0);
  EXPECT_EQ(SummaryFigure(folder.Read("stderr.txt"), "plays"), 500000);
  EXPECT_LT(peak_kilobytes() - first, 8 * 1024) << "first run " << first << " KB";
}

TEST(BatchFaults, AnOutputThatNamesAnInputIsRefusedBeforeAnythingIsWritten) {
  FaultFolder folder;
  ASSERT_EQ(RunTool(folder.folder.path(), std::string(Play) + "--out results"), 0);
  std::filesystem::copy_file(folder.folder.path() / "shoe.txt", folder.folder.path() / "results" / "Print.txt",
                             std::filesystem::copy_options::overwrite_existing);
  const std::string automa = folder.Read("results/Automa.txt");
  const struct {
    std::string arguments;
    const char* message;
  } cases[] = {
      {std::string(Play) + "--out results --csv shoe.txt", "bruso-batch: --csv would overwrite the shoe shoe.txt\n"},
      {std::string(Play) + "--out results --csv ./nk.txt", "bruso-batch: --csv would overwrite --nk nk.txt\n"},
      {"classify shoe.txt --out results --memo shoe.txt", "bruso-batch: --memo would overwrite the shoe shoe.txt\n"},
      {"classify shoe.txt --out results --memo t.txt --csv t.txt",
       "bruso-batch: --memo and --csv name the same file t.txt\n"},
      {"classify results/Print.txt --out results",
       "bruso-batch: Print.txt of the output folder would overwrite the shoe results/Print.txt\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunTool(folder.folder.path(), c.arguments), 2) << c.arguments;
    EXPECT_EQ(folder.Read("stderr.txt"), c.message);
    EXPECT_EQ(folder.Read("shoe.txt"), Shoe);
    EXPECT_EQ(folder.Read("nk.txt"), NKRules);
    EXPECT_EQ(folder.Read("results/Print.txt"), Shoe);
    EXPECT_EQ(folder.Read("results/Automa.txt"), automa);
    EXPECT_FALSE(std::filesystem::exists(folder.folder.path() / "t.txt"));
  }
}

TEST(BatchFaults, AnOutputThatCannotBeWrittenStopsTheRunBeforeTheOutputFolderIsTouched) {
  FaultFolder folder;
  ASSERT_EQ(RunTool(folder.folder.path(), std::string(Play) + "--out results"), 0);
  const std::string automa = folder.Read("results/Automa.txt");
  const std::string amik = folder.Read("results/Amik.txt");
  // Permissions do not stop a test run as root; a folder that is a file, and a full disk, do.
  const struct {
    std::string arguments;
    const char* message;
  } cases[] = {
      {std::string(Play) + "--out results --csv shoe.txt/plays.csv",
       "bruso-batch: Path not found: shoe.txt/plays.csv\n"},
      {std::string(Play) + "--out results --csv /dev/full", "bruso-batch: Disk full: /dev/full\n"},
      {"classify shoe.txt --out results --csv /dev/full", "bruso-batch: Disk full: /dev/full\n"},
      {"classify shoe.txt --out results --memo shoe.txt/memo.txt",
       "bruso-batch: Path not found: shoe.txt/memo.txt\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunTool(folder.folder.path(), c.arguments), 1) << c.arguments;
    EXPECT_EQ(folder.Read("stderr.txt"), c.message);
    EXPECT_EQ(folder.Read("results/Automa.txt"), automa) << c.arguments;
    EXPECT_EQ(folder.Read("results/Amik.txt"), amik) << c.arguments;
  }
}

// Standard output sent to a file (device and inode tell, whatever the name) is one of the
// run's outputs: it may neither overwrite an input nor share a file with another output.
TEST(BatchFaults, StandardOutputOntoAFileOfTheRunIsRefusedBeforeAnythingIsWritten) {
  FaultFolder folder;
  ASSERT_EQ(RunTool(folder.folder.path(), std::string(Play) + "--out results"), 0);
  const std::string automa = folder.Read("results/Automa.txt");
  const struct {
    std::string arguments;
    const char* redirection;
    const char* message;
  } cases[] = {
      {"classify shoe.txt --out results --csv same.csv", "> same.csv",
       "standard output and --csv name the same file same.csv"},
      {"classify shoe.txt --out results --csv /dev/stdout", "> out.txt",
       "standard output and --csv name the same file /dev/stdout"},
      {"classify shoe.txt --out results", "> results/Amik.txt",
       "standard output and Amik.txt of the output folder name the same file results/Amik.txt"},
      {std::string(Play) + "--out results", ">> shoe.txt", "standard output would overwrite the shoe shoe.txt"},
      {"fit shoe.txt --rules ck.txt,nk.txt", ">> nk.txt", "standard output would overwrite --rules nk.txt"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunTool(folder.folder.path(), c.arguments, std::string(c.redirection) + " 2> stderr.txt"), 2)
        << c.arguments << " " << c.redirection;
    EXPECT_EQ(folder.Read("stderr.txt"), "bruso-batch: " + std::string(c.message) + "\n");
    EXPECT_EQ(folder.Read("shoe.txt"), Shoe);
    EXPECT_EQ(folder.Read("nk.txt"), NKRules);
    EXPECT_EQ(folder.Read("results/Automa.txt"), automa);
  }
}

// A refused run empties nothing: not while another run holds the output folder, not when
// one of the files it writes cannot be written, and not for an endless input (one line
// without end), refused once its line passes 64 MB wherever a file is read.
TEST(BatchFaults, ARefusedRunLeavesEveryFileAsItWas) {
  FaultFolder folder;
  ASSERT_EQ(RunTool(folder.folder.path(), std::string(Play) + "--out results --csv table.csv"), 0);
  ASSERT_EQ(RunTool(folder.folder.path(), std::string(Play) + "--out other"), 0);
  std::filesystem::remove(folder.folder.path() / "other" / "Automa.txt");
  std::filesystem::create_directory(folder.folder.path() / "other" / "Automa.txt");
  const std::vector<std::string> kept = {"table.csv", "results/Automa.txt", "results/Amik.txt", "other/Amik.txt"};
  std::vector<std::string> before;
  for (const std::string& name : kept) before.push_back(folder.Read(name));
  const FolderLock running(folder.folder.path() / "results");  // as another run or a window holds it
  const struct {
    std::string arguments;
    const char* message;
  } cases[] = {
      {std::string(Play) + "--out results --csv table.csv", "Output folder in use by another run of Bruso: results"},
      {"classify shoe.txt --out results --csv table.csv", "Output folder in use by another run of Bruso: results"},
      {std::string(Play) + "--out other --csv table.csv", "Is a folder, not a file: other/Automa.txt"},
      {"classify shoe.txt --out other --csv table.csv --positions other", "Is a folder, not a file: other"},
      {"classify /dev/zero --out other --csv table.csv", "Line 1 is longer than 64 MB: /dev/zero"},
      {"play shoe.txt --ck /dev/zero --nk nk.txt --out other", "Line 1 is longer than 64 MB: /dev/zero"},
      {"fit shoe.txt --rules ck.txt,/dev/zero --csv table.csv", "Line 1 is longer than 64 MB: /dev/zero"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunTool(folder.folder.path(), c.arguments), 1) << c.arguments;
    EXPECT_EQ(folder.Read("stderr.txt"), "bruso-batch: " + std::string(c.message) + "\n");
    for (std::size_t i = 0; i < kept.size(); ++i) EXPECT_EQ(folder.Read(kept[i]), before[i]) << kept[i];
  }
}

// A file that fails during the run fails again when it is closed: the failure is told once.
TEST(BatchFaults, AFileThatFailsIsToldOnce) {
  FaultFolder folder;
  std::string shoe;
  for (int hand = 0; hand < 300; ++hand) shoe += "2H 3C 4C 4H 3H 2C CK\nnote\nUUCCTUUCCT\nNNCCPPT\n";
  WriteFile(folder.folder.path() / "many.txt", shoe);
  EXPECT_EQ(RunTool(folder.folder.path(), "classify many.txt --out results --trace --memo /dev/full",
                    "> /dev/null 2> stderr.txt"),
            1);
  const std::string errors = folder.Read("stderr.txt");
  const std::string message = "bruso-batch: Disk full: /dev/full\n";
  ASSERT_NE(errors.find(message), std::string::npos) << errors;
  EXPECT_EQ(errors.find(message), errors.rfind(message)) << errors;
  EXPECT_NE(errors.find("  not complete:      Disk full: /dev/full\n"), std::string::npos) << errors;
}

}  // namespace
}  // namespace bruso
