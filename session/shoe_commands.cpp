#include "session/shoe_commands.h"

#include <string>
#include <utility>

#include "session/move_marks.h"
#include "shoe/start_hand.h"

namespace bruso {

namespace {

// A line in the message memo for what the file held besides its hands.
void ReportSkippedLines(SharedState& state, int skipped) {
  if (skipped == 0) return;
  state.io.AddLine(std::to_string(skipped) + (skipped == 1 ? " line" : " lines") +
                   " before the first hand skipped");
}

}  // namespace

void ClearForOpenShoe(SharedState& state) {
  state.MoveString.clear();
  state.view.handNumber = '1';
  state.HandNumber = 1;
  state.HandIndex = 0;
  state.MovePosition = 1;
  state.view.moveLines.clear();
  state.CurrentHand = nullptr;  // it pointed into the list emptied next
  state.HandList.clear();
}

void PerformFileOpen(SharedState& state, const std::string& path) {
  Shoe shoe = ReadShoeFile(path);
  state.CurrentHand = nullptr;
  state.HandList = std::move(shoe.hands);
  if (state.HandList.empty()) {
    state.io.AddLine("No hand in the file: a hand line holds the card 2H, in capitals");
    state.ShowMessage("List index out of bounds (0)");
    return;
  }
  ReportSkippedLines(state, shoe.orphanMoveLines);
  state.HandIndex = 0;
  ShowHand(state);
}

std::vector<std::string> ListedMoveLines(const Fhand& hand) {
  // The first stored line after the hand line is not listed.
  std::vector<std::string> lines;
  for (std::size_t i = 1; i < hand.MoveLines.size(); ++i) lines.push_back(hand.MoveLines[i].Line);
  return lines;
}

void ShowHand(SharedState& state) {
  state.CurrentHand = &state.HandList.at(state.HandIndex);
  const Fhand& hand = *state.CurrentHand;
  state.view.handText = hand.HandText;
  state.FirstMover = FirstMoverOf(hand);
  state.view.firstMoveCaption = hand.FirstRole + " first move";
  state.view.handFirstMoveCaption = state.view.firstMoveCaption;
  StartHand(state, hand);

  state.view.moveLines = ListedMoveLines(hand);

  if (!HoldsEveryCardOnce(state.CurrentNode->board)) {
    state.io.AddLine("Hand " + std::to_string(state.HandIndex + 1) +
                     " does not hold the cards 2H 3H 4H 2C 3C 4C once each");
  }
  state.display.ShowBoard(state.CurrentNode->board);
  MarkPosition(state);  // the opening position: the first mover's label, no move marked
}

}  // namespace bruso
