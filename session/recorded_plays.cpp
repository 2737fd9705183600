#include "session/recorded_plays.h"

#include "model/fit_data.h"
#include "model/headless_hand.h"

namespace bruso {

RecordedPlays RecordedPlaysOf(const HandList& hands, const AnalysisSettings& settings) {
  RecordedPlays plays{.byHand = std::vector<HandPlays>(hands.size())};
  for (std::size_t h = 0; h < hands.size(); ++h) {
    HeadlessHand hand(hands[h]);
    for (std::size_t line = FirstRecordedLine; line < hands[h].MoveLines.size(); ++line) {
      const bool usable = hand.Follow(hands[h].MoveLines[line].Line, settings);
      const int moves = usable ? hand.MovesToLastPosition() : 0;
      const PlayRecord play{.hand = static_cast<int>(h + 1), .moves = moves,
                            .solved = usable && hand.LastPosition().TargetCard() == settings.KeyCardsB[2]};
      plays.total.Add(play);
      plays.byHand[h].Add(play);
    }
  }
  return plays;
}

}  // namespace bruso
