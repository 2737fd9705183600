#pragma once

#include <string>
#include <utility>
#include <vector>

namespace bruso {

// The summary at the end of a batch: labelled values, printed as aligned lines.
class Summary {
 public:
  explicit Summary(std::string title) : title_(std::move(title)) {}

  void Add(const std::string& label, const std::string& value) { rows_.emplace_back(label, value); }
  // "count (share%)", the share of `whole` with one decimal; "count" alone when whole is 0.
  void AddCount(const std::string& label, long long count, long long whole);

  std::string Text() const;
  const std::vector<std::pair<std::string, std::string>>& rows() const { return rows_; }

 private:
  std::string title_;
  std::vector<std::pair<std::string, std::string>> rows_;
};

std::string FormatShare(long long count, long long whole);

}  // namespace bruso
