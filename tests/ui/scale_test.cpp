// The window at 200 %: run with QT_SCALE_FACTOR=2, where it must double
// exactly and draw its picture and icon from the twice-as-large images
// rather than blow up the small ones.

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QWindow>

#include "tests/ui/window_fixture.h"
#include "ui/layout_table.h"
#include "ui/qt/bundled_assets.h"

namespace {

class AtScale2 : public WindowTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(qGuiApp->devicePixelRatio(), 2.0) << "run this test with QT_SCALE_FACTOR=2";
    WindowTest::SetUp();
  }
};

TEST_F(AtScale2, WindowDoublesExactly) {
  const QWindow* window = form_.windowHandle();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->devicePixelRatio(), 2.0);
  EXPECT_EQ(window->size() * window->devicePixelRatio(), QSize(980, 868));
  EXPECT_EQ(form_.grab().size(), QSize(980, 868));
}

// Drawn from the 2x image, the picture's device pixels are that image's own,
// one for one; the 1x image scaled up could not give them.
TEST_F(AtScale2, PictureIsDrawnFromTheSharpImage) {
  const QPixmap pixmap = Control<QLabel>("Image1")->pixmap();
  EXPECT_EQ(pixmap.devicePixelRatio(), 2.0);
  EXPECT_EQ(pixmap.size(), QSize(362, 660));

  const QImage sharp = QImage(lumivar::ui::ResourcePath("images/portrait@2x.jpg"))
                           .convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(sharp.size(), QSize(362, 660));
  const lumivar::ui::Rect place = lumivar::ui::FindControl("Image1")->geometry;
  const QRect picture(place.left * 2, place.top * 2, 362, 660);
  const QImage drawn = form_.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(picture);
  EXPECT_TRUE(drawn == sharp) << "the window's picture differs from images/portrait@2x.jpg";
}

TEST_F(AtScale2, WindowIconOffersTheSharpSize) {
  EXPECT_TRUE(form_.windowIcon().availableSizes().contains(QSize(64, 64)));
}

}  // namespace
