#include "tools/standard_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include "engine/io_error.h"
#include "tools/stop_signals.h"

namespace bruso {

void GuardStandardStreams() {
  for (int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(stream, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free number is the closed stream's own.
    ::open("/dev/null", O_RDONLY);
  }
}

StdoutSink::StdoutSink() { out_.Attach(stdout, StandardOutputName); }

template <typename Operation>
void StdoutSink::Checked(Operation operation) {
  if (readerGone_) return;
  try {
    operation();
  } catch (const IoError& error) {
    if (error.errorNumber() != EPIPE) throw;
    readerGone_ = true;
    RequestStop(SIGPIPE);
  }
}

void StdoutSink::AppendLine(std::string_view line) {
  Checked([&] { out_.WriteLine(line); });
}

void StdoutSink::Write(std::string_view text) {
  Checked([&] { out_.Write(text); });
}

void StdoutSink::Flush() {
  Checked([&] { out_.Flush(); });
}

}  // namespace bruso
