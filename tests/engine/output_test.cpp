#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/score.h"
#include "engine/io_error.h"
#include "engine/output_files.h"
#include "support/recorders.h"

namespace bruso {
namespace {

using testing::ReadFile;
using testing::RecordingSink;
using testing::TempFolder;
using testing::WriteFile;
using Lines = std::vector<std::string>;

struct Channel {
  Channel() {
    io.SetMemo(&memo);
    io.SetOutputWindow(&output);
  }
  RecordingSink memo;
  RecordingSink output;
  TIO io;
};

TEST(OutputChannel, AddLineSendsTheLineAndThenThePendingText) {
  Channel c;
  c.io.AddLine("first");
  c.io.AddText("a");
  c.io.AddText("b");
  c.io.AddLine("second");
  EXPECT_EQ(c.memo.lines, (Lines{"first", "", "second", "ab"}));
  EXPECT_TRUE(c.io.PendingLine().empty());
  EXPECT_TRUE(c.output.lines.empty());
}

TEST(OutputChannel, OutputLineShowsPendingTextOnlyAfterThreeBlanks) {
  Channel c;
  c.io.AddText("lost");
  c.io.OutputLine("a line");
  c.io.AddText("kept");
  c.io.OutputLine("   ");
  c.io.OutputLine("   ");
  c.io.AddText("lost too");
  c.io.OutputLine("    ");  // four blanks are not three
  EXPECT_EQ(c.output.lines, (Lines{"a line", "   ", "kept", "   ", "", "    "}));
  EXPECT_TRUE(c.io.PendingLine().empty());
  EXPECT_TRUE(c.memo.lines.empty());
}

TEST(OutputChannel, NothingReachesAMemoBeforeItIsAttached) {
  TIO io;
  io.AddText("x");
  io.AddLine("before");
  RecordingSink memo;
  io.SetMemo(&memo);
  io.AddLine("after");
  EXPECT_EQ(memo.lines, (Lines{"after", ""}));
}

TEST(OutputFiles, TwoStartsKeepReadFilesAndEmptyWrittenOnes) {
  TempFolder folder;
  WriteFile(folder.path() / "Sperim.txt", "experiment notes\n");
  WriteFile(folder.path() / "Commands.txt", "commands\n");
  WriteFile(folder.path() / "Hands.txt", "old hands\n");

  Iodef iodef;
  for (int start = 1; start <= 2; ++start) {
    OutputFiles files;
    iodef.OpenFiles(folder.path(), files);
    EXPECT_EQ(files.Path(OutputFileId::Amik), (folder.path() / "Amik.txt").string());
    files.Amik().WriteLine("run " + std::to_string(start));
    iodef.CloseFiles(files);
  }
  EXPECT_EQ(ReadFile(folder.path() / "Sperim.txt"), "experiment notes\n");
  EXPECT_EQ(ReadFile(folder.path() / "Commands.txt"), "commands\n");
  EXPECT_EQ(ReadFile(folder.path() / "Boards.txt"), "");  // created empty when missing
  EXPECT_EQ(ReadFile(folder.path() / "Hands.txt"), "");
  EXPECT_EQ(ReadFile(folder.path() / "Print.txt"), "");
  EXPECT_EQ(ReadFile(folder.path() / "Amik.txt"), "run 2\n");
}

TEST(OutputFiles, AMissingFolderIsAnIoErrorNamingTheFolder) {
  TempFolder folder;
  Iodef iodef;
  OutputFiles files;
  const auto missing = folder.path() / "outputFile";
  try {
    iodef.OpenFiles(missing, files);
    FAIL() << "opening in a missing folder succeeded";
  } catch (const IoError& error) {
    EXPECT_EQ(std::string(error.what()), "Output folder not found: " + missing.string());
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(OutputFiles, AWrittenFileThatCannotBeOpenedLeavesTheOthersUnemptied) {
  TempFolder folder;
  WriteFile(folder.path() / "Hands.txt", "old hands\n");
  WriteFile(folder.path() / "Amik.txt", "old amik\n");
  std::filesystem::create_directory(folder.path() / "Print.txt");
  Iodef iodef;
  OutputFiles files;
  try {
    iodef.OpenFiles(folder.path(), files);
    FAIL() << "a folder in place of Print.txt was opened";
  } catch (const IoError& error) {
    EXPECT_EQ(std::string(error.what()), "Is a folder, not a file: " + (folder.path() / "Print.txt").string());
  }
  EXPECT_EQ(ReadFile(folder.path() / "Hands.txt"), "old hands\n");
  EXPECT_EQ(ReadFile(folder.path() / "Amik.txt"), "old amik\n");
}

TEST(OutputFiles, DefaultsAndTheMarkedCharacter) {
  ProbTable table;
  char mode = 'A';
  Iodef iodef;
  iodef.DefaultParameters(table);
  iodef.DefaultModes(mode);
  for (int k = 1; k <= 10; ++k) EXPECT_EQ(table[k], 0.5);
  EXPECT_EQ(mode, 'B');

  Channel c;
  iodef.SetIO(&c.io);
  iodef.WriteMarked('H');
  EXPECT_EQ(c.io.PendingLine(), "H");
}

TEST(PrintBoard, WritesA34CharacterLineAndTheOutputWindowLine) {
  TempFolder folder;
  TextFile file;
  const auto path = folder.path() / "Amik.txt";
  file.Open(path.string(), TextFile::Mode::Write);

  Channel c;
  Score score;
  score.SetIO(&c.io);
  TreeNode node;
  node.board = Board::FromText("4H4C3H3C2H2C");
  node.role = 'N';  // the suffix follows the first mover, not the node
  score.PrintBoard(node, file, "C");
  score.PrintBoard(node, file, "N");
  file.Close();
  const std::string expected = "   4H   4C   3H   3C   2H   2C CK \n   4H   4C   3H   3C   2H   2C NK \n";
  EXPECT_EQ(ReadFile(path), expected);
  EXPECT_EQ(expected.find('\n'), 34u);
  EXPECT_EQ(c.output.lines, (Lines{"   ", "   4H   4C   3H   3C   2H   2C CK", "   ",
                                   "   4H   4C   3H   3C   2H   2C NK"}));
}

TEST(TextFile, TheDiskHoldsWholeLinesWhileItIsWrittenAndEverythingAfterAFlush) {
  TempFolder folder;
  const auto path = folder.path() / "lines.txt";
  TextFile file;
  file.Open(path.string(), TextFile::Mode::Write);
  std::string all;
  for (int line = 0; all.size() < 3 * TextFile::BufferSize; ++line) {
    const std::string text = "line " + std::to_string(line);
    file.WriteLine(text);
    all += text + "\n";
    if (line % 64 != 0) continue;
    // A program stopped now would leave whole lines, and only lines it wrote.
    const std::string on_disk = ReadFile(path);
    ASSERT_TRUE(on_disk.empty() || on_disk.back() == '\n') << line;
    ASSERT_EQ(all.compare(0, on_disk.size(), on_disk), 0) << line;
  }
  EXPECT_GT(ReadFile(path).size(), 2 * TextFile::BufferSize);
  file.Write("no line end yet");
  file.Flush();
  EXPECT_EQ(ReadFile(path), all + "no line end yet");
  const std::string long_line(TextFile::BufferSize + 10, 'x');  // longer than the buffer: goes as it is
  file.Write(long_line);
  EXPECT_EQ(ReadFile(path), all + "no line end yet" + long_line);
  file.Close();
}

TEST(TextFile, WritingToAFullDiskIsReported) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  TextFile file;
  file.Open("/dev/full", TextFile::Mode::Write);
  EXPECT_THROW(
      {
        file.Write(std::string(1 << 16, 'x'));
        file.Flush();
      },
      IoError);
  try {
    file.Close();
  } catch (const IoError& error) {
    EXPECT_EQ(error.message(), "Disk full");
  }
}

}  // namespace
}  // namespace bruso
