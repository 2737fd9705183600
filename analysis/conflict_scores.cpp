#include "analysis/score.h"

#include <algorithm>

#include "engine/move_engine.h"

namespace bruso {

namespace {

using Flags = std::array<bool, 8>;

// The partner's last move as the player to move sees it: the card on UP before and after
// it, and its letter.
struct PartnersMove {
  explicit PartnersMove(const TreeNode& node)
      : upBefore(node.parent->board.Cell(Position::UP)), upNow(node.board.Cell(Position::UP)),
        move(node.parent->move) {}
  bool Was(char letter) const { return move == letter; }

  std::string_view upBefore;
  std::string_view upNow;
  char move;
};

}  // namespace

const TreeNode* Score::Grandparent(const TreeNode& node) {
  if (node.parent == nullptr) return nullptr;
  return node.parent->parent;
}

// Evidence about CK from its last move M, made at the parent P.
double Score::ScoreConflictNK(const TreeNode& node, int m, const AnalysisSettings& settings) {
  if (node.parent == nullptr) return 0.5;  // no move of the partner to read
  const PartnersMove p(node);
  const KeyCards& a = settings.KeyCardsA;
  const KeyCards& b = settings.KeyCardsB;
  const std::string_view remembered_ck = settings.MemoryNK.Cell(Position::CK);
  const Flags flags = {
      p.upBefore == a[2] && p.Was(MoveUp),
      p.upNow == b[2] && p.Was(MoveUp),
      p.upBefore == b[2] && !p.Was(MoveUp) && !p.Was(MoveTarget),
      remembered_ck == b[m] && !p.Was(MovePass),
      p.upBefore == b[2] && p.Was(MoveUp),
      p.upNow == b[m] && p.Was(MoveUp),
      p.upBefore == a[2] && !p.Was(MoveUp),
      remembered_ck == b[2] && p.Was(MovePass),
  };
  return ConflictVerdict(flags, node.role, true, settings);
}

// Evidence about NK from its last move M, made at the parent P.
double Score::ScoreConflictCK(const TreeNode& node, int m, const AnalysisSettings& settings) {
  if (node.parent == nullptr) return 0.5;  // no move of the partner to read
  const PartnersMove p(node);
  const KeyCards& a = settings.KeyCardsA;
  const KeyCards& b = settings.KeyCardsB;
  const std::string_view remembered_nk = settings.MemoryCK.Cell(Position::NK);
  const Flags flags = {
      p.upBefore == b[m] && p.Was(MoveUp),
      p.upNow == b[2] && p.Was(MoveUp),
      p.upBefore == b[2] && !p.Was(MoveUp) && !p.Was(MoveTarget),
      remembered_nk == a[2] && p.Was(MovePass),
      p.upBefore == b[2] && p.Was(MoveUp),
      p.upNow == a[2] && p.Was(MoveUp),
      p.upBefore == b[m] && !p.Was(MoveUp) && !p.Was(MoveTarget),
      remembered_nk == b[2] && p.Was(MovePass),
  };
  return ConflictVerdict(flags, node.role, false, settings);
}

// Flags 1 to 4 and 5 to 8 are two groups of evidence. One group alone gives its verdict (1
// for the group that means one, 0 for the other); evidence in both groups is a conflict,
// and neither gives no verdict: 0.5.
double Score::ConflictVerdict(const Flags& flags, char role, bool first_group_means_one,
                              const AnalysisSettings& settings) {
  const auto first_group = std::count(flags.begin(), flags.begin() + 4, true);
  const auto second_group = std::count(flags.begin() + 4, flags.end(), true);
  if (settings.Tracing()) {
    std::string trace{role, 'k', ' '};
    for (bool flag : flags) trace += flag ? '1' : '0';
    trace += ' ';
    AddTrace(trace);
  }
  if (first_group > 0 && second_group > 0) {
    AddTraceWhen(settings.Tracing(), "RConflict ");
    return 0.5;
  }
  const auto for_one = first_group_means_one ? first_group : second_group;
  const auto for_zero = first_group_means_one ? second_group : first_group;
  if (for_one > 0) return 1;
  if (for_zero > 0) return 0;
  return 0.5;
}

}  // namespace bruso
