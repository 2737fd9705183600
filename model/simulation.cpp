#include "model/simulation.h"

#include <cstdio>

#include "analysis/chance.h"
#include "model/headless_hand.h"

namespace bruso {

std::string SimulationNote(int lines, const AnalysisSettings& settings, double lapse, std::uint64_t seed) {
  std::string note = "played by the model: " + std::to_string(lines) + " lines, conflict mode " +
                     std::to_string(settings.ConflictMode) + ", altruism " + std::to_string(settings.AltruismSwitch) +
                     ", prob ";
  char number[32];
  for (int k = 1; k <= CardRuleCount; ++k) {
    std::snprintf(number, sizeof number, k == 1 ? "%g" : ",%g", settings.ProbTable[k]);
    note += number;
  }
  std::snprintf(number, sizeof number, ", lapse %g", lapse);
  return note + number + ", seed " + std::to_string(seed);
}

Fhand SimulateHand(const Fhand& hand, int lines, const AnalysisSettings& settings, double lapse, Random& random,
                   const std::string& note, const std::function<bool()>& stopRequested) {
  Fhand played{.MoveLines = {{note}}, .HandText = hand.HandText, .FirstRole = hand.FirstRole};
  HeadlessHand headless(hand);
  for (int line = 0; line < lines; ++line) {
    if (stopRequested && stopRequested()) break;
    played.MoveLines.push_back({headless.Play(settings, lapse, random)});
  }
  return played;
}

std::string ShoeText(const Fhand& hand) {
  std::string text = hand.HandText + " " + hand.FirstRole + "\n";
  for (const moves& line : hand.MoveLines) text += line.Line + "\n";
  return text;
}

}  // namespace bruso
