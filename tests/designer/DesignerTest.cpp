// The design surface driven through real mouse and key events: what it builds from the tree,
// and every edit it writes back (drops, moves, resizes, deletions, handler requests), with the
// designed controls never seeing the input.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "DesignRig.h"
#include "designer/CtlSizer.h"
#include "window/KXCtl.h"
#include "window/XML.h"

using namespace zemblo;
using namespace zemblo::test;

namespace {

const char kResource[] = R"(<?xml version="1.0"?>
<resources>
 <WINDOW id="MainWnd" title="Main" x="20" y="16" w="420" h="300">
  <CONTROL type="Box" id="Panel" x="10" y="10" w="200" h="120" text="">
   <CONTROL type="Button" id="Inner" x="20" y="30" w="80" h="26" text="Inside"/>
  </CONTROL>
  <CONTROL type="Button" id="Ok" x="300" y="250" w="90" h="28" text="OK"/>
  <CONTROL type="Input" id="Name" x="230" y="20" w="150" h="24" text="abc"/>
  <CONTROL type="Text" id="Label" X="230" Y="60" W="150" H="20" text="Label"/>
  <CONTROL type="Check" id="Flag" x="230" y="90" w="150" h="22" text="Flag"/>
 </WINDOW>
 <WINDOW id="Second" w="400" h="250"/>
</resources>
)";

// "name=value" of every attribute, joined by blanks.
std::string AttributesOf(const TXMLNode* node) {
  std::string s;
  for (const auto& a : node->Attributes) s += (s.empty() ? "" : " ") + a.Name + "=" + a.Value;
  return s;
}

// The inspector's value of the row with this key; "?" when there is none.
std::string Shown(TObjectInspector& oi, const std::string& key) {
  for (const auto& r : oi.Rows())
    if (r.Key == key) return r.Value;
  return "?";
}

int DesignedWindowsOn(QWidget* surface) { return static_cast<int>(surface->findChildren<TKXWindow*>().size()); }

}  // namespace

TEST(WindowDesigner, OpenWindowBuildsTheLiveCopyFromTheTreeInTheDesignState) {
  TDesignRig rig(kResource);
  TWindowDesigner& d = rig.Designer();
  EXPECT_EQ(d.WindowId(), "");
  d.OpenWindow("mainwnd");
  ASSERT_TRUE(d.DesignedWindow());
  EXPECT_EQ(d.WindowId(), "mainwnd");
  EXPECT_EQ(d.DesignedWindow()->parentWidget(), &d);
  EXPECT_EQ(d.DesignedWindow()->geometry(), QRect(20, 16, 420, 300));
  EXPECT_EQ(ElementOf(d.DesignedWindow()), rig.Element("MainWnd"));

  // Every live control carries its own element, nested as the elements are.
  for (const char* id : {"Panel", "Inner", "Ok", "Name", "Label", "Flag"}) {
    QWidget* w = rig.Live(id);
    ASSERT_TRUE(w) << id;
    EXPECT_EQ(ElementOf(w), rig.Element(id)) << id;
    EXPECT_TRUE(KXHelperOf(w)->Designing()) << id;
    EXPECT_EQ(w->focusPolicy(), Qt::NoFocus) << id;
  }
  EXPECT_EQ(rig.Live("Inner")->parentWidget(), rig.Live("Panel"));
  EXPECT_EQ(rig.Live("Label")->geometry(), QRect(230, 60, 150, 20));

  // A window without "x" and "y" is shown at the fallback place and size.
  d.OpenWindow("Second");
  ASSERT_TRUE(d.DesignedWindow());
  EXPECT_EQ(d.DesignedWindow()->geometry(), QRect(10, 10, 320, 240));
  EXPECT_EQ(DesignedWindowsOn(&d), 1);

  // An unknown id leaves the surface empty and the id as it was.
  d.OpenWindow("Nowhere");
  EXPECT_FALSE(d.DesignedWindow());
  EXPECT_EQ(DesignedWindowsOn(&d), 0);
  EXPECT_EQ(d.WindowId(), "Second");

  // The bare surface: grey cross-hatch on silver, nothing else.
  const QImage img = d.grab().toImage();
  int silver = 0, grey = 0, other = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const QRgb c = img.pixel(x, y) & 0xFFFFFF;
      c == 0xC0C0C0 ? ++silver : c == 0x808080 ? ++grey : ++other;
    }
  EXPECT_GT(silver, grey);
  EXPECT_GT(grey, 64 * 64 / 8);
  EXPECT_EQ(other, 0);
}

