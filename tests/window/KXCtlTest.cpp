// The control helper and the seven controls on real widgets (offscreen).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <map>

#include "KXTestUtil.h"
#include "platform/qt/AnsiText.h"
#include "window/KXColors.h"
#include "window/KXCtl.h"
#include "window/KXCtl_Box.h"
#include "window/KXCtl_Text.h"
#include "window/KXCtls.h"

using namespace zemblo;
using namespace zemblo::test;

namespace {

// A plain parent for controls, shown so that resizes reach the anchors at once.
struct TParent {
  QWidget w;
  TKXControls factory;
  std::vector<std::unique_ptr<TXMLTree>> docs;

  TParent(int width = 300, int height = 200) {
    w.resize(width, height);
    w.show();
  }
  QWidget* Create(const std::string& xml) {
    docs.push_back(ParseXML(xml));
    return factory.CreateControl(*docs.back()->Root, &w);
  }
};

// The caption or text a control shows.
QString Shown(QWidget* w) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  return FromAnsi(KXHelperOf(w)->GetProp("text"));
}

}  // namespace

TEST(KXControls, TypeNamesAndTheClassForEachType) {
  TKXControls f;
  EXPECT_EQ(f.TypeNames(), (std::vector<std::string>{"Box", "Frame", "Button", "Check", "Option", "Text", "Input"}));
  struct Case {
    const char* type;
    const char* made;
    const char* qtBase;
  };
  const Case cases[] = {
      {"Box", "Box", "QFrame"},          {"Frame", "Frame", "QGroupBox"},   {"Button", "Button", "QPushButton"},
      {"button", "Button", "QPushButton"}, {"Check", "Check", "QCheckBox"}, {"Option", "Option", "QRadioButton"},
      {"Text", "Text", "QWidget"},       {"Input", "Input", "QLineEdit"},   {"Slider", "Box", "QFrame"},
      {"", "Box", "QFrame"},
  };
  TParent p;
  for (const Case& c : cases) {
    QWidget* w = p.Create(std::string("<CONTROL type=\"") + c.type + "\"/>");
    ASSERT_TRUE(QueryKXControl(w)) << c.type;
    EXPECT_EQ(QueryKXControl(w)->GetType(), c.made) << c.type;
    EXPECT_TRUE(w->inherits(c.qtBase)) << c.type;
    EXPECT_EQ(w->parentWidget(), &p.w);
    EXPECT_TRUE(w->isVisible()) << c.type;
  }
  QWidget plain;
  EXPECT_EQ(QueryKXControl(&plain), nullptr);
  EXPECT_EQ(QueryKXControl(nullptr), nullptr);
}

TEST(KXCtlHlp, LoadAppliesPositionSizeCaptionFontAndColours) {
  TParent p;
  for (const char* type : {"Box", "Frame", "Button", "Check", "Option", "Text", "Input"}) {
    SCOPED_TRACE(type);
    QWidget* w = p.Create(std::string("<CONTROL type=\"") + type +
                          "\" x=\"10\" Y=\"20\" w=\"90\" H=\"30\" text=\"Caf\xE9 &amp; more\" fontFamily=\"Arial\""
                          " fontSize=\"13\" fontStyle=\"bu\" fontColor=\"#FF0000\"/>");
    EXPECT_EQ(w->geometry(), QRect(10, 20, 90, 30));
    EXPECT_EQ(Shown(w), QString::fromUtf8("Caf\u00E9 & more"));
    QFont f = w->font();
    EXPECT_EQ(f.family(), "Arial");
    EXPECT_EQ(QFontInfo(f).family(), "Liberation Sans");
    EXPECT_EQ(f.pointSize(), 13);
    EXPECT_TRUE(f.bold());
    EXPECT_TRUE(f.underline());
    EXPECT_FALSE(f.italic());
    EXPECT_FALSE(f.strikeOut());
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
      EXPECT_EQ(w->palette().color(role), QColor(255, 0, 0));
  }
}

