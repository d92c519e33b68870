// The window form, and a whole window built from a WINDOW element as the designer and the
// loader build it, rendered to a PNG for a person to look at.
#include <gtest/gtest.h>

#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QRadioButton>
#include <cmath>
#include <map>

#include "KXTestUtil.h"
#include "TestUtil.h"
#include "window/KXCtl.h"
#include "window/KXCtls.h"
#include "window/KXWnd.h"

using namespace zemblo;
using namespace zemblo::test;

namespace {

struct TFiles {
  std::map<std::string, std::string> files;
  std::vector<std::string> reads;
  TKXGetFileFunc Func() {
    return [this](const std::string& path) {
      reads.push_back(path);
      auto it = files.find(path);
      return it == files.end() ? std::string() : it->second;
    };
  }
};

}  // namespace

TEST(KXWindow, LoadFromNodeTakesCaptionColourAndImageAndKeepsThemWhenEmpty) {
  TFiles f;
  f.files["images\\back.bmp"] = SolidBmp(20, 10, QColor(255, 0, 0));
  f.files["images\\bad.bmp"] = "BM\x01\x02";
  TKXWindow w;
  w.resize(100, 80);
  auto a = ParseXML("<WINDOW id=\"W\" title=\"First\" bgColor=\"#00FF00\" bgImage=\"back.bmp\"/>");
  w.LoadFromNode(*a->Root);
  EXPECT_FALSE(w.BackgroundImage());  // no OnGetFile yet: no image
  w.SetOnGetFile(f.Func());
  w.LoadFromNode(*a->Root);
  ASSERT_TRUE(w.BackgroundImage());
  EXPECT_EQ(w.windowTitle(), "First");
  QImage img = w.grab().toImage();
  EXPECT_EQ(img.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(img.pixelColor(19, 9), QColor(255, 0, 0));
  EXPECT_EQ(img.pixelColor(20, 10), QColor(0, 255, 0));

  auto empty = ParseXML("<WINDOW id=\"W\" title=\"\" bgImage=\"\"/>");
  w.LoadFromNode(*empty->Root);
  EXPECT_EQ(w.windowTitle(), "First");
  EXPECT_TRUE(w.BackgroundImage());
  EXPECT_EQ(w.grab().toImage().pixelColor(50, 50), QColor(0, 255, 0));

  auto missing = ParseXML("<WINDOW bgImage=\"missing.bmp\"/>");
  w.LoadFromNode(*missing->Root);
  EXPECT_TRUE(w.BackgroundImage());  // nothing read: the earlier image stays
  auto bad = ParseXML("<WINDOW bgImage=\"bad.bmp\" bgColor=\"no colour\"/>");
  w.LoadFromNode(*bad->Root);  // not a bitmap: no image, and the window goes on
  EXPECT_FALSE(w.BackgroundImage());
  EXPECT_EQ(w.palette().color(QPalette::Window), QWidget().palette().color(QPalette::Window));

  TKXWindow fresh;
  fresh.SetOnGetFile(f.Func());
  fresh.LoadFromNode(*missing->Root);
  EXPECT_FALSE(fresh.BackgroundImage());
  EXPECT_EQ(f.reads.back(), "images\\missing.bmp");
}

namespace {

// Every type, colours, fonts, a background image on the window and on a box, options inside
// a frame, and a text read from the project's files.
const char* kResource = R"(<?xml version="1.0"?>
<RESOURCES>
 <WINDOW id="MainWnd" title="Window model" w="440" h="330" bgColor="#EEEEE0" bgImage="banner.bmp">
  <CONTROL type="Box" id="Box1" x="10" y="46" w="200" h="120" text="Box caption" bgColor="LightSteelBlue" bgImage="logo.bmp" fontStyle="i">
   <CONTROL type="Check" id="Inner" x="10" y="90" w="150" h="22" text="Inside the box"/>
  </CONTROL>
  <CONTROL type="Frame" id="Frame1" x="222" y="46" w="208" h="120" text="Frame" fontStyle="b">
   <CONTROL type="Option" id="OptA" x="12" y="28" w="150" h="22" text="Option A"/>
   <CONTROL type="Option" id="OptB" x="12" y="58" w="150" h="22" text="Option B" fontColor="Teal"/>
  </CONTROL>
  <CONTROL type="Check" id="Check1" x="10" y="176" w="200" h="24" text="Check me" fontColor="DarkRed" fontSize="11"/>
  <CONTROL type="Input" id="Input1" x="10" y="210" w="200" h="26" text="Input text" fontFamily="Courier New" bgColor="LightYellow"/>
  <CONTROL type="Text" id="Text1" x="222" y="176" w="208" h="100" textFile="note.txt" textHAlign="center" textShadow="2" fontFamily="Times New Roman" fontSize="16" fontColor="navy" fontStyle="b"/>
  <CONTROL type="Button" id="Ok" x="330" y="290" w="100" h="30" text="OK" onClick="Ctl_Ok_onClick"/>
 </WINDOW>
</RESOURCES>
)";

QColor Css(const char* name) { return QColor(QString::fromLatin1(name)); }

// Compares colours with room for the one-step rounding of the style's gradients.
bool Near(QColor a, QColor b, int tol = 2) {
  return std::abs(a.red() - b.red()) <= tol && std::abs(a.green() - b.green()) <= tol &&
         std::abs(a.blue() - b.blue()) <= tol;
}

}  // namespace

