#include "model/simulation.h"

#include "model/headless_hand.h"

namespace bruso {

Fhand SimulateHand(const Fhand& hand, int lines, const AnalysisSettings& settings, double lapse, Random& random,
                   const std::string& note) {
  Fhand played{.MoveLines = {{note}}, .HandText = hand.HandText, .FirstRole = hand.FirstRole};
  HeadlessHand headless(hand);
  for (int line = 0; line < lines; ++line) played.MoveLines.push_back({headless.Play(settings, lapse, random)});
  return played;
}

std::string ShoeText(const Fhand& hand) {
  std::string text = hand.HandText + " " + hand.FirstRole + "\n";
  for (const moves& line : hand.MoveLines) text += line.Line + "\n";
  return text;
}

}  // namespace bruso