TEST(WindowDesigner, APaletteDropAddsTheControlAsLastChildOfWhatLiesUnderTheCursor) {
  struct Case {
    const char* target;  // the id of the control (or window) released over; "" for the bare surface
    QPoint at;           // in the target
    const char* parent;  // whose last child the new control becomes; "" for none
  };
  const Case cases[] = {
      {"Panel", {60, 70}, "Panel"},
      {"MainWnd", {250, 200}, "MainWnd"},
      {"Ok", {40, 14}, "Ok"},  // even a button takes controls
      {"", {5, 5}, ""},        // the hatch around the window
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    TDesignRig rig(kResource);
    rig.Designer().OpenWindow("MainWnd");
    QWidget* target = *c.target ? rig.Live(c.target) : &rig.Designer();
    ASSERT_TRUE(target);
    const std::string before = SavedTree(rig.project);
    rig.Click(target, QPoint(1, 1));  // something is selected when the drop comes
    rig.DropFromPalette(2, target, c.at);
    EXPECT_FALSE(rig.Palette().Preview());
    EXPECT_EQ(rig.Palette().SelectedType, "Button");
    if (!*c.parent) {
      EXPECT_EQ(SavedTree(rig.project), before);
      continue;
    }
    const TXMLNode* parent = rig.Element(c.parent);
    ASSERT_FALSE(parent->Children.empty());
    const TXMLNode* added = parent->Children.back().get();
    EXPECT_EQ(added->Name, "CONTROL");
    EXPECT_EQ(AttributesOf(added), "type=Button x=" + std::to_string(c.at.x() - 5) +
                                       " y=" + std::to_string(c.at.y() - 20) + " w=70 h=25 text=Button");
    // Rebuilt from the tree, nothing selected, the new button live inside its parent.
    EXPECT_FALSE(rig.Designer().Selection());
    EXPECT_FALSE(rig.Designer().Sizer());
    QWidget* live = nullptr;
    for (QWidget* w : rig.Live(c.parent)->findChildren<QWidget*>())
      if (ElementOf(w) == added) live = w;
    ASSERT_TRUE(live);
    EXPECT_EQ(live->parentWidget(), rig.Live(c.parent));
    EXPECT_EQ(live->geometry(), QRect(c.at - QPoint(5, 20), QSize(70, 25)));
    EXPECT_TRUE(qobject_cast<QPushButton*>(live));
    EXPECT_EQ(DesignedWindowsOn(&rig.Designer()), 1);
  }
}

TEST(WindowDesigner, ThePreviewFollowsTheCursorOnItsBottomLeftCorner) {
  TDesignRig rig(kResource);
  rig.Designer().OpenWindow("MainWnd");
  TComponentPalette& pal = rig.Palette();
  rig.Press(&pal, QPoint(40, pal.RowRect(5).center().y()));  // Text
  QWidget* preview = pal.Preview();
  ASSERT_TRUE(preview);
  EXPECT_TRUE(preview->isVisible());
  EXPECT_EQ(preview->windowTitle(), "Text");
  EXPECT_EQ(preview->size(), QSize(70, 25));  // the shipped definition's "W" and "H"
  // It never takes the activation: keys go on reaching the page after the drop.
  EXPECT_EQ(QGuiApplication::focusWindow(), rig.Win());
  for (QPoint p : {QPoint(200, 100), QPoint(300, 250)}) {
    rig.MoveTo(&rig.host, p);
    const QPoint cursor = rig.host.mapToGlobal(p);
    EXPECT_EQ(preview->frameGeometry().topLeft(), QPoint(cursor.x() - 5, cursor.y() + 5 - 25));
  }
  rig.Release(&rig.host, QPoint(300, 250));
  EXPECT_FALSE(pal.Preview());
}

