#include "session/experiment_record.h"

#include <algorithm>

#include "engine/board.h"
#include "engine/csv_row.h"
#include "engine/io_error.h"
#include "engine/text_lines.h"

namespace bruso {

namespace {

std::filesystem::path Beside(const std::filesystem::path& shoe, const char* suffix) {
  std::filesystem::path table = shoe;
  table.replace_filename(shoe.stem().string() + suffix);
  return table;
}

std::string FileText(const std::filesystem::path& path) {
  return std::filesystem::exists(path) ? ReadWholeFile(path.string()) : std::string();
}

// Opens a file for appending; a file that does not end its last line gets its line end first.
TextFile OpenForAppending(const std::filesystem::path& path, const std::string& text) {
  TextFile file;
  file.Open(path.string(), TextFile::Mode::Append);
  if (!text.empty() && text.back() != '\n') file.Write("\n");
  return file;
}

// Opens a table for appending: a new or empty one gets its header row; one with other
// columns is refused, since rows added to it could not be read back.
TextFile OpenTableForAppending(const std::filesystem::path& path, const std::vector<std::string>& header) {
  const std::string text = FileText(path);
  const std::string header_row = CsvRow(header);
  if (!text.empty() && text.substr(0, text.find('\n')) != header_row) {
    throw IoError("The file holds a table with other columns than " + header_row, path.string());
  }
  TextFile table = OpenForAppending(path, text);
  if (text.empty()) table.WriteLine(header_row);
  table.Flush();
  return table;
}

int HandLinesIn(const std::string& text) {
  int hands = 0;
  LineCursor lines(text);
  for (std::string_view line; lines.Next(line);) {
    if (line.find(TargetCardCode) != std::string_view::npos) ++hands;
  }
  return hands;
}

}  // namespace

ExperimentRecord::ExperimentRecord(const std::filesystem::path& shoe, std::string participant, std::string condition)
    : participant_(std::move(participant)), condition_(std::move(condition)) {
  const std::string text = FileText(shoe);
  nextHand_ = HandLinesIn(text) + 1;
  shoe_ = OpenForAppending(shoe, text);
  shoe_.Flush();
  moves_ = OpenTableForAppending(MovesTablePath(shoe), MovesHeader());
  groups_ = OpenTableForAppending(GroupsTablePath(shoe), GroupsHeader());
}

int ExperimentRecord::WriteHand(const SessionHand& hand) {
  const int number = nextHand_;
  const std::string hand_number = std::to_string(number);
  shoe_.WriteLine(hand.handLine);
  shoe_.WriteLine(hand.infoLine);
  shoe_.WriteLine(hand.letters);
  shoe_.Flush();
  for (const SessionClick& click : hand.clicks) {
    moves_.WriteLine(CsvRow({participant_, condition_, hand_number, "1", std::to_string(click.move),
                             click.role == RoleCK ? "CK" : "NK", click.letter, click.playable ? "1" : "0",
                             std::to_string(click.ms), click.mover == Player::Person ? "person" : "rules",
                             std::to_string(click.handMs)}));
  }
  moves_.Flush();
  // The line below the hand line is never replayed; the recorded line is the hand's line 1.
  groups_.WriteLine(CsvRow({hand_number, "1", participant_, condition_}));
  groups_.Flush();
  ++nextHand_;
  ++handsWritten_;
  return number;
}

void ExperimentRecord::Close() {
  shoe_.Close();
  moves_.Close();
  groups_.Close();
}

std::filesystem::path ExperimentRecord::MovesTablePath(const std::filesystem::path& shoe) {
  return Beside(shoe, "_moves.csv");
}

std::filesystem::path ExperimentRecord::GroupsTablePath(const std::filesystem::path& shoe) {
  return Beside(shoe, "_groups.csv");
}

const std::vector<std::string>& ExperimentRecord::MovesHeader() {
  static const std::vector<std::string> header = {"participant", "condition", "hand", "line", "move", "role",
                                                  "letter", "playable", "ms", "mover", "hand_ms"};
  return header;
}

const std::vector<std::string>& ExperimentRecord::GroupsHeader() {
  static const std::vector<std::string> header = {"hand", "line", "participant", "condition"};
  return header;
}

}  // namespace bruso
