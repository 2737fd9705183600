#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/command_line.h"
#include "study/group_recovery.h"
#include "study/participants.h"
#include "study/recovery.h"

namespace bruso {

// The options shared by the commands that draw data sets.
inline constexpr const char* LinesOption = "--lines";
inline constexpr const char* ReplicatesOption = "--replicates";
// recover: the generating variants' own fits without their intervals.

// A whole number option from 1 to `most`, `fallback` without it (none: the command needs it).
int CountFrom(const CommandLine& line, const std::string& option, int most, std::optional<int> fallback,
              const std::string& command);

// The study's seed: --seed, or one from the clock.
std::uint64_t SeedFrom(const CommandLine& line);

// Refuses a table that names the shoe, then reads the shoe; throws for a shoe that cannot be
// read or holds no hand.
HandList ReadShoeForTable(const std::string& shoe_path, const std::optional<std::string>& table);

// Who played each line of the shoe, from the groups file of --groups; throws
// OptionValueError naming the file and row when it does not say clearly.
LineOwners ReadGroupsOption(const HandList& hands, const std::string& groups_path);

// A participant per shoe file, with the conditions of the conditions file when given (see
// ParticipantsFromShoes); throws OptionValueError naming the file and row that does not say
// clearly.
std::vector<Participant> ParticipantsFromShoesOption(const std::vector<std::string>& shoe_paths,
                                                     const std::optional<std::string>& conditions_path);

// Refuses --groups with other than one shoe, and --conditions with --groups, whose file gives
// the conditions itself.
void RefuseMisplacedGroups(std::size_t shoes, bool groups, bool conditions);

// What `recover` is asked for. Read before anything is opened, so that a wrong value stops
// the run at once.
struct RecoverOptions {
  RecoveryDesign design;
  std::optional<GroupRecoveryDesign> group;  // with --participants: a group of simulated participants
  std::optional<std::string> csv;
  int jobs = 1;
};

// Throws OptionValueError for a value recover cannot take.
RecoverOptions RecoverOptionsFrom(const CommandLine& line);

}  // namespace bruso
