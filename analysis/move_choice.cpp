#include "analysis/score.h"

#include "engine/move_engine.h"

namespace bruso {

namespace {

// A memory cell of two blanks is not remembered; anything else is.
bool Remembered(std::string_view cell) { return !SameCard(cell, "  "); }

// The exploring move opposite to a C or N, or none for any other move.
char OppositeExploration(char move) {
  if (move == MoveN) return MoveC;
  if (move == MoveC) return MoveN;
  return '\0';
}

char RandomExploration(Chance& chance) { return chance.ExploresN() ? MoveN : MoveC; }

void SetMark(TreeNode& node, std::string_view card) {
  node.mark = {card[0], card[1]};
}

}  // namespace

std::string_view Score::KeeperCard(const TreeNode& node) {
  return node.board.Cell(node.role == RoleCK ? Position::CK : Position::NK);
}

void Score::AddTrace(std::string_view words) {
  if (channel_ != nullptr) channel_->AddText(words);
}

void Score::AnnounceLookFor(const TreeNode& node, std::string_view card, char analysis_mode) {
  if (analysis_mode != TracingMode) return;
  std::string text(1, node.role);
  text += "k  looks for ";
  text += card;
  text += "  ";
  if (traceStream_ != nullptr) {
    // A process without a usable standard output just fails here, quietly.
    traceStream_->write(text.data(), static_cast<std::streamsize>(text.size()));
    traceStream_->flush();
  }
  AddTrace(text);
}

void Score::SearchMove(char strategy, TreeNode& node, std::string_view card, const AnalysisSettings& settings,
                       Chance& chance) {
  AnnounceLookFor(node, card, settings.AnalysisMode);
  SetMark(node, card);
  if (SameCard(KeeperCard(node), card) || SameCard(node.board.Cell(Position::UP), card)) {
    CardAtHand(strategy, node, card, settings.AnalysisMode);
    return;
  }
  if (node.role != RoleCK && node.role != RoleNK) return;
  if (FetchFromMemory(node, card, settings)) return;

  // The card was not located: explore.
  if (strategy == StrategyAltruist || strategy == StrategyCooperative) {
    if (node.parent == nullptr) {
      Suggest(RandomExploration(chance), MoveBranch::Search);
    } else {
      const char opposite = OppositeExploration(node.parent->move);
      Suggest(opposite != '\0' ? opposite : AlternateSearch(node, chance), MoveBranch::Search);
    }
  } else if (strategy == StrategyEgoist) {
    Suggest(AlternateSearch(node, chance), MoveBranch::Search);
  }
}

// Fetches the card from where the player remembers it, waits when the partner holds it,
// or explores the one of C and N that it does not remember. False when none applies.
bool Score::FetchFromMemory(const TreeNode& node, std::string_view card, const AnalysisSettings& settings) {
  const bool ck = node.role == RoleCK;
  const Board& memory = ck ? settings.MemoryCK : settings.MemoryNK;
  const std::string_view c = memory.Cell(Position::C);
  const std::string_view n = memory.Cell(Position::N);
  if (SameCard(c, card)) {
    Suggest(MoveC, MoveBranch::Search);
  } else if (SameCard(n, card)) {
    Suggest(MoveN, MoveBranch::Search);
  } else if (SameCard(memory.Cell(ck ? Position::NK : Position::CK), card)) {
    Suggest(MovePass, MoveBranch::Search);
    AddTraceWhen(settings.Tracing(), "Stop ");
  } else if (!Remembered(c) && Remembered(n)) {
    Suggest(MoveC, MoveBranch::Search);
  } else if (Remembered(c) && !Remembered(n)) {
    Suggest(MoveN, MoveBranch::Search);
  } else {
    return false;
  }
  return true;
}

void Score::CardAtHand(char strategy, const TreeNode& node, std::string_view card, char analysis_mode) {
  const bool tracing = analysis_mode == TracingMode;
  const bool in_keeper = SameCard(KeeperCard(node), card);
  const bool on_up = SameCard(node.board.Cell(Position::UP), card);
  if (strategy == StrategyEgoist || strategy == StrategyCooperative) {
    AddTraceWhen(tracing, "Egoiste");
    if (in_keeper) {
      if (typogr::TargetMatch(node)) {
        Suggest(MoveTarget, MoveBranch::CardAtHand);
      } else {
        Suggest(MovePass, MoveBranch::CardAtHand);
        AddTraceWhen(tracing, "Wait ");
      }
    } else if (on_up) {
      Suggest(MoveUp, MoveBranch::CardAtHand);
    }
  } else if (strategy == StrategyAltruist) {
    AddTraceWhen(tracing, "Altruiste ");
    if (in_keeper) Suggest(MoveUp, MoveBranch::CardAtHand);  // put it on UP for the partner
    if (on_up) Suggest(MovePass, MoveBranch::CardAtHand);    // leave it there
  }
}

void Score::StepAside(TreeNode& node, std::string_view card) {
  SetMark(node, NoCard);
  if (SameCard(KeeperCard(node), card)) {
    Suggest(MoveUp, MoveBranch::StepAside);
  } else {
    Suggest(MovePass, MoveBranch::StepAside);
    AddTrace("Norivel");
  }
}

char Score::AlternateSearch(const TreeNode& node, Chance& chance) {
  if (const TreeNode* own_turn_before = Grandparent(node)) {
    const char opposite = OppositeExploration(own_turn_before->move);
    if (opposite != '\0') return opposite;
  }
  return RandomExploration(chance);
}

}  // namespace bruso