TEST(KXCtlHlp, TheThreeFamiliarFacesResolveToMetricCompatibleOnes) {
  TParent p;
  const std::map<std::string, QString> faces{
      {"Courier New", "Liberation Mono"}, {"Arial", "Liberation Sans"}, {"Times New Roman", "Liberation Serif"}};
  for (const auto& [face, real] : faces) {
    QWidget* w = p.Create("<CONTROL type=\"Text\" fontFamily=\"" + face + "\"/>");
    EXPECT_EQ(QFontInfo(w->font()).family(), real) << face;
  }
}

TEST(KXCtlHlp, SettingsThatDoNotConvertLeaveTheirOwnValueOnly) {
  TParent p;
  QWidget* w = p.Create("<CONTROL type=\"Button\" x=\"5\" y=\"6\" w=\"70\" h=\"25\" fontSize=\"11\" fontStyle=\"i\"/>");
  IKXControl* c = QueryKXControl(w);
  auto again = ParseXML("<CONTROL type=\"Button\" W=\"abc\" H=\"30\" x=\"\" fontSize=\"big\" fontStyle=\"BI\"/>");
  c->Load(*again->Root);
  EXPECT_EQ(w->geometry(), QRect(5, 6, 70, 30));
  EXPECT_EQ(w->font().pointSize(), 11);
  EXPECT_FALSE(w->font().italic());  // a style text without the letters is the regular style
  EXPECT_FALSE(w->font().bold());
}

TEST(KXCtlHlp, ExtremeBoundsAreClampedToWhatAWidgetCanHave) {
  TParent p;
  struct Case {
    const char* attrs;
    QRect want;
  };
  const Case cases[] = {
      {"x=\"2147483647\" y=\"-2147483648\" w=\"2147483647\" h=\"10\"",
       QRect(QWIDGETSIZE_MAX, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX, 10)},
      {"x=\"$7FFFFFFF\" y=\"0\" w=\"-5\" h=\"-2147483648\"", QRect(QWIDGETSIZE_MAX, 0, 0, 0)},
  };
  for (const Case& c : cases) {
    QWidget* w = p.Create(std::string("<CONTROL type=\"Text\" Anchors=\"ltrb\" ") + c.attrs + "/>");
    EXPECT_EQ(w->geometry(), c.want) << c.attrs;
    p.w.resize(310, 190);  // the anchors' arithmetic stays in range too
  }
}

TEST(KXCtlHlp, SetPropertyRepaintsOwnPropertiesButAppliesBoundsOnlyAtTheNextLoad) {
  TParent p;
  QWidget* w = p.Create("<CONTROL type=\"Button\" x=\"5\" y=\"6\" w=\"70\" h=\"25\" text=\"OK\"/>");
  IKXControl* c = QueryKXControl(w);
  c->SetProperty("TEXT", "Cancel");
  c->SetProperty("W", "200");
  EXPECT_EQ(Shown(w), "Cancel");
  EXPECT_EQ(w->width(), 70);
  EXPECT_EQ(KXHelperOf(w)->GetProp("w"), "200");  // the element's own "w" took the value
  EXPECT_EQ(KXHelperOf(w)->Props().Items().size(), 6u);
}

