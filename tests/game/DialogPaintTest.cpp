#include <gtest/gtest.h>

#include "screens/DebugUnit.h"
#include "screens/ScoreUnit.h"
#include "support/GameFixture.h"

namespace wispen::testing {
namespace {

class Dialogs : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    CreateGame();
  }
  TBitmap Painted(ModalDialog& d) {
    TBitmap b(d.ClientSize().cx, d.ClientSize().cy, 0x123456);
    b.Canvas().SetTextEngine(&text);
    d.Paint(b.Canvas());
    return b;
  }
};

TEST_F(Dialogs, TheScoreBoardIsASilverPanelWithItsGridAndOkButton) {
  TScoreForm& board = *forms->ScoreForm;
  EXPECT_EQ(board.Caption(), "Score Board");
  EXPECT_EQ(board.ClientSize(), (TSize{466, 296}));
  Main().HighScores[0] = ScoreEntry{4, 50, 2, 1500};
  board.FormShow();
  EXPECT_EQ(board.Cells[4][1], " 1500");
  EXPECT_EQ(board.Cells[0][1], "1");
  const TBitmap b = Painted(board);
  EXPECT_EQ(b.At(3, 3), clSilver);
  EXPECT_EQ(b.At(10, 20), 0x808080u);  // the lowered bevel's shadow side
  EXPECT_EQ(b.At(455, 20), clWhite);   // and its lit side
  // The text of row 1, column 4 lies in its cell: 11 + 38 + 3 x 100 across, 11 + 35 down.
  bool text = false;
  for (int y = 46; y < 81; ++y)
    for (int x = 349; x < 449; ++x) text = text || b.At(x, y) == clBlack;
  EXPECT_TRUE(text);
  EXPECT_EQ(b.At(345, 245), clSilver);  // the OK button's face
}

TEST_F(Dialogs, TheScoreBoardClosesWithItsButtonEnterOrEscape) {
  TScoreForm& board = *forms->ScoreForm;
  board.Shown();
  board.MouseDown(TMouseButton::mbLeft, 350, 250);
  board.MouseUp(TMouseButton::mbLeft, 10, 10);  // let go off the button: no
  EXPECT_FALSE(board.Finished());
  board.MouseDown(TMouseButton::mbLeft, 350, 250);
  board.MouseUp(TMouseButton::mbLeft, 360, 260);
  EXPECT_TRUE(board.Finished());
  for (DialogKey key : {DialogKey::Enter, DialogKey::Escape}) {
    board.Shown();
    board.KeyDown(key);
    EXPECT_TRUE(board.Finished());
  }
}

TEST_F(Dialogs, TheDebugSelectorCountsFromOneToTenWithoutWrapping) {
  TDebugForm& selector = *forms->DebugForm;
  EXPECT_EQ(selector.Position(), 1);
  selector.MouseDown(TMouseButton::mbLeft, 90, 40);  // the lower arrow
  EXPECT_EQ(selector.Position(), 1);
  for (int i = 0; i < 12; ++i) selector.KeyDown(DialogKey::Up);
  EXPECT_EQ(selector.Position(), 10);
  selector.MouseDown(TMouseButton::mbLeft, 90, 14);  // the upper arrow
  EXPECT_EQ(selector.Position(), 10);
  selector.KeyDown(DialogKey::Down);
  EXPECT_EQ(selector.Position(), 9);
  // Return, Esc and the close box each close it.
  for (const DialogKey key : {DialogKey::Enter, DialogKey::Escape}) {
    selector.Shown();
    EXPECT_FALSE(selector.Finished());
    selector.KeyDown(key);
    EXPECT_TRUE(selector.Finished());
  }
  selector.Shown();
  selector.CloseBox();
  EXPECT_TRUE(selector.Finished());
  const TBitmap b = Painted(selector);
  EXPECT_EQ(b.At(5, 5), clBlack);
  EXPECT_EQ(b.At(33, 13), clWhite);  // the edit box
}

TEST_F(Dialogs, MenuButtonsAreShownWhereTheirClickAreasAre) {
  ShowWithoutOpening();
  Main().DrawMenu(2);
  Main().PresentView();
  const TBitmap& button = Main().ButtonImage.Picture;
  const TBitmap& screen = Main().ScreenImage.Picture;
  // Corners of both buttons, away from the labels: screen (124, 300) and (388, 300).
  for (auto [x, y] : {std::pair{0, 0}, {140, 0}, {0, 36}, {140, 36}}) {
    EXPECT_EQ(screen.At(124 + x, 300 + y), button.At(x, y));
    EXPECT_EQ(screen.At(388 + x, 300 + y), button.At(x, y));
  }
  EXPECT_EQ(Main().MenuMode(), 2);
}

}  // namespace
}  // namespace wispen::testing
