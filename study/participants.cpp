#include "study/participants.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <utility>

#include "engine/csv_row.h"
#include "engine/text_file.h"
#include "engine/text_lines.h"
#include "model/fit_data.h"

namespace bruso {

namespace {

// A CSV file read row by row against the columns it must and may have.
class CsvReader {
 public:
  CsvReader(std::string_view text, std::string file, const std::vector<std::string>& required,
            const std::vector<std::string>& optional)
      : cursor_(WithoutByteOrderMark(text)), file_(std::move(file)) {
    std::vector<std::string> header;
    if (!NextRow(header)) throw ParticipantsError(file_ + ": holds no header row");
    for (std::size_t c = 0; c < header.size(); ++c) {
      const std::string& name = header[c];
      const bool known = std::count(required.begin(), required.end(), name) + std::count(optional.begin(), optional.end(), name) > 0;
      if (!known) throw Error("unknown column '" + name + "'");
      if (!columns_.emplace(name, c).second) throw Error("names the column '" + name + "' twice");
    }
    for (const std::string& name : required) {
      if (columns_.count(name) == 0) throw Error("has no column '" + name + "'");
    }
    width_ = header.size();
  }

  // The next row that is not blank; false at the end.
  bool NextRow(std::vector<std::string>& fields) {
    std::string_view line;
    while (cursor_.Next(line)) {
      ++row_;
      if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
      if (!ReadCsvRow(line, fields)) throw Error("a quote is left open");
      if (width_ > 0 && fields.size() != width_) {
        throw Error("has " + std::to_string(fields.size()) + " fields, the header " + std::to_string(width_));
      }
      return true;
    }
    return false;
  }

  bool Has(const std::string& column) const { return columns_.count(column) > 0; }
  const std::string& Field(const std::vector<std::string>& fields, const std::string& column) const {
    return fields[columns_.at(column)];
  }
  // A whole number from 1 to `most` in the column.
  std::size_t Count(const std::vector<std::string>& fields, const std::string& column, std::size_t most) const {
    const std::string& text = Field(fields, column);
    std::size_t value = 0;
    const bool digits = !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
    if (digits) value = std::stoul(text);
    if (!digits || value < 1 || value > most) {
      throw Error(column + " takes a whole number from 1 to " + std::to_string(most) + ", not '" + text + "'");
    }
    return value;
  }
  // Names the file and the row.
  ParticipantsError Error(const std::string& what) const {
    return ParticipantsError(file_ + ", row " + std::to_string(row_) + ": " + what);
  }
  const std::string& file() const { return file_; }

