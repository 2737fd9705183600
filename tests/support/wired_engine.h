#pragma once

#include "engine/game_tree.h"
#include "engine/move_engine.h"
#include "engine/output_channel.h"
#include "engine/output_files.h"
#include "support/recorders.h"

namespace bruso::testing {

// The output channel, the output file set, the game tree and the move engine, wired to
// each other and to two recording memos as the start-up wires them.
struct WiredEngine {
  WiredEngine() {
    io.SetMemo(&memo);
    io.SetOutputWindow(&output);
    iodef.SetIO(&io);
    tree.SetIO(&io);
    tree.SetIodef(&iodef);
    moves.Init(&iodef, &tree, nullptr);
  }
  WiredEngine(const WiredEngine&) = delete;
  WiredEngine& operator=(const WiredEngine&) = delete;

  RecordingSink memo;
  RecordingSink output;
  TIO io;
  Iodef iodef;
  Tree tree;
  typogr moves;
};

}  // namespace bruso::testing