TEST(KXCtlHlp, BackgroundColourAndTheDefaultForAColourTextThatNamesNone) {
  TParent p;
  p.w.setAutoFillBackground(true);
  p.w.setPalette(QPalette(QColor(0, 128, 0)));
  struct Case {
    const char* type;
    QPalette::ColorRole role;  // NoRole: the widget's own background role
  };
  for (Case c : {Case{"Box", QPalette::NoRole}, {"Check", QPalette::NoRole}, {"Frame", QPalette::NoRole},
                 {"Option", QPalette::NoRole}, {"Input", QPalette::Base}, {"Button", QPalette::Button}}) {
    SCOPED_TRACE(c.type);
    QWidget* w = p.Create(std::string("<CONTROL type=\"") + c.type + "\" x=\"0\" y=\"0\" w=\"60\" h=\"40\" bgColor=\"navy\"/>");
    if (c.role == QPalette::NoRole) c.role = w->backgroundRole();
    const QColor standard = QApplication::palette(w).color(c.role);
    EXPECT_EQ(w->palette().color(c.role), QColor(0, 0, 128));
    auto none = ParseXML(std::string("<CONTROL type=\"") + c.type + "\" bgColor=\"transparent\"/>");
    QueryKXControl(w)->Load(*none->Root);
    EXPECT_EQ(w->palette().color(c.role), standard);
    auto empty = ParseXML(std::string("<CONTROL type=\"") + c.type + "\" bgColor=\"red\"/>");
    QueryKXControl(w)->Load(*empty->Root);
    auto keep = ParseXML(std::string("<CONTROL type=\"") + c.type + "\"/>");
    QueryKXControl(w)->Load(*keep->Root);  // no "bgColor": unchanged
    EXPECT_EQ(w->palette().color(c.role), QColor(255, 0, 0));
    delete w;
  }
  // What shows: a check box fills with its colour; the container's colour shows around a
  // check box that has none.
  QWidget* check = p.Create("<CONTROL type=\"Check\" x=\"0\" y=\"0\" w=\"80\" h=\"30\" bgColor=\"#0000FF\"/>");
  QImage img = p.w.grab().toImage();
  EXPECT_EQ(img.pixelColor(78, 2), QColor(0, 0, 255));
  QueryKXControl(check)->SetProperty("bgColor", "");
  auto plain = ParseXML("<CONTROL type=\"Check\" x=\"0\" y=\"0\" w=\"80\" h=\"30\" bgColor=\"nonsense\"/>");
  QueryKXControl(check)->Load(*plain->Root);
  img = p.w.grab().toImage();
  EXPECT_EQ(img.pixelColor(78, 2), QColor(0, 128, 0));
}