TEST(WindowDesigner, DraggingMovesTheSelectionAndWritesItsPosition) {
  TDesignRig rig(kResource);
  TWindowDesigner& d = rig.Designer();
  d.OpenWindow("MainWnd");
  QWidget* ok = rig.Live("Ok");
  rig.Drag(ok, {10, 10}, {{3, 1}, {40, 30}, {15, 7}});
  EXPECT_EQ(d.Selection(), ok);
  EXPECT_EQ(ok->pos(), QPoint(315, 257));
  // The element keeps the lower-case names it was written with.
  EXPECT_EQ(AttributesOf(rig.Element("Ok")), "type=Button id=Ok x=315 y=257 w=90 h=28 text=OK");
  // The inspector shows what was stored: a stale value would be written back by Enter.
  EXPECT_EQ(Shown(rig.Inspector(), "x"), "315");
  ASSERT_TRUE(d.Sizer());
  EXPECT_EQ(d.Sizer()->Handle(0)->pos(), ok->mapTo(&d, QPoint(0, 0)) - QPoint(7, 7));

  // Moves past the press on, without a new press, do nothing.
  rig.MoveTo(ok, {30, 30});
  EXPECT_EQ(ok->pos(), QPoint(315, 257));

  // The designed window itself moves on the surface, through a press on its empty part.
  QWidget* window = d.DesignedWindow();
  rig.Drag(window, {400, 150}, {{-5, 4}});
  EXPECT_EQ(d.Selection(), window);
  EXPECT_EQ(window->pos(), QPoint(15, 20));
  EXPECT_EQ(rig.Element("MainWnd")->GetAttribute("x"), "15");
  EXPECT_EQ(rig.Element("MainWnd")->GetAttribute("y"), "20");
  // A control may leave its container.
  QWidget* inner = rig.Live("Inner");
  rig.Drag(inner, {5, 5}, {{-60, -50}});
  EXPECT_EQ(inner->pos(), QPoint(-40, -20));
  EXPECT_EQ(rig.Element("Inner")->GetAttribute("X"), "-40");
}

TEST(WindowDesigner, MoveLockStopsMovesButNotHandleResizes) {
  TDesignRig rig(kResource);
  TWindowDesigner& d = rig.Designer();
  d.OpenWindow("MainWnd");
  rig.dm->SetMoveLock(true);
  QWidget* ok = rig.Live("Ok");
  const std::string before = AttributesOf(rig.Element("Ok"));
  rig.Drag(ok, {10, 10}, {{25, 12}});
  EXPECT_EQ(d.Selection(), ok);
  EXPECT_EQ(ok->geometry(), QRect(300, 250, 90, 28));
  EXPECT_EQ(AttributesOf(rig.Element("Ok")), before);

  // Handle 7 (bottom right) resizes, and all four values are stored under their own names.
  ASSERT_TRUE(d.Sizer());
  rig.Drag(d.Sizer()->Handle(7), {3, 3}, {{10, 5}});
  EXPECT_EQ(ok->geometry(), QRect(300, 250, 100, 33));
  EXPECT_EQ(AttributesOf(rig.Element("Ok")), "type=Button id=Ok x=300 y=250 w=100 h=33 text=OK");
  EXPECT_EQ(Shown(rig.Inspector(), "w"), "100");
  // An element without position names gets the upper-case ones, width first.
  TXMLNode* label = rig.Element("Label");
  QWidget* liveLabel = rig.Live("Label");
  label->Attributes.clear();
  label->AddAttribute("type", "Text");
  rig.Click(liveLabel, {4, 4});
  rig.Drag(d.Sizer()->Handle(0), {3, 3}, {{-4, -6}});
  EXPECT_EQ(AttributesOf(label), "type=Text W=154 H=26 X=226 Y=54");
}

TEST(WindowDesigner, DeleteRemovesTheSelectionWithItsChildrenAndTheWindowItself) {
  TDesignRig rig(kResource);
  TWindowDesigner& d = rig.Designer();
  d.OpenWindow("MainWnd");
  rig.Key(Qt::Key_Delete);  // nothing selected: nothing happens
  EXPECT_EQ(rig.Element("MainWnd")->Children.size(), 5u);

  rig.Click(rig.Live("Panel"), {150, 100});
  EXPECT_TRUE(d.hasFocus());
  rig.Key(Qt::Key_Delete);
  EXPECT_FALSE(rig.Element("Panel"));
  EXPECT_FALSE(rig.Element("Inner"));
  EXPECT_EQ(rig.Element("MainWnd")->Children.size(), 4u);
  EXPECT_FALSE(rig.Live("Panel"));
  EXPECT_FALSE(rig.Live("Inner"));
  EXPECT_FALSE(d.Selection());
  EXPECT_TRUE(rig.Inspector().Rows().empty());

  // The window selected: its element goes, the surface stays empty, the other window stays.
  rig.Click(d.DesignedWindow(), {400, 150});
  EXPECT_EQ(d.Selection(), d.DesignedWindow());
  rig.Key(Qt::Key_Delete);
  EXPECT_FALSE(rig.project.HasWindow("MainWnd"));
  EXPECT_TRUE(rig.project.HasWindow("Second"));
  EXPECT_FALSE(d.DesignedWindow());
  EXPECT_EQ(DesignedWindowsOn(&d), 0);
  EXPECT_EQ(d.WindowId(), "MainWnd");
}

