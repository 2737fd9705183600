#pragma once

#include <iostream>
#include <string>
#include <string_view>

#include "analysis/analysis_settings.h"
#include "analysis/chance.h"
#include "analysis/replay_observer.h"
#include "engine/board.h"
#include "engine/game_tree.h"
#include "engine/hand_buffer.h"
#include "engine/output_channel.h"
#include "engine/random.h"
#include "engine/text_file.h"

namespace bruso {

class Iodef;
class Iospec;
class typogr;

// A replay stops after this many characters have been consumed by moves.
inline constexpr int MaxReplayMoves = 40;

// The attitudes of a player in the analysis. The egoist plays the card for itself and
// alternates its own exploring moves; the altruist passes the card through UP and explores
// opposite to its partner; 'c' plays like the egoist and explores like the altruist.
inline constexpr char StrategyEgoist = 'e';
inline constexpr char StrategyAltruist = 'a';
inline constexpr char StrategyCooperative = 'c';

// The analyser. It sets a hand's Board up from its text, prints Boards, and models how the
// two players reason: at a position it decides which card the player to move looks for,
// with which attitude, and which move it would play; it replays recorded move strings
// through that model. Trace words go to the output channel's PendingLine.
class Score {
 public:
  void SetIO(TIO* channel) { channel_ = channel; }
  void Init(Iodef* iodef, Tree* tree, typogr* moves, Iospec* display);
  // Where the "k  looks for" trace is also written; none (nullptr) skips it. Standard
  // output unless set.
  void SetTraceStream(std::ostream* stream) { traceStream_ = stream; }
  // Who is told about every position a replay analyses; none (nullptr) unless set.
  void SetReplayObserver(ReplayObserver* observer) { observer_ = observer; }

  static bool IsMoveLetter(char c) { return bruso::IsMoveLetter(c); }
  static void SqueezeBlanks(HandBuffer& buffer) { bruso::SqueezeBlanks(buffer); }
  static void BoardFromText(Board& board, const HandBuffer& buffer) { bruso::BoardFromText(board, buffer); }

  // Writes the node's Board as one line to the file (three blanks before each card, then
  // " CK" or " NK" for the first mover and a blank) and to the output window.
  void PrintBoard(const TreeNode& node, TextFile& file, std::string_view first_mover);

  // --- Hand analysis ---

  // Analyses the position: resets LookedForCard, then lets the player who can finish on
  // this Target look for the goal card, or, on a Target that needs two steps, chooses the
  // plan card from the partner's last move or the card rules, and turns it into a move.
  void AnalysePosition(TreeNode& node, const AnalysisSettings& settings, Chance& chance);

  // The card rules of a two-step Target A[m]: which card the player looks for, "##" when
  // no rule holds (then nothing is asked). One decision of chance when a rule holds.
  static std::string_view ChooseCardNK(const TreeNode& node, int m, const AnalysisSettings& settings,
                                       Chance& chance);
  static std::string_view ChooseCardCK(const TreeNode& node, int m, const AnalysisSettings& settings,
                                       Chance& chance);

  // What the partner's last move says about its plan: 1, 0, or 0.5 for no verdict (also at
  // a node without a parent, which writes no trace).
  double ScoreConflictNK(const TreeNode& node, int m, const AnalysisSettings& settings);
  double ScoreConflictCK(const TreeNode& node, int m, const AnalysisSettings& settings);

  // The position before the player's own previous move, or nullptr when there is none.
  static const TreeNode* Grandparent(const TreeNode& node);

  // --- Move choice ---

  // Marks the node with the card and suggests the move that plays, passes or fetches it,
  // or explores for it.
  void SearchMove(char strategy, TreeNode& node, std::string_view card, const AnalysisSettings& settings,
                  Chance& chance);
  // The move for a card that lies in the keeper cell or on UP.
  void CardAtHand(char strategy, const TreeNode& node, std::string_view card, char analysis_mode);
  // The player who cannot finish gives the card up when it holds it, else passes.
  void StepAside(TreeNode& node, std::string_view card);
  // C or N, opposite to the player's own previous move; at random without one.
  static char AlternateSearch(const TreeNode& node, Chance& chance);
  // When tracing: "<role>k  looks for <card>  " to the trace stream and the PendingLine.
  void AnnounceLookFor(const TreeNode& node, std::string_view card, char analysis_mode);

  // --- Replay ---

  // Replays the move string in the buffer from the root of the current tree, analysing
  // every position before its letter is applied. A string whose second character is no
  // move letter is refused (false) with a line in the memo, and the tree stays as it was.
  bool LowExplGame(TreeNode*& current, TreeNode*& root, const HandBuffer& buffer, Board& scratch,
                   const AnalysisSettings& settings, Random& random);

  // The results of the last analysis. SuggestedMove keeps its value when an analysis
  // chooses no move.
  const std::string& LookedForCard() const { return lookedForCard_; }
  char SuggestedMove() const { return suggestedMove_; }
  // The branch that chose a move in the last analysis; None when it chose none.
  MoveBranch SuggestedBranch() const { return suggestedBranch_; }
  // Whether the last analysis read the mark of the player's own previous turn back (the
  // " M " rule with a grandparent).
  bool ReadMarkBack() const { return readMarkBack_; }

 protected:
  Iodef* iodef_ = nullptr;
  Tree* tree_ = nullptr;
  typogr* moves_ = nullptr;
  Iospec* display_ = nullptr;
  TIO* channel_ = nullptr;

 private:
  struct Plan {
    std::string_view card = NoCard;
    std::string_view handOver = NoCard;
  };

  void FinishingTurn(char& strategy, TreeNode& node, const AnalysisSettings& settings, Chance& chance);
  void NonFinishingTurn(char& strategy, TreeNode& node, const AnalysisSettings& settings, Chance& chance);
  void TwoStepNK(char strategy, TreeNode& node, int m, const AnalysisSettings& settings, Chance& chance);
  void TwoStepCK(char strategy, TreeNode& node, int m, const AnalysisSettings& settings, Chance& chance);
  bool PlanFromConflict(double score, Plan if_zero, Plan if_one, const TreeNode& node, Plan& plan);
  void FollowPlan(char strategy, TreeNode& node, const Plan& plan, bool announce_altruist,
                  const AnalysisSettings& settings, Chance& chance);
  double ConflictVerdict(const std::array<bool, 8>& flags, char role, bool first_group_means_one,
                         const AnalysisSettings& settings);
  bool FetchFromMemory(const TreeNode& node, std::string_view card, const AnalysisSettings& settings);
  // Tells the replay's observer, if any, what the last analysis of the node suggested.
  void ReportPosition(const TreeNode& node, char recorded);
  void Suggest(char move, MoveBranch branch) {
    suggestedMove_ = move;
    suggestedBranch_ = branch;
  }
  void AddTrace(std::string_view words);
  void AddTraceWhen(bool tracing, std::string_view words) {
    if (tracing) AddTrace(words);
  }
  // The card in the keeper cell of the role to move: CK for role C, NK for role N.
  static std::string_view KeeperCard(const TreeNode& node);

  std::string lookedForCard_ = std::string(NoCard);
  char suggestedMove_ = ' ';
  MoveBranch suggestedBranch_ = MoveBranch::None;
  bool readMarkBack_ = false;
  std::vector<Decision> replayDecisions_;  // the decisions of the replay's position analysed last
  std::ostream* traceStream_ = &std::cout;
  ReplayObserver* observer_ = nullptr;
};

}  // namespace bruso