TEST(KXCtlHlp, AControlTakesNeitherFontNorTextColourFromItsContainer) {
  TParent p;
  QWidget* box = p.Create("<CONTROL type=\"Box\" fontSize=\"30\" fontColor=\"red\" fontFamily=\"Courier New\"/>");
  auto inner = ParseXML("<CONTROL type=\"Button\" text=\"In\"/>");
  QWidget* button = p.factory.CreateControl(*inner->Root, box);
  EXPECT_NE(button->font().pointSize(), 30);
  EXPECT_NE(QFontInfo(button->font()).family(), "Liberation Mono");
  EXPECT_NE(button->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
}

TEST(KXCtlHlp, AnchoredEdgesKeepTheirDistanceWhenTheParentIsResized) {
  struct Case {
    const char* anchors;
    QRect after;  // the parent grows from 300x200 to 400x260; the control starts at 10,20 50x30
  };
  const Case cases[] = {
      {"", QRect(10, 20, 50, 30)},      {"lt", QRect(10, 20, 50, 30)},   {"r", QRect(110, 20, 50, 30)},
      {"b", QRect(10, 80, 50, 30)},     {"rb", QRect(110, 80, 50, 30)},  {"lr", QRect(10, 20, 150, 30)},
      {"tb", QRect(10, 20, 50, 90)},    {"ltrb", QRect(10, 20, 150, 90)}, {"RB", QRect(10, 20, 50, 30)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.anchors);
    TParent p;
    QWidget* w = p.Create(std::string("<CONTROL type=\"Input\" x=\"10\" y=\"20\" w=\"50\" h=\"30\" Anchors=\"") +
                          c.anchors + "\"/>");
    p.w.resize(400, 260);
    EXPECT_EQ(w->geometry(), c.after);
    p.w.resize(300, 200);  // and back: the rule is kept, nothing drifts
    EXPECT_EQ(w->geometry(), QRect(10, 20, 50, 30));
    p.w.resize(30, 20);  // shrinking past the control: a stretched one stops at 0
    EXPECT_GE(w->width(), 0);
    EXPECT_GE(w->height(), 0);
  }
}

TEST(KXCtlHlp, AnchorsFollowAMoveByOthersAndANewParent) {
  TParent p;
  QWidget* w = p.Create("<CONTROL type=\"Button\" x=\"10\" y=\"20\" w=\"50\" h=\"30\" Anchors=\"rb\"/>");
  w->move(100, 100);  // the designer drags it
  p.w.resize(320, 210);
  EXPECT_EQ(w->geometry(), QRect(120, 110, 50, 30));

  QWidget other;
  other.resize(200, 200);
  other.show();
  w->setParent(&other);
  w->show();
  p.w.resize(500, 500);  // the old parent no longer moves it
  EXPECT_EQ(w->pos(), QPoint(120, 110));
  other.resize(210, 205);
  EXPECT_EQ(w->pos(), QPoint(130, 115));

  // A later Load without anchors: the control stays where it is put.
  auto plain = ParseXML("<CONTROL type=\"Button\" x=\"1\" y=\"2\"/>");
  QueryKXControl(w)->Load(*plain->Root);
  other.resize(300, 300);
  EXPECT_EQ(w->pos(), QPoint(1, 2));
}

TEST(KXButton, AClickHandsTheEventLineToOnEvent) {
  TParent p;
  std::vector<std::string> events;
  p.factory.OnEvent = [&](const std::string& code) { events.push_back(code); };
  QWidget* ok = p.Create("<CONTROL type=\"Button\" x=\"0\" y=\"0\" w=\"70\" h=\"25\" onClick=\"Ctl_Ok_onClick\"/>");
  QWidget* none = p.Create("<CONTROL type=\"Button\" x=\"0\" y=\"30\" w=\"70\" h=\"25\"/>");
  QTest::mouseClick(ok, Qt::LeftButton);
  QTest::mouseClick(none, Qt::LeftButton);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0], "<?php A()->WndEvent(\"Ctl_Ok_onClick\"); ?>");

  TKXControls silent;  // no OnEvent: a click only does what Qt does
  auto doc = ParseXML("<CONTROL type=\"Button\" onClick=\"X\"/>");
  QWidget* lone = silent.CreateControl(*doc->Root, &p.w);
  QTest::mouseClick(lone, Qt::LeftButton);
  EXPECT_EQ(events.size(), 1u);

  // The handler may destroy the button it was called from.
  QWidget* closing = p.Create("<CONTROL type=\"Button\" onClick=\"Close\"/>");
  QueryKXControl(closing)->SetOnEvent([&](const std::string&) { delete closing; });
  static_cast<QPushButton*>(closing)->click();
}

TEST(KXBox, ReadsItsImageOnlyWhenTheNameChangesAndDrawsItOverTheCaption) {
  std::map<std::string, std::string> files{{"images\\a.bmp", SolidBmp(10, 6, QColor(255, 0, 0))},
                                           {"images\\bad.bmp", "BM and nothing else"}};
  std::vector<std::string> reads;
  TParent p;
  p.factory.OnGetFile = [&](const std::string& path) {
    reads.push_back(path);
    auto it = files.find(path);
    return it == files.end() ? std::string() : it->second;
  };
  QWidget* w = p.Create("<CONTROL type=\"Box\" x=\"0\" y=\"0\" w=\"60\" h=\"40\" bgColor=\"white\" bgImage=\"a.bmp\"/>");
  auto* box = static_cast<TKXCtl_Box*>(w);
  ASSERT_TRUE(box->Image());
  EXPECT_EQ(reads, std::vector<std::string>{"images\\a.bmp"});
  QImage img = w->grab().toImage();
  EXPECT_EQ(img.pixelColor(0, 0), QColor(255, 0, 0));  // over the bevel too
  EXPECT_EQ(img.pixelColor(9, 5), QColor(255, 0, 0));
  EXPECT_EQ(img.pixelColor(10, 6), QColor(255, 255, 255));  // unscaled

  QueryKXControl(w)->SetProperty("bgImage", "A.BMP");
  EXPECT_EQ(reads.size(), 1u);
  EXPECT_TRUE(box->Image());
  QueryKXControl(w)->SetProperty("bgImage", "");
  EXPECT_FALSE(box->Image());
  QueryKXControl(w)->SetProperty("bgImage", "bad.bmp");  // not a bitmap: no image, no error
  EXPECT_FALSE(box->Image());
  QueryKXControl(w)->SetProperty("bgImage", "missing.bmp");
  QueryKXControl(w)->SetProperty("text", "again");  // a missing file is looked for again
  EXPECT_EQ(reads.back(), "images\\missing.bmp");
  EXPECT_EQ(reads.size(), 4u);
}

