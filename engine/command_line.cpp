#include "engine/command_line.h"

#include <cctype>

namespace bruso {

namespace {

void RefuseEmpty(const std::string& option, const std::string& value) {
  if (value.empty()) throw OptionValueError(option + " takes a value, not ''");
}

}  // namespace

CommandLine::CommandLine(const std::vector<std::string>& words,
                         const std::set<std::string>& value_options,
                         const std::set<std::string>& switches,
                         const std::set<std::string>& repeatable) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    const bool again = values_.count(word) > 0 || switches_.count(word) > 0;
    if (again && repeatable.count(word) == 0) throw OptionValueError(word + " is given twice; give it once");
    if (word.empty()) {
      throw OptionValueError("an empty argument: '' names no file");
    } else if (word.rfind("--", 0) != 0) {
      positional_.push_back(word);
    } else if (switches.count(word) > 0) {
      switches_.insert(word);
    } else if (value_options.count(word) > 0) {
      if (i + 1 >= words.size()) throw UsageError(word + " needs a value");
      values_[word].push_back(words[++i]);
    } else {
      throw UsageError("unknown option " + word);
    }
  }
}

std::optional<std::string> CommandLine::Value(const std::string& option) const {
  const std::vector<std::string> all = Values(option);
  if (all.empty()) return std::nullopt;
  return all.back();
}

std::vector<std::string> CommandLine::Values(const std::string& option) const {
  auto found = values_.find(option);
  if (found == values_.end()) return {};
  for (const std::string& value : found->second) RefuseEmpty(option, value);
  return found->second;
}

std::optional<std::uint64_t> CommandLine::Number(const std::string& option) const {
  std::optional<std::string> text = Value(option);
  if (!text) return std::nullopt;
  const OptionValueError wrong(option + " takes a whole number, not '" + *text + "'");
  if (text->size() > 19) throw wrong;
  for (char c : *text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) throw wrong;
  }
  return std::stoull(*text);
}

}  // namespace bruso
