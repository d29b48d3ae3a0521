#include <gtest/gtest.h>

#include "view/PictureFit.h"

namespace wispen {
namespace {

// Every picture pixel must be reachable: the first window point of each maps back onto it.
void ExpectRoundTrip(TSize window, TSize drawable) {
  for (int p = 0; p < 640; ++p) {
    const TPoint w = PictureToWindow({p, p * 3 / 4}, window, drawable);
    ASSERT_EQ(WindowToPicture(w, window, drawable), (TPoint{p, p * 3 / 4})) << p << " in " << window.cx;
  }
}

TEST(PictureFit, WindowsOfWholeScalesShowThePictureEdgeToEdge) {
  for (int s = 1; s <= 4; ++s) {
    const TSize size{640 * s, 480 * s};
    EXPECT_EQ(FitPicture(size), (PictureView{0, 0, s}));
    EXPECT_EQ(WindowToPicture({640 * s - 1, 480 * s - 1}, size, size), (TPoint{639, 479}));
    EXPECT_EQ(WindowToPicture({s - 1, s}, size, size), (TPoint{0, 1}));
    EXPECT_EQ(PictureRectInWindow(size, size), (TRect{0, 0, 640 * s, 480 * s}));
    ExpectRoundTrip(size, size);
  }
}

TEST(PictureFit, FullScreenCentresTheLargestWholeScaleAndHoldsBordersAtTheEdge) {
  const TSize screen{1600, 1200};  // 2x: 1280x960 with 160 and 120 pixel borders
  EXPECT_EQ(FitPicture(screen), (PictureView{160, 120, 2}));
  EXPECT_EQ(FitPicture({1920, 1080}), (PictureView{320, 60, 2}));
  EXPECT_EQ(FitPicture({3840, 2160}), (PictureView{640, 120, 4}));
  EXPECT_EQ(FitPicture({600, 400}), (PictureView{0, 0, 1}));  // smaller than the picture: its top-left part
  EXPECT_EQ(WindowToPicture({0, 0}, screen, screen), (TPoint{0, 0}));
  EXPECT_EQ(WindowToPicture({159, 1199}, screen, screen), (TPoint{0, 479}));
  EXPECT_EQ(WindowToPicture({1599, 50}, screen, screen), (TPoint{639, 0}));
  EXPECT_EQ(WindowToPicture({161, 121}, screen, screen), (TPoint{0, 0}));
  EXPECT_EQ(WindowToPicture({162, 1079}, screen, screen), (TPoint{1, 479}));
  EXPECT_EQ(PictureToWindow({458, 318}, screen, screen), (TPoint{1076, 756}));
  EXPECT_EQ(PictureRectInWindow(screen, screen), (TRect{160, 120, 1440, 1080}));
  ExpectRoundTrip(screen, screen);
  // Off the window (a drag with a button held) the position stays off the picture.
  EXPECT_EQ(WindowToPicture({-1, -3}, {640, 480}, {640, 480}), (TPoint{-1, -3}));
  EXPECT_EQ(WindowToPicture({-1, 2000}, {1280, 960}, {1280, 960}), (TPoint{-1, 1000}));
}

TEST(PictureFit, HighDpiDrawablesMapWindowPointsExactly) {
  // Factor 1, 1.5 and 2: the window in points, the drawable in pixels.
  const TSize window{1000, 800};
  EXPECT_EQ(FitPicture({1000, 800}), (PictureView{180, 160, 1}));
  EXPECT_EQ(FitPicture({1500, 1200}), (PictureView{110, 120, 2}));
  EXPECT_EQ(FitPicture({2000, 1600}), (PictureView{40, 80, 3}));
  ExpectRoundTrip(window, {1000, 800});
  ExpectRoundTrip(window, {1500, 1200});
  ExpectRoundTrip(window, {2000, 1600});
  // At 1.5: window point 100 is drawable pixel 150, picture pixel (150 - 110) / 2 = 20.
  EXPECT_EQ(WindowToPicture({100, 100}, window, {1500, 1200}), (TPoint{20, 15}));
  EXPECT_EQ(PictureRectInWindow(window, {1500, 1200}), (TRect{74, 80, 927, 720}));
  // At 2, a window of 640x480 points holds the picture at 2x its pixels.
  EXPECT_EQ(WindowToPicture({639, 479}, {640, 480}, {1280, 960}), (TPoint{639, 479}));
  EXPECT_EQ(PictureToWindow({639, 479}, {640, 480}, {1280, 960}), (TPoint{639, 479}));
}

TEST(PictureFit, TheWindowScaleIsTheLargestThatFitsWithItsDecorations) {
  EXPECT_EQ(FitWindowScale({1600, 1200}, {0, 25}), 2);
  EXPECT_EQ(FitWindowScale({3840, 2160}, {2, 30}), 4);
  EXPECT_EQ(FitWindowScale({1920, 990}, {0, 0}), 2);
  EXPECT_EQ(FitWindowScale({1920, 990}, {0, 31}), 1);
  EXPECT_EQ(FitWindowScale({800, 500}, {0, 40}), 1);  // never below 1
}

}  // namespace
}  // namespace wispen