namespace {

// A text control on a yellow parent, painted without antialiasing so colours are exact.
struct TTextScene {
  TParent p{200, 100};
  QWidget* text = nullptr;

  explicit TTextScene(const std::string& attrs) {
    p.w.setAutoFillBackground(true);
    p.w.setPalette(QPalette(QColor(255, 255, 0)));
    text = p.Create("<CONTROL type=\"Text\" x=\"0\" y=\"0\" w=\"200\" h=\"100\" fontFamily=\"Arial\" fontSize=\"14\" " +
                    attrs + "/>");
    QFont f = text->font();
    f.setStyleStrategy(QFont::NoAntialias);
    text->setFont(f);
  }
  QImage Grab() { return p.w.grab().toImage(); }
  int LineHeight() const { return QFontMetrics(text->font()).height(); }
  int Advance(const char* s) const { return QFontMetrics(text->font()).horizontalAdvance(s); }
};

const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kYellow(255, 255, 0);

}  // namespace

TEST(KXText, DrawsOneLinePerCRLineHeightApartOnTheParentsBackground) {
  TTextScene s("fontColor=\"black\"");
  QueryKXControl(s.text)->SetProperty("text", "Two\r\nTwoTwo");
  QImage img = s.Grab();
  const int h = s.LineHeight();
  QRect first = InkBox(img, QRect(0, 0, 200, h), IsDark);
  QRect second = InkBox(img, QRect(0, h, 200, h), IsDark);
  ASSERT_FALSE(first.isEmpty());
  ASSERT_FALSE(second.isEmpty());
  EXPECT_LE(first.left(), 2);
  EXPECT_LE(second.left(), 2);
  EXPECT_NEAR(second.width(), s.Advance("Two") + first.width(), 2);  // "TwoTwo" under "Two"
  EXPECT_TRUE(InkBox(img, QRect(0, 2 * h, 200, 100), IsDark).isEmpty());
  // Transparent: everything that is not ink is the parent's yellow.
  EXPECT_EQ(img.pixelColor(199, 99), kYellow);
  EXPECT_EQ(img.pixelColor(150, 5), kYellow);
}

TEST(KXText, CenteredLinesAndTheSilverShadow) {
  TTextScene s("textHAlign=\"Center\" textShadow=\"2\" fontColor=\"black\"");
  QueryKXControl(s.text)->SetProperty("text", "One\r\nTwoTwoTwo");
  QImage img = s.Grab();
  const int h = s.LineHeight();
  for (int line = 0; line < 2; ++line) {
    SCOPED_TRACE(line);
    QRect ink = InkBox(img, QRect(0, line * h, 200, h), IsDark);
    ASSERT_FALSE(ink.isEmpty());
    const int x = CenteredX(200, s.Advance(line ? "TwoTwoTwo" : "One"));
    EXPECT_NEAR(ink.left(), x, 2);
    EXPECT_NEAR(199 - ink.right(), ink.left(), 4);  // as much room on either side
    // The shadow: silver pixels 2 right and 2 down of the text, drawn first.
    QRect shadow = InkBox(img, QRect(0, line * h, 200, h + 2), Exactly(kSilver));
    ASSERT_FALSE(shadow.isEmpty());
    EXPECT_EQ(shadow.right(), ink.right() + 2);
    EXPECT_EQ(shadow.bottom(), ink.bottom() + 2);
  }
  QueryKXControl(s.text)->SetProperty("textShadow", "0");
  EXPECT_EQ(CountPixels(s.Grab(), QRect(0, 0, 200, 100), Exactly(kSilver)), 0);
}