TEST(WindowDesigner, ADoubleClickStoresAGeneratedHandlerOnceAndReportsIt) {
  TDesignRig rig(kResource);
  TWindowDesigner& d = rig.Designer();
  d.OpenWindow("MainWnd");
  rig.DoubleClick(rig.Live("Name"), {10, 10});
  EXPECT_EQ(d.Selection(), rig.Live("Name"));
  EXPECT_EQ(rig.Element("Name")->GetAttribute("onClick"), "Ctl_Name_onClick");
  EXPECT_EQ(Shown(rig.Inspector(), "onClick"), "Ctl_Name_onClick");
  const std::string stored = AttributesOf(rig.Element("Name"));
  rig.DoubleClick(rig.Live("Name"), {10, 10});
  EXPECT_EQ(AttributesOf(rig.Element("Name")), stored);
  using H = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(rig.handlers, (H{{"MainWnd", "Ctl_Name_onClick()"}, {"MainWnd", "Ctl_Name_onClick()"}}));

  // A right click selects what lies under it and offers exactly the one event.
  rig.handlers.clear();
  rig.Click(rig.Live("Inner"), {10, 10}, Qt::RightButton);
  EXPECT_EQ(d.Selection(), rig.Live("Inner"));
  QMenu& menu = d.PopupMenu();
  EXPECT_TRUE(menu.isVisible());
  ASSERT_EQ(menu.actions().size(), 1);
  EXPECT_EQ(menu.actions()[0]->text(), "onClick()");
  menu.actions()[0]->trigger();
  menu.hide();
  EXPECT_EQ(rig.handlers, (H{{"MainWnd", "Ctl_Inner_onClick()"}}));
  EXPECT_EQ(rig.Element("Inner")->GetAttribute("onClick"), "Ctl_Inner_onClick");
}

TEST(WindowDesigner, AHandlerRequestThatClosesTheDesignIsSafe) {
  // The main window answers a handler request by showing the script's tab, and every tab
  // change closes the design: the double-clicked control goes while its event is handled.
  TDesignRig rig(kResource);
  rig.Designer().OpenWindow("MainWnd");
  rig.dm->SetOnEditHandler([&](const std::string& w, const std::string& h) {
    rig.handlers.emplace_back(w, h);
    rig.dm->CloseDesign();
  });
  rig.DoubleClick(rig.Live("Ok"), {10, 10});
  EXPECT_EQ(rig.handlers.size(), 1u);
  EXPECT_FALSE(rig.Designer().DesignedWindow());
  TDesignRig::Settle();
  EXPECT_EQ(DesignedWindowsOn(&rig.Designer()), 0);
  EXPECT_EQ(rig.Element("Ok")->GetAttribute("onClick"), "Ctl_Ok_onClick");
  // The surface works on as before.
  rig.Designer().OpenWindow("MainWnd");
  rig.Drag(rig.Live("Ok"), {10, 10}, {{1, 1}});
  EXPECT_EQ(rig.Element("Ok")->GetAttribute("x"), "301");
}

TEST(WindowDesigner, DesignedControlsNeverSeeKeysOrClicks) {
  TDesignRig rig(kResource);
  TWindowDesigner& d = rig.Designer();
  d.OpenWindow("MainWnd");
  auto* input = qobject_cast<QLineEdit*>(rig.Live("Name"));
  auto* check = qobject_cast<QCheckBox*>(rig.Live("Flag"));
  ASSERT_TRUE(input && check);

  rig.Click(check, {8, 8});
  EXPECT_FALSE(check->isChecked());
  EXPECT_EQ(d.Selection(), check);
  rig.Click(input, {20, 10});
  EXPECT_EQ(d.Selection(), input);
  EXPECT_TRUE(d.hasFocus());
  EXPECT_EQ(QApplication::focusWidget(), &d);
  rig.Type("xyz");
  rig.Key(Qt::Key_Backspace);
  rig.Key(Qt::Key_Space);
  // Sent to the control itself, keys and the wheel are still stopped.
  QTest::keyClicks(input, "q");
  QTest::keyClick(input, Qt::Key_Backspace);
  EXPECT_EQ(input->text(), "abc");
  EXPECT_EQ(rig.Element("Name")->GetAttribute("text"), "abc");
  EXPECT_TRUE(rig.Element("Name"));
  // Delete reaches the surface, which deletes the selection.
  rig.Key(Qt::Key_Delete);
  EXPECT_FALSE(rig.Element("Name"));
}
