#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "shoe/shoe_file.h"

namespace bruso {

// Who played a part of the data: a participant's id, their condition (empty without one)
// and the hands with only the lines they played, in the order of the shoe (a hand they
// played no line of is left out).
struct Participant {
  std::string id;
  std::string condition;
  HandList hands;
};

// A groups or conditions file, or a set of shoe files, that does not say clearly who played
// each line: the message names the file and, where there is one, the row.
class ParticipantsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Who played each recorded line of a shoe, as a groups file says: a CSV with the columns
// hand, line and participant and an optional condition, in any order, hands and lines
// numbered from 1 as classify numbers them. Every recorded line must be named exactly once
// and a participant must keep one condition. The participants come in the order the file
// first names them, without hands. `file` names the file in the messages.
struct LineOwners {
  std::vector<Participant> participants;
  std::vector<std::vector<std::size_t>> owner;  // [hand][index in MoveLines]: the participant's index
  const Participant& Of(std::size_t hand, std::size_t move_line) const {
    return participants[owner[hand][move_line]];
  }
};
LineOwners ReadGroups(const HandList& hands, std::string_view text, const std::string& file);
LineOwners ReadGroupsFile(const HandList& hands, const std::string& groups_path);

// Each participant with the hands of the lines they played.
std::vector<Participant> SplitByOwner(const HandList& hands, LineOwners owners);

// SplitByOwner of ReadGroups.
std::vector<Participant> ParticipantsFromGroups(const HandList& hands, std::string_view text, const std::string& file);

// The participants' conditions from a CSV with the columns participant and condition, which
// must name each of `ids` once and nothing else.
std::map<std::string, std::string> ConditionsFromText(std::string_view text, const std::string& file,
                                                      const std::vector<std::string>& ids);

// A participant per shoe file, named after the file without folder and extension; two files
// of one name are refused. The conditions, when given, come from that file.
std::vector<Participant> ParticipantsFromShoes(const std::vector<std::string>& shoe_paths,
                                               const std::optional<std::string>& conditions_path);

// The participants' hands one after another as one list, and who played each line of it
// (the participants without hands).
struct JoinedParticipants {
  HandList hands;
  LineOwners owners;
};
JoinedParticipants JoinParticipants(std::vector<Participant> participants);

// The distinct conditions of the participants, in the order they first come; empty when
// none has one.
std::vector<std::string> ConditionsOf(const std::vector<Participant>& participants);

}  // namespace bruso
