#pragma once

#include <string_view>

#include "engine/output_channel.h"
#include "engine/text_file.h"

namespace bruso {

inline constexpr const char* StandardOutputName = "standard output";

// Makes sure the three standard streams are open before any file is opened. A program
// started with one of them closed (`>&-`) would hand its number to the first file it
// opens, and the lines meant for standard output would land in that file. A closed stream
// is given /dev/null opened for reading only, so that writing to it still fails.
void GuardStandardStreams();

// The output window of a headless run: its lines go to standard output, in large pieces
// of whole lines. A reader that went away (a broken pipe) stops the run as a signal would
// and the lines after are dropped; any other failed write throws IoError naming
// "standard output".
class StdoutSink : public TextSink {
 public:
  StdoutSink();
  void AppendLine(std::string_view line) override;
  // Text of whole lines, each with its line end.
  void Write(std::string_view text);
  // Hands every line to the system; throws IoError as AppendLine does.
  void Flush();

 private:
  template <typename Operation>
  void Checked(Operation operation);

  TextFile out_;
  bool readerGone_ = false;
};

}  // namespace bruso
