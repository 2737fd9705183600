#include "tools/interruption.h"

#include <csignal>

namespace bruso {

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) {
  interrupted = 1;
  std::signal(SIGINT, SIG_DFL);
}

}  // namespace

void CatchInterruption() {
  interrupted = 0;
  std::signal(SIGINT, OnInterrupt);
}

bool Interrupted() { return interrupted != 0; }

}  // namespace bruso
