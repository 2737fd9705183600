#include <gtest/gtest.h>

#include <string>

#include "model/fit_data.h"
#include "model/headless_hand.h"

namespace bruso {
namespace {

class Unwatched : public ReplayObserver {
 public:
  void PositionAnalysed(const AnalysedPosition&) override {}
};

// Following a line without the analysis ends where the replay ends, after as many moves,
// on every recorded line of the example shoes and on lines made to end every way: Q, a
// character that is no move letter, a refused T, a first letter only, 2H at once.
TEST(HeadlessHand, FollowingALineEndsWhereItsReplayEnds) {
  HandList hands;
  for (const char* shoe : {"small_shoe.txt", "large_shoe.txt"}) {
    for (Fhand& hand : ReadShoeFile(std::string(BRUSO_SOURCE_DIR) + "/examples/" + shoe).hands) hands.push_back(hand);
  }
  hands.push_back(ReadShoe("2H 3C 4C 4H 3H 2C CK\nnote\nUUQCCT\nUU9CCT\nTUUCCT\nU\nx\nuuCCtNNN\n").hands.front());
  const AnalysisSettings settings;
  Random random(7);
  Unwatched observer;
  int lines = 0;
  for (const Fhand& fhand : hands) {
    HeadlessHand replayed(fhand);
    HeadlessHand followed(fhand);
    for (std::size_t line = FirstRecordedLine; line < fhand.MoveLines.size(); ++line, ++lines) {
      const std::string& text = fhand.MoveLines[line].Line;
      ASSERT_EQ(followed.Follow(text, settings), replayed.Replay(text, settings, random, observer)) << text;
      EXPECT_EQ(followed.MovesToLastPosition(), replayed.MovesToLastPosition()) << text;
      EXPECT_EQ(followed.LastPosition().board.Text(), replayed.LastPosition().board.Text())
          << text;
    }
  }
  EXPECT_GT(lines, 900);
}

}  // namespace
}  // namespace bruso