TEST(KXWindow, AWholeWindowBuiltFromItsElementRendersAsDesigned) {
  TFiles f;
  f.files["images\\banner.bmp"] = MakeBmp(440, 36, [](int x, int y) {
    return QColor(30 + x * 150 / 440, 60 + y * 3, 140);  // a blue band growing lighter to the right
  });
  f.files["images\\logo.bmp"] = MakeBmp(24, 24, [](int x, int y) {
    return ((x / 6 + y / 6) % 2) ? QColor(255, 165, 0) : QColor(128, 0, 128);  // orange/purple checks
  });
  f.files["files\\note.txt"] = "Text from a file\r\nsecond line\r\ncentred, with a shadow";
  auto doc = ParseXML(kResource);
  const TXMLNode* node = doc->Root->FindChild("WINDOW", "mainwnd");
  ASSERT_TRUE(node);

  TKXWindow window;
  window.SetOnGetFile(f.Func());
  window.LoadFromNode(*node);
  window.resize(440, 330);
  TKXControls factory;
  factory.OnGetFile = f.Func();
  std::map<std::string, QWidget*> byId;
  factory.CreateChildren(*node, &window, [&](QWidget* w, const TXMLNode& e) { byId[e.GetAttribute("id")] = w; });
  window.show();
  ASSERT_EQ(byId.size(), 9u);
  EXPECT_EQ(byId["Inner"]->parentWidget(), byId["Box1"]);
  EXPECT_EQ(byId["OptA"]->parentWidget(), byId["Frame1"]);
  EXPECT_TRUE(static_cast<QRadioButton*>(byId["OptA"])->autoExclusive());

  QImage img = window.grab().toImage();
  const std::string png = BinDir() + "../window-model.png";
  ASSERT_TRUE(img.save(QString::fromStdString(png), "PNG")) << png;

  // The banner at the top left, the window's colour below it.
  EXPECT_EQ(img.pixelColor(0, 0), QColor(30, 60, 140));
  EXPECT_EQ(img.pixelColor(439, 35), QColor(30 + 439 * 150 / 440, 60 + 35 * 3, 140));
  EXPECT_EQ(img.pixelColor(215, 40), QColor(0xEE, 0xEE, 0xE0));
  // The box: its logo over the bevel at its corner, its own colour inside, its caption centred.
  EXPECT_EQ(img.pixelColor(10, 46), QColor(128, 0, 128));
  EXPECT_EQ(img.pixelColor(10 + 6, 46), QColor(255, 165, 0));
  EXPECT_EQ(img.pixelColor(10 + 190, 46 + 10), Css("lightsteelblue"));
  QRect caption = InkBox(img, QRect(36, 72, 170, 60), IsDark);  // clear of the logo and the check box
  ASSERT_FALSE(caption.isEmpty());
  EXPECT_NEAR(caption.center().x(), 10 + 100, 3);
  EXPECT_NEAR(caption.center().y(), 46 + 60, 4);
  // The input's field is light yellow; the check box's text dark red; option B's text teal.
  EXPECT_EQ(img.pixelColor(10 + 195, 210 + 13), Css("lightyellow"));
  EXPECT_GT(CountPixels(img, QRect(10, 176, 200, 24), [](QRgb c) { return Near(QColor(c), Css("darkred"), 8); }), 10);
  EXPECT_GT(CountPixels(img, QRect(234, 104, 150, 22), [](QRgb c) { return Near(QColor(c), Css("teal"), 8); }), 10);
  // The text: transparent over the window's colour, navy lines centred, a silver shadow.
  const QRect text(222, 176, 208, 100);
  EXPECT_EQ(img.pixelColor(text.right(), text.bottom()), QColor(0xEE, 0xEE, 0xE0));
  QRect ink = InkBox(img, text, [](QRgb c) { return Near(QColor(c), Css("navy"), 30); });
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_NEAR(ink.left() - text.left(), text.right() - ink.right(), 4);
  EXPECT_GT(ink.height(), 2 * QFontMetrics(byId["Text1"]->font()).height());
  EXPECT_GT(CountPixels(img, text, [](QRgb c) { return Near(QColor(c), QColor(0xC0, 0xC0, 0xC0), 6); }), 20);
  // The button stands out from the window around it.
  EXPECT_GT(CountPixels(img, QRect(330, 290, 100, 30), [](QRgb c) { return !Near(QColor(c), QColor(0xEE, 0xEE, 0xE0)); }), 500);
}
