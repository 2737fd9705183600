#include "session/artificial_play.h"

#include "engine/io_error.h"
#include "engine/whole_integer.h"
#include "players/go_speedy.h"
#include "session/hand_on_screen.h"
#include "session/move_marks.h"

namespace bruso {

namespace {

// Label7 names the first mover: CK when its caption contains "CK", NK otherwise.
void FirstMoverFromLabel(SharedState& state) {
  const bool ck = state.view.firstMoveCaption.find("CK") != std::string::npos;
  state.FirstMover.assign(1, ck ? RoleCK : RoleNK);
}

bool RulesChosen(const SharedState& state) {
  return !state.RulesFileCK.empty() && !state.RulesFileNK.empty();
}

// Puts everything a run of all hands changed back to normal when it ends, however it ends.
class BatchRun {
 public:
  BatchRun(SharedState& state, PlayAllPrompts& prompts) : state_(state), prompts_(prompts) {
    state_.BatchMode = true;
    prompts_.ShowBusyCursor(true);
  }
  ~BatchRun() {
    if (state_.ResultsFile.IsOpen()) {
      try {
        state_.ResultsFile.Close();
      } catch (const IoError&) {
        // Stopping already: the first error is the one reported.
      }
    }
    state_.BatchMode = false;
    prompts_.ShowBusyCursor(false);
  }
  BatchRun(const BatchRun&) = delete;
  BatchRun& operator=(const BatchRun&) = delete;

 private:
  SharedState& state_;
  PlayAllPrompts& prompts_;
};

// The conversion message for a typed number that is no whole integer.
std::string NotAnIntegerMessage(const std::string& text) {
  std::string message = "'";
  message += text;
  message += "' is not a valid integer value";
  return message;
}

// Plays every hand `iterations` times with the results file open; returns the message
// that stopped it early, if any. The hand on screen is left as it was.
std::optional<std::string> RunAllHands(SharedState& state, PlayAllPrompts& prompts, int iterations,
                                       PlayAllTally& tally) {
  HandOnScreen kept(state);
  BatchRun run(state, prompts);
  try {
    tally = PlayAllHands(
        state, iterations, [&](int hands_done) { return prompts.HandPlayed(hands_done); },
        [&](const PlayRecord& play) { return prompts.Played(play); });
    state.ResultsFile.Close();
  } catch (const IoError& error) {
    return error.what();
  }
  return std::nullopt;
}

class FixedAnswer : public PlayAllPrompts {
 public:
  explicit FixedAnswer(std::string_view text) : text_(text) {}
  std::string AskIterationNumber() override { return text_; }

 private:
  std::string text_;
};

}  // namespace

void ArtificialMovePlay(SharedState& state) {
  if (state.CurrentNode == nullptr) return;
  if (state.MoveString.empty()) {
    FirstMoverFromLabel(state);
    state.CurrentNode->role = state.FirstMover == "N" ? RoleNK : RoleCK;
  }
  if (state.CurrentNode->TargetCard() == TargetCardCode) return;

  state.tree.DeleteBelow(state.CurrentNode, state.CurrentNode);
  state.MoveString = MoveStringTo(state.CurrentNode);
  ChooseMoveByRules(state);
  state.moves.ApplyMove(state.CurrentNode, state.ScratchBoard, state.MoveChar);
  state.display.ShowBoard(state.CurrentNode->board);
  vita(state);
}

void ArtificialHandPlay(SharedState& state) {
  if (!RulesChosen(state)) {
    state.ShowMessage(ChooseRulesMessage);
  } else if (state.CurrentNode != nullptr) {
    FirstMoverFromLabel(state);
    GoSpeedy(state);
    state.MovePosition = static_cast<int>(state.MoveString.size());
    MarkPosition(state);
  }
}

std::optional<PlayAllTally> PlayAllHandsArtificially(SharedState& state, PlayAllPrompts& prompts) {
  if (!RulesChosen(state)) {
    state.ShowMessage(ChooseRulesMessage);
    return std::nullopt;
  }
  // Asked before anything is emptied, so that a mistyped number loses no results.
  const std::string text = prompts.AskIterationNumber();
  const std::optional<std::int32_t> iterations = ParseWholeInteger(text);
  if (!iterations) {
    state.ShowMessage(NotAnIntegerMessage(text));
    return std::nullopt;
  }
  try {
    state.ResultsFile.Open((state.OutputFolder / ResultsFileName).string(), TextFile::Mode::Write);
  } catch (const IoError& error) {
    state.ShowMessage(error.what());
    return std::nullopt;
  }
  state.io.ClearOutputWindow();

  PlayAllTally tally;
  if (std::optional<std::string> failure = RunAllHands(state, prompts, *iterations, tally)) {
    state.ShowMessage(*failure);
    return std::nullopt;
  }
  return tally;
}

std::optional<PlayAllTally> PlayAllHandsArtificially(SharedState& state, std::string_view iteration_text) {
  FixedAnswer answer(iteration_text);
  return PlayAllHandsArtificially(state, answer);
}

}  // namespace bruso
