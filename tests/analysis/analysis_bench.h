#pragma once

#include <sstream>
#include <string>
#include <string_view>

#include "analysis/score.h"
#include "engine/move_engine.h"
#include "engine/output_files.h"
#include "support/recorders.h"
#include "support/wired_engine.h"

namespace bruso::testing {

// An analyser wired to recording memos and a recorded trace stream, with the start
// settings and a seeded generator.
struct AnalysisBench : WiredEngine {
  AnalysisBench() {
    score.Init(&iodef, &tree, &moves, nullptr);
    score.SetIO(&io);
    score.SetTraceStream(&trace);
  }

  const std::string& Pending() const { return io.PendingLine(); }
  void Trace() { settings.AnalysisMode = TracingMode; }
  void AllProbabilities(double p) { settings.ProbTable.entries.fill(p); }

  Score score;
  std::ostringstream trace;
  AnalysisSettings settings;
  Random random{1};
  SeededChance chance{random};
};

// A position on its own: Board text in the order C, CK, UP, T, N, NK and the role to move.
inline TreeNode NodeAt(std::string_view board, char role, TreeNode* parent = nullptr) {
  TreeNode node;
  node.board = Board::FromText(board);
  node.role = role;
  node.parent = parent;
  return node;
}

inline std::string MarkOf(const TreeNode& node) { return {node.mark.begin(), node.mark.end()}; }

}  // namespace bruso::testing
