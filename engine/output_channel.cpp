#include "engine/output_channel.h"

namespace bruso {

namespace {
constexpr std::string_view ThreeBlanks = "   ";
}

void TIO::AddLine(std::string_view text) {
  if (memo_ != nullptr) {
    memo_->AppendLine(text);
    memo_->AppendLine(pending_);
  }
  pending_.clear();
}

void TIO::OutputLine(std::string_view text) {
  if (output_ != nullptr) {
    output_->AppendLine(text);
    if (text == ThreeBlanks) output_->AppendLine(pending_);
  }
  pending_.clear();
}

void TIO::MemoLine(std::string_view text) {
  if (memo_ != nullptr) memo_->AppendLine(text);
}

void TIO::ClearOutputWindow() {
  if (output_ != nullptr) output_->Clear();
}

}  // namespace bruso
