// The component palette: its rows as drawn, icons read from the program folder (missing,
// broken or oversized ones), previews sized by the definitions, and what a drop adds.
#include <gtest/gtest.h>

#include <QImage>

#include "DesignRig.h"
#include "KXTestUtil.h"
#include "window/XML.h"

using namespace zemblo;
using namespace zemblo::test;

namespace {

const char kResource[] = R"(<?xml version="1.0"?>
<resources>
 <WINDOW id="MainWnd" x="20" y="16" w="420" h="300"/>
</resources>
)";

constexpr QRgb kSilver = 0xFFC0C0C0;

// The icon area of palette row `row` in a grab of the palette.
QRect IconArea(int row) { return QRect(4, row * 32 + 4, 24, 24); }

}  // namespace

TEST(ComponentPalette, RowsShowTheShippedIconsAndNamesInFactoryOrder) {
  TDesignRig rig(kResource);
  TComponentPalette& pal = rig.Palette();
  const std::vector<std::string> want{"Box", "Frame", "Button", "Check", "Option", "Text", "Input"};
  ASSERT_EQ(pal.TypeNames(), want);
  const QImage img = pal.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  for (int row = 0; row < 7; ++row) {
    SCOPED_TRACE(want[row]);
    const QImage icon = pal.LoadIcon(want[row]);
    ASSERT_EQ(icon.size(), QSize(24, 24));
    // The icon's own pixels where it has them, the row's silver where its key colour was.
    int drawn = 0, keyed = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x) {
        const QRgb got = img.pixel(IconArea(row).topLeft() + QPoint(x, y));
        if (qAlpha(icon.pixel(x, y)) == 0) {
          EXPECT_EQ(got, kSilver) << x << "," << y;
          ++keyed;
        } else {
          EXPECT_EQ(got, icon.pixel(x, y)) << x << "," << y;
          ++drawn;
        }
      }
    EXPECT_GT(drawn, 40);
    EXPECT_GT(keyed, 100);
    // The name in black from x = 32, below the row's top + 8.
    const QRect ink = InkBox(img, QRect(28, row * 32, 108, 32), IsDark);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 32);
    EXPECT_GE(ink.top(), row * 32 + 8);
    EXPECT_LT(ink.bottom(), row * 32 + 32);
  }
}

TEST(ComponentPalette, MissingBrokenAndLargeIconsAndDefinitionSizes) {
  TTempDir app;
  WriteAll(app / "cmps/props.xml", R"(<defs><CONTROL id="Button" text="Big" W="120" H="40"/></defs>)");
  // No Box.bmp; a Frame.bmp that is no bitmap; a Check.bmp of 30 by 30 pixels.
  WriteAll(app / "cmps/Frame.bmp", "BM not really a bitmap");
  WriteAll(app / "cmps/Check.bmp", MakeBmp(30, 30, [](int x, int y) {
             return x == 0 && y == 29 ? QColor(1, 2, 3) : QColor(x * 8, y * 8, 77);
           }));
  TDesignRig rig(kResource, app.Path());
  rig.Designer().OpenWindow("MainWnd");
  TComponentPalette& pal = rig.Palette();
  const QImage img = pal.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  for (int row : {0, 1}) EXPECT_EQ(CountPixels(img, IconArea(row), [](QRgb c) { return c != kSilver; }), 0) << row;
  // Cut, not scaled: the 24 by 24 top left part of the picture.
  EXPECT_EQ(img.pixel(IconArea(3).topLeft() + QPoint(23, 23)), QColor(23 * 8, 23 * 8, 77).rgba());
  EXPECT_EQ(img.pixel(IconArea(3).topLeft() + QPoint(5, 1)), QColor(40, 8, 77).rgba());

  // The definition sizes the preview; the dropped control still gets the fixed size.
  rig.Press(&pal, QPoint(40, pal.RowRect(2).center().y()));
  ASSERT_TRUE(pal.Preview());
  EXPECT_EQ(pal.Preview()->size(), QSize(120, 40));
  rig.MoveTo(rig.Designer().DesignedWindow(), {60, 60});
  rig.Release(rig.Designer().DesignedWindow(), {60, 60});
  const TXMLNode* window = rig.Element("MainWnd");
  ASSERT_EQ(window->Children.size(), 1u);
  EXPECT_EQ(window->Children[0]->GetAttribute("w"), "70");
  EXPECT_EQ(window->Children[0]->GetAttribute("text"), "Button");
  // A type without a definition still drags and drops.
  rig.DropFromPalette(6, rig.Designer().DesignedWindow(), {200, 100});
  ASSERT_EQ(window->Children.size(), 2u);
  EXPECT_EQ(window->Children[1]->GetAttribute("type"), "Input");
}
