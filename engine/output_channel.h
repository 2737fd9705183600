#pragma once

#include <string>
#include <string_view>

namespace bruso {

// Somewhere lines of text can be appended: the main window's small memo, the output
// window's memo, a file or a recorder in a test.
class TextSink {
 public:
  virtual ~TextSink() = default;
  virtual void AppendLine(std::string_view line) = 0;
  // Empties the memo; a sink that cannot be emptied (standard output) ignores it.
  virtual void Clear() {}
};

// The output channel. Pieces of a line collect in the PendingLine; AddLine sends a line
// to the main window's memo followed by the pending text, OutputLine sends a line to the
// output window and shows the pending text only after a line of three blanks.
class TIO {
 public:
  // The main window's memo; nothing is written to it before this is called.
  void SetMemo(TextSink* memo) { memo_ = memo; }
  bool HasMemo() const { return memo_ != nullptr; }
  // The output window's memo, which exists for the whole run.
  void SetOutputWindow(TextSink* output) { output_ = output; }

  void AddText(std::string_view text) { pending_ += text; }
  void AddLine(std::string_view text);
  void OutputLine(std::string_view text);
  // One line to the main window's memo on its own; the pending text stays pending.
  void MemoLine(std::string_view text);
  void ClearOutputWindow();

  const std::string& PendingLine() const { return pending_; }

 private:
  TextSink* memo_ = nullptr;
  TextSink* output_ = nullptr;
  std::string pending_;
};

}  // namespace bruso
