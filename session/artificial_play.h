#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "players/play_all_hands.h"
#include "session/shared_state.h"

namespace bruso {

inline constexpr const char* ChooseRulesMessage = "Choose the Rules filename from the File menu";

// "Artificial Move Play": one move by the rules of the role to move at the current node.
// On a fresh hand (empty move string) the first mover comes from Label7's caption first.
// Nothing happens on a solved board. The moves after the current node are discarded, the
// move string is rebuilt up to it, the chosen letter is added to it and played (a letter
// that cannot be played changes no board), and the move cursor and marks follow. Does not
// ask for rules files: without rules the move is C or N at random.
void ArtificialMovePlay(SharedState& state);

// "Artificial Hand Play": with both rules files chosen, the first mover comes from Label7
// and GoSpeedy plays the current hand from its root; the move cursor goes to the last
// letter, and the labels and frames describe the last position. Otherwise the message
// ChooseRulesMessage.
void ArtificialHandPlay(SharedState& state);

// What "Play All Hands Artificially" asks of the window around the run.
class PlayAllPrompts {
 public:
  virtual ~PlayAllPrompts() = default;
  // Shows the input box with title and prompt "Iteration Number" and the default "1",
  // and returns the text typed; Cancel gives "1".
  virtual std::string AskIterationNumber() = 0;
  // The hourglass cursor on (true) or back to normal (false).
  virtual void ShowBusyCursor(bool) {}
  // Told the number of hands done after each hand; false stops the run there.
  virtual bool HandPlayed(int) { return true; }
  // Told each play as it ends (the headless tool's statistics); false stops the run
  // after it.
  virtual bool Played(const PlayRecord&) { return true; }
};

// "Play All Hands Artificially" (Shift+F2). Needs both rules files (else the message
// ChooseRulesMessage); asks for the iteration number first, and a number that is no whole
// integer is refused with its message before anything is emptied. Then it creates
// "Automa.txt" in the output folder, clears the output window, sets BatchMode and the
// hourglass and plays every hand that many times. At the end, or when a file cannot be
// written, the results file is closed, BatchMode cleared and the cursor restored before any
// message is shown; the hand on screen, its tree and move string are as they were. Returns
// what was played, or nothing when it stopped early; after a run the window shows the
// output window.
std::optional<PlayAllTally> PlayAllHandsArtificially(SharedState& state, PlayAllPrompts& prompts);

// The same with the iteration number already typed (the headless tool, the tests).
std::optional<PlayAllTally> PlayAllHandsArtificially(SharedState& state, std::string_view iteration_text);

}  // namespace bruso
