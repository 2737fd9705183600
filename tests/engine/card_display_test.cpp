#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/card_display.h"
#include "support/recorders.h"

namespace bruso {
namespace {

using testing::RecordingCardImages;
using Codes = std::vector<std::string>;

TEST(CardDisplay, TakesEachPictureFromItsImageAtStartUp) {
  RecordingCardImages images;  // shows C 4H, CK 4C, UP 3H, T 3C, N 2H, NK 2C
  Iospec display;
  display.Init(nullptr, nullptr, &images);
  EXPECT_EQ(images.stored, (Codes{"2H", "3H", "4H", "2C", "3C", "4C"}));
}

TEST(CardDisplay, ShowsKnownCodesAndLeavesOthersAlone) {
  RecordingCardImages images;
  Iospec display;
  display.Init(nullptr, nullptr, &images);

  display.ShowBoard(Board::FromText("2H3H4H2C3C4C"));
  EXPECT_EQ(images.shown, (Codes{"2H", "3H", "4H", "2C", "3C", "4C"}));

  // Lower case, unknown codes and stray characters match no picture; a code twice shows twice.
  display.ShowBoard(Board::FromText("2h4C5S2H \t4C"));
  EXPECT_EQ(images.shown, (Codes{"2H", "4C", "4H", "2H", "3C", "4C"}));
}

TEST(CardDisplay, WithoutImagesNothingHappens) {
  Iospec display;
  display.Init(nullptr, nullptr, nullptr);
  display.ShowBoard(Board::FromText("2H3H4H2C3C4C"));
  EXPECT_EQ(Iospec::UpChar('q'), 'Q');
}

}  // namespace
}  // namespace bruso
