#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace bruso {

// A command line that went wrong: the message is one line for standard error.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An option with a value it cannot take: the message says what it takes, so it stands on
// its own line without the usage.
class OptionValueError : public UsageError {
 public:
  using UsageError::UsageError;
};

// The words of one subcommand: positional arguments, options with a value
// ("--out DIR") and switches ("--trace").
class CommandLine {
 public:
  // Throws UsageError for an unknown option, a missing value, an empty argument, or an
  // option or switch given twice: a second value would silently replace the first. Only
  // the options in `repeatable` (their help says so) may come more than once.
  CommandLine(const std::vector<std::string>& words, const std::set<std::string>& value_options,
              const std::set<std::string>& switches, const std::set<std::string>& repeatable = {});

  const std::vector<std::string>& positional() const { return positional_; }
  // The option's value (the last one of a repeatable option); throws OptionValueError for
  // an empty value ("--csv ''"), which names no file and no number.
  std::optional<std::string> Value(const std::string& option) const;
  // Every value of a repeatable option, in the order given; each checked as Value does.
  std::vector<std::string> Values(const std::string& option) const;
  bool Has(const std::string& option) const { return switches_.count(option) > 0; }

  // A whole number option; throws OptionValueError when it is not one.
  std::optional<std::uint64_t> Number(const std::string& option) const;

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::vector<std::string>> values_;
  std::set<std::string> switches_;
};

}  // namespace bruso
