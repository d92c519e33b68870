// A whole design session on a small project, as a user works: open the window, drop one control
// of each type, move and resize one, name it in the inspector, ask for its click handler, and
// save. The saved resource file is checked byte for byte, the handler lands in the window's
// class, and a picture of the design page is written for people to look at (designer.png
// beside the program folder).
#include <gtest/gtest.h>

#include <QPushButton>

#include "DesignRig.h"
#include "KXTestUtil.h"
#include "designer/CodeMgr.h"
#include "designer/CtlSizer.h"
#include "editor/AdvEdit.h"
#include "window/XML.h"

using namespace zemblo;
using namespace zemblo::test;

namespace {

const char kResource[] =
    "<?xml version=\"1.0\"?>\r\n"
    "<resources>\r\n"
    " <WINDOW id=\"MainWnd\" title=\"Greeter\" x=\"16\" y=\"12\" w=\"440\" h=\"300\" bgColor=\"#F3F5FA\">\r\n"
    "  <CONTROL type=\"Box\" id=\"Banner\" x=\"0\" y=\"0\" w=\"440\" h=\"44\" text=\"\" bgImage=\"banner.bmp\" "
    "Anchors=\"ltr\">\r\n"
    "   <CONTROL type=\"Text\" id=\"Heading\" x=\"12\" y=\"8\" w=\"300\" h=\"28\" text=\"Greeter\" fontFamily=\"Arial\" "
    "fontSize=\"16\" fontStyle=\"b\" fontColor=\"White\" textShadow=\"1\"/>\r\n"
    "  </CONTROL>\r\n"
    " </WINDOW>\r\n"
    "</resources>\r\n";

const char kScript[] = "<?php\r\n\r\nclass MainWnd extends Win32Wnd{}\r\n?>";

}  // namespace

TEST(DesignFlow, DropMoveResizeNameAndHandlerEndInTheSavedResourceFile) {
  TDesignRig rig(kResource);
  WriteAll(rig.dir / "Test/MainWnd.php", kScript);
  WriteAll(rig.dir / "Test/images/banner.bmp",
           MakeBmp(440, 44, [](int x, int y) { return QColor(40 + x * 120 / 440, 70 + y, 150); }));
  TWindowDesigner& d = rig.Designer();
  d.OpenWindow("MainWnd");
  ASSERT_TRUE(d.DesignedWindow());

  // One of each type, in palette order, each dropped on the window's empty part.
  const QPoint drops[7] = {{25, 80}, {25, 130}, {105, 80}, {185, 80}, {265, 80}, {105, 130}, {185, 130}};
  for (int row = 0; row < 7; ++row) rig.DropFromPalette(row, d.DesignedWindow(), drops[row]);
  const TXMLNode* window = rig.Element("MainWnd");
  ASSERT_EQ(window->Children.size(), 8u);
  QWidget* button = d.DesignedWindow()->childAt(101, 61);
  ASSERT_TRUE(qobject_cast<QPushButton*>(button));

  // Moved, then resized by its bottom right handle.
  rig.Drag(button, {10, 10}, {{100, 80}, {200, 150}});
  ASSERT_TRUE(d.Sizer());
  rig.Drag(d.Sizer()->Handle(7), {3, 3}, {{20, 8}});
  EXPECT_EQ(button->geometry(), QRect(300, 210, 90, 33));

  // Named and captioned through the inspector, each value confirmed with Enter.
  TObjectInspector& oi = rig.Inspector();
  for (auto [row, value] : {std::pair{2, "Greet"}, std::pair{3, "Say hello"}}) {
    rig.Click(oi.viewport(), oi.visualItemRect(oi.item(row, 1)).center());
    rig.Key(Qt::Key_Backspace);
    rig.Type(value);
    rig.Key(Qt::Key_Return);
  }
  EXPECT_EQ(static_cast<QPushButton*>(button)->text(), "Say hello");

  // The handler: named after the new id, stored, and reported for the window's script.
  rig.DoubleClick(button, {20, 10});
  using H = std::vector<std::pair<std::string, std::string>>;
  ASSERT_EQ(rig.handlers, (H{{"MainWnd", "Ctl_Greet_onClick()"}}));
  TAdvancedEditor editor;
  editor.Lines().SetText(ReadAll(rig.dir / "Test/MainWnd.php"));
  TCodeManager(editor).GoToHandler(rig.handlers[0].first, rig.handlers[0].second);
  EXPECT_EQ(editor.Lines().GetText(),
            "<?php\r\n\r\nclass MainWnd extends Win32Wnd{\r\n  function Ctl_Greet_onClick(){\r\n      \r\n  }\r\n\r\n}\r\n?>\r\n");
  EXPECT_EQ(editor.CaretY(), 4);
  EXPECT_EQ(editor.CaretX(), 4);

  rig.project.Save();
  EXPECT_EQ(ReadAll(rig.dir / "Test/Test.xml"),
            "<?xml version=\"1.0\"?>\r\n"
            "<resources>\r\n"
            " <WINDOW id=\"MainWnd\" title=\"Greeter\" x=\"16\" y=\"12\" w=\"440\" h=\"300\" bgColor=\"#F3F5FA\">\r\n"
            "  <CONTROL type=\"Box\" id=\"Banner\" x=\"0\" y=\"0\" w=\"440\" h=\"44\" text=\"\" bgImage=\"banner.bmp\" "
            "Anchors=\"ltr\">\r\n"
            "   <CONTROL type=\"Text\" id=\"Heading\" x=\"12\" y=\"8\" w=\"300\" h=\"28\" text=\"Greeter\" "
            "fontFamily=\"Arial\" fontSize=\"16\" fontStyle=\"b\" fontColor=\"White\" textShadow=\"1\"/>\r\n"
            "  </CONTROL>\r\n"
            "  <CONTROL type=\"Box\" x=\"20\" y=\"60\" w=\"70\" h=\"25\" text=\"Box\"/>\r\n"
            "  <CONTROL type=\"Frame\" x=\"20\" y=\"110\" w=\"70\" h=\"25\" text=\"Frame\"/>\r\n"
            "  <CONTROL type=\"Button\" x=\"300\" y=\"210\" w=\"90\" h=\"33\" text=\"Say hello\" id=\"Greet\" "
            "onClick=\"Ctl_Greet_onClick\"/>\r\n"
            "  <CONTROL type=\"Check\" x=\"180\" y=\"60\" w=\"70\" h=\"25\" text=\"Check\"/>\r\n"
            "  <CONTROL type=\"Option\" x=\"260\" y=\"60\" w=\"70\" h=\"25\" text=\"Option\"/>\r\n"
            "  <CONTROL type=\"Text\" x=\"100\" y=\"110\" w=\"70\" h=\"25\" text=\"Text\"/>\r\n"
            "  <CONTROL type=\"Input\" x=\"180\" y=\"110\" w=\"70\" h=\"25\" text=\"Input\"/>\r\n"
            " </WINDOW>\r\n"
            "</resources>\r\n");

  // The page as it stands: the button selected with its eight handles, its rows inspected.
  EXPECT_EQ(d.Selection(), button);
  const QImage shot = rig.host.grab().toImage();
  const std::string png = BinDir() + "../designer.png";
  ASSERT_TRUE(shot.save(QString::fromStdString(png), "PNG")) << png;
}
