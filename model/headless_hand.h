#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "analysis/analysis_settings.h"
#include "analysis/replay_observer.h"
#include "analysis/score.h"
#include "engine/game_tree.h"
#include "engine/move_engine.h"
#include "engine/random.h"
#include "shoe/shoe_file.h"

namespace bruso {

// A move line may hold no more letters than the replay reads.
inline constexpr int MaxLineLetters = MaxReplayMoves;

// One hand with an engine of its own that writes nothing: its opening Board as the root of
// a game tree, for replaying recorded lines and for playing new ones. Every line starts
// from the root as if it were the only line of the hand (the root's mark two blanks).
class HeadlessHand {
 public:
  explicit HeadlessHand(const Fhand& hand);
  ~HeadlessHand();
  HeadlessHand(const HeadlessHand&) = delete;
  HeadlessHand& operator=(const HeadlessHand&) = delete;

  // Replays the line as classify does, telling the observer about every position. The
  // replay's own draws come from `random`. False when the line is not usable.
  bool Replay(std::string_view line, const AnalysisSettings& settings, Random& random, ReplayObserver& observer);
  // The path of the line as Replay takes it, without the analysis (for those who need
  // only where a line goes): false when the line is not usable. `attempt`, when given, is
  // told of every position the line plays a letter from, before the letter is played.
  using AttemptVisitor = std::function<void(const TreeNode& position, char letter)>;
  bool Follow(std::string_view line, const AnalysisSettings& settings, const AttemptVisitor& attempt = {});
  // Where the last replay, path or play ended: its position, and the moves that led there (a
  // refused letter makes no move).
  const TreeNode& LastPosition() const { return *current_; }
  int MovesToLastPosition() const;

  // The model plays a line: at each position the analysis runs, and the player plays its
  // suggestion or, with chance `lapse` (or when there is none), a move drawn uniformly;
  // until 2H lies on the Target or after MaxLineLetters letters. A line of one letter gets
  // a Q, so that a replay takes it as usable and stops where the play stopped.
  std::string Play(const AnalysisSettings& settings, double lapse, Random& random);

 private:
  void BackToRoot();

  Tree tree_;
  typogr moves_;
  Score score_;
  TreeNode* current_ = nullptr;
  TreeNode* root_ = nullptr;
  Board scratch_;
  char firstRole_;
};

}  // namespace bruso