TEST(KXText, TextFromAFileAndTheDashedOutlineWhileDesigning) {
  TTextScene s("textFile=\"t.txt\" text=\"ignored\" fontColor=\"black\"");
  std::vector<std::string> asked;
  QueryKXControl(s.text)->SetOnGetFile([&](const std::string& path) {
    asked.push_back(path);
    return std::string("From\r\nfile");
  });
  QImage img = s.Grab();
  EXPECT_EQ(asked.back(), "files\\t.txt");
  EXPECT_FALSE(InkBox(img, QRect(0, s.LineHeight(), 200, s.LineHeight()), IsDark).isEmpty());
  // Not designing: no outline; designing: a dashed black one on the edge, even with no text.
  QueryKXControl(s.text)->SetProperty("textFile", "");
  QueryKXControl(s.text)->SetProperty("text", "");
  img = s.Grab();
  EXPECT_EQ(CountPixels(img, QRect(0, 0, 200, 100), IsDark), 0);
  SetDesignState(&s.p.w, true);
  img = s.Grab();
  const int top = CountPixels(img, QRect(0, 0, 200, 1), IsDark);
  EXPECT_GT(top, 40);
  EXPECT_LT(top, 180);  // dashes, not a line
  EXPECT_GT(CountPixels(img, QRect(199, 0, 1, 100), IsDark), 20);
  EXPECT_GT(CountPixels(img, QRect(0, 99, 200, 1), IsDark), 40);
  EXPECT_EQ(CountPixels(img, QRect(1, 1, 198, 98), IsDark), 0);
}

TEST(KXCtlHlp, DesignStateTakesTheFocusAwayAndGivesItBack) {
  TParent p;
  QWidget* input = p.Create("<CONTROL type=\"Input\"/>");
  QWidget* button = p.Create("<CONTROL type=\"Button\"/>");
  const Qt::FocusPolicy inputOwn = input->focusPolicy(), buttonOwn = button->focusPolicy();
  ASSERT_NE(inputOwn, Qt::NoFocus);
  SetDesignState(&p.w, true);
  EXPECT_EQ(input->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
  EXPECT_TRUE(KXHelperOf(input)->Designing());
  QueryKXControl(input)->SetProperty("text", "x");  // a repaint request does not undo it
  auto again = ParseXML("<CONTROL type=\"Input\" text=\"y\"/>");
  QueryKXControl(input)->Load(*again->Root);
  EXPECT_EQ(input->focusPolicy(), Qt::NoFocus);
  SetDesignState(&p.w, false);
  EXPECT_EQ(input->focusPolicy(), inputOwn);
  EXPECT_EQ(button->focusPolicy(), buttonOwn);
}

TEST(KXInput, KeepsWhatTheUserTypedWhenAnotherPropertyIsSet) {
  TParent p;
  QWidget* w = p.Create("<CONTROL type=\"Input\" text=\"start\"/>");
  auto* edit = static_cast<QLineEdit*>(w);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "typed");
  EXPECT_EQ(KXHelperOf(w)->GetProp("text"), "typed");
  QueryKXControl(w)->SetProperty("bgColor", "red");
  EXPECT_EQ(edit->text(), "typed");
  QueryKXControl(w)->SetProperty("text", "");
  EXPECT_EQ(edit->text(), "");
  QueryKXControl(w)->SetProperty("text", "\x80 5");
  EXPECT_EQ(edit->text(), QString::fromUtf8("\u20AC 5"));
}

TEST(KXColors, EveryNameAgreesWithQtsCssColours) {
  for (const TKXNamedColor& c : KXColorTable()) {
    QColor css(QString::fromLatin1(c.Name.data(), static_cast<qsizetype>(c.Name.size())).toLower());
    ASSERT_TRUE(css.isValid()) << c.Name;
    EXPECT_EQ(ToQColor(c.Color), css) << c.Name;
  }
}