 private:
  LineCursor cursor_;
  std::string file_;
  std::map<std::string, std::size_t> columns_;
  std::size_t width_ = 0;
  int row_ = 0;
};

// Reads the rows of the groups file into `owners`, with each line's participant; `named`
// tells which lines a row named.
void ReadGroupsRows(const HandList& hands, CsvReader& csv, LineOwners& owners, std::vector<std::vector<bool>>& named) {
  std::map<std::string, std::size_t> index;
  std::vector<std::string> fields;
  while (csv.NextRow(fields)) {
    const std::size_t hand = csv.Count(fields, "hand", hands.size());
    const std::size_t recorded = hands[hand - 1].MoveLines.size() - std::min(hands[hand - 1].MoveLines.size(), FirstRecordedLine);
    if (recorded == 0) throw csv.Error("hand " + std::to_string(hand) + " holds no recorded line");
    const std::size_t line = csv.Count(fields, "line", recorded);
    const std::string& id = csv.Field(fields, "participant");
    if (id.empty()) throw csv.Error("the participant is empty");
    const std::string condition = csv.Has("condition") ? csv.Field(fields, "condition") : "";
    const std::size_t move_line = line - 1 + FirstRecordedLine;
    if (named[hand - 1][move_line]) {
      throw csv.Error("hand " + std::to_string(hand) + " line " + std::to_string(line) + " is named twice");
    }
    const auto [it, added] = index.emplace(id, owners.participants.size());
    if (added) owners.participants.push_back({id, condition, {}});
    if (owners.participants[it->second].condition != condition) {
      throw csv.Error("participant '" + id + "' is in condition '" + owners.participants[it->second].condition +
                      "' on an earlier row, not '" + condition + "'");
    }
    named[hand - 1][move_line] = true;
    owners.owner[hand - 1][move_line] = it->second;
  }
}

std::string FileStem(const std::string& path) { return std::filesystem::path(path).stem().string(); }

}  // namespace

LineOwners ReadGroups(const HandList& hands, std::string_view text, const std::string& file) {
  CsvReader csv(text, file, {"hand", "line", "participant"}, {"condition"});
  LineOwners owners;
  std::vector<std::vector<bool>> named(hands.size());
  for (std::size_t h = 0; h < hands.size(); ++h) {
    owners.owner.emplace_back(hands[h].MoveLines.size(), 0);
    named[h].resize(hands[h].MoveLines.size());
  }
  ReadGroupsRows(hands, csv, owners, named);
  for (std::size_t h = 0; h < hands.size(); ++h) {
    for (std::size_t l = FirstRecordedLine; l < hands[h].MoveLines.size(); ++l) {
      if (!named[h][l]) {
        throw ParticipantsError(file + ": no row names hand " + std::to_string(h + 1) + " line " +
                                std::to_string(l - FirstRecordedLine + 1));
      }
    }
  }
  return owners;
}

LineOwners ReadGroupsFile(const HandList& hands, const std::string& groups_path) {
  return ReadGroups(hands, ReadWholeFile(groups_path), groups_path);
}

std::vector<Participant> SplitByOwner(const HandList& hands, LineOwners owners) {
  std::vector<Participant>& participants = owners.participants;
  for (std::size_t h = 0; h < hands.size(); ++h) {
    const Fhand& hand = hands[h];
    std::vector<Fhand*> parts(participants.size(), nullptr);  // this hand in each participant's list
    for (std::size_t l = FirstRecordedLine; l < hand.MoveLines.size(); ++l) {
      Fhand*& part = parts[owners.owner[h][l]];
      if (part == nullptr) {
        HandList& list = participants[owners.owner[h][l]].hands;
        list.push_back({{hand.MoveLines.begin(), hand.MoveLines.begin() + FirstRecordedLine}, hand.HandText, hand.FirstRole});
        part = &list.back();
      }
      part->MoveLines.push_back(hand.MoveLines[l]);
    }
  }
  return participants;
}

std::vector<Participant> ParticipantsFromGroups(const HandList& hands, std::string_view text, const std::string& file) {
  return SplitByOwner(hands, ReadGroups(hands, text, file));
}

std::map<std::string, std::string> ConditionsFromText(std::string_view text, const std::string& file,
                                                      const std::vector<std::string>& ids) {
  CsvReader csv(text, file, {"participant", "condition"}, {});
  std::map<std::string, std::string> conditions;
  std::vector<std::string> fields;
  while (csv.NextRow(fields)) {
    const std::string& id = csv.Field(fields, "participant");
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) throw csv.Error("no shoe file is named '" + id + "'");
    if (!conditions.emplace(id, csv.Field(fields, "condition")).second) {
      throw csv.Error("participant '" + id + "' is named twice");
    }
  }
  for (const std::string& id : ids) {
    if (conditions.count(id) == 0) throw ParticipantsError(file + ": no row names participant '" + id + "'");
  }
  return conditions;
}

std::vector<Participant> ParticipantsFromShoes(const std::vector<std::string>& shoe_paths,
                                               const std::optional<std::string>& conditions_path) {
  std::vector<std::string> ids;
  for (const std::string& path : shoe_paths) {
    const std::string id = FileStem(path);
    if (std::find(ids.begin(), ids.end(), id) != ids.end()) {
      throw ParticipantsError(path + ": another shoe file is named '" + id + "' too");
    }
    ids.push_back(id);
  }
  std::map<std::string, std::string> conditions;
  if (conditions_path) conditions = ConditionsFromText(ReadWholeFile(*conditions_path), *conditions_path, ids);
  std::vector<Participant> participants;
  for (std::size_t p = 0; p < shoe_paths.size(); ++p) {
    participants.push_back({ids[p], conditions[ids[p]], ReadShoeFile(shoe_paths[p]).hands});
  }
  return participants;
}

JoinedParticipants JoinParticipants(std::vector<Participant> participants) {
  JoinedParticipants joined;
  for (std::size_t p = 0; p < participants.size(); ++p) {
    for (Fhand& hand : participants[p].hands) {
      joined.owners.owner.emplace_back(hand.MoveLines.size(), p);
      joined.hands.push_back(std::move(hand));
    }
    participants[p].hands.clear();
  }
  joined.owners.participants = std::move(participants);
  return joined;
}

std::vector<std::string> ConditionsOf(const std::vector<Participant>& participants) {
  std::vector<std::string> conditions;
  for (const Participant& participant : participants) {
    const std::string& c = participant.condition;
    if (!c.empty() && std::find(conditions.begin(), conditions.end(), c) == conditions.end()) conditions.push_back(c);
  }
  return conditions;
}

}  // namespace bruso
