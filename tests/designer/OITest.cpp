// The object inspector on the design page: the rows it shows for the selection, and values
// typed into it, stored only with Enter and applied to the live control at once.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QPushButton>

#include "DesignRig.h"
#include "window/KXWnd.h"
#include "window/XML.h"

using namespace zemblo;
using namespace zemblo::test;

namespace {

const char kResource[] = R"(<?xml version="1.0"?>
<resources>
 <WINDOW id="MainWnd" title="Main" x="20" y="16" w="420" h="300"/>
</resources>
)";

using TRows = std::vector<TInspectorRow>;

// Clicks the value cell of the row with this key, types `text` into it and, when asked,
// presses Enter; all through the window.
void EditValue(TDesignRig& rig, const std::string& key, const char* text, bool enter) {
  TObjectInspector& oi = rig.Inspector();
  int row = -1;
  for (int i = 0; i < oi.rowCount() && row < 0; ++i)
    if (oi.item(i, 0)->text().toStdString() == key) row = i;
  ASSERT_GE(row, 0) << key;
  rig.Click(oi.viewport(), oi.visualItemRect(oi.item(row, 1)).center());
  rig.Key(Qt::Key_Backspace);  // opens the editor on the cell and empties it
  rig.Type(text);
  if (enter) rig.Key(Qt::Key_Return);
}

}  // namespace

TEST(ObjectInspector, ANewButtonShowsTheDefinitionRowsAndEnterChangesTheLiveCaption) {
  TDesignRig rig(kResource);
  rig.Designer().OpenWindow("MainWnd");
  TObjectInspector& oi = rig.Inspector();
  EXPECT_EQ(oi.rowCount(), 0);  // nothing selected
  EXPECT_EQ(oi.horizontalHeaderItem(0)->text(), "Key");
  EXPECT_EQ(oi.horizontalHeaderItem(1)->text(), "Value");
  EXPECT_EQ(oi.columnWidth(0), 70);

  rig.DropFromPalette(2, rig.Designer().DesignedWindow(), {100, 200});
  QWidget* button = nullptr;
  for (QWidget* w : rig.Designer().DesignedWindow()->findChildren<QPushButton*>()) button = w;
  ASSERT_TRUE(button);
  TXMLNode* element = ElementOf(button);
  rig.Click(button, {5, 5});
  // The shipped definition of a button, in its order, filled from the element.
  EXPECT_EQ(oi.Rows(), (TRows{{"TAG", "CONTROL"}, {"type", "Button"}, {"id", ""}, {"text", "Button"}, {"x", "95"},
                              {"y", "180"}, {"w", "70"}, {"h", "25"}, {"Anchors", ""}, {"bgColor", ""},
                              {"onClick", ""}, {"fontFamily", ""}, {"fontSize", ""}, {"fontStyle", ""},
                              {"fontColor", ""}}));

  EditValue(rig, "text", "Hello", true);
  EXPECT_EQ(element->GetAttribute("text"), "Hello");
  EXPECT_EQ(static_cast<QPushButton*>(button)->text(), "Hello");
  EXPECT_EQ(oi.Rows()[3], (TInspectorRow{"text", "Hello"}));

  // A property the element does not have yet is appended, and applied.
  EditValue(rig, "bgColor", "Navy", true);
  EXPECT_EQ(element->Attributes.back().Name, "bgColor");
  EXPECT_EQ(element->Attributes.back().Value, "Navy");
  EXPECT_EQ(button->palette().color(button->backgroundRole()), QColor(0, 0, 0x80));

  // Keys are not values: typing on a key cell changes nothing.
  oi.setCurrentCell(2, 0);
  rig.Type("q");
  EXPECT_EQ(oi.item(2, 0)->text(), "id");
}

TEST(ObjectInspector, AValueLeftWithoutEnterIsNeitherStoredNorKept) {
  TDesignRig rig(kResource);
  rig.Designer().OpenWindow("MainWnd");
  rig.DropFromPalette(1, rig.Designer().DesignedWindow(), {100, 200});
  QWidget* frame = rig.Designer().DesignedWindow()->childAt(96, 181);
  ASSERT_TRUE(frame);
  TXMLNode* element = ElementOf(frame);
  const std::string before = element->GetAttribute("text") + "|" + std::to_string(element->Attributes.size());
  rig.Click(frame, {5, 5});
  EditValue(rig, "fontFamily", "Arial", false);
  EditValue(rig, "text", "Other", false);  // leaves the first cell for another one
  rig.Click(&rig.Designer(), {2, 2});      // and then the inspector
  EXPECT_EQ(element->GetAttribute("text") + "|" + std::to_string(element->Attributes.size()), before);
  rig.Click(frame, {5, 5});
  const TRows rows = rig.Inspector().Rows();
  EXPECT_EQ(rows[3], (TInspectorRow{"text", "Frame"}));
  EXPECT_EQ(rows[10], (TInspectorRow{"fontFamily", ""}));
}

TEST(ObjectInspector, TheWindowShowsItsOwnRowsAndTakesItsTitleAtOnce) {
  TDesignRig rig(kResource);
  TWindowDesigner& d = rig.Designer();
  d.OpenWindow("MainWnd");
  rig.Click(d.DesignedWindow(), {200, 100});
  EXPECT_EQ(rig.Inspector().Rows(),
            (TRows{{"TAG", "WINDOW"}, {"type", ""}, {"id", "MainWnd"}, {"title", "Main"}, {"x", "20"}, {"y", "16"},
                   {"w", "420"}, {"h", "300"}, {"bgColor", ""}, {"bgImage", ""}, {"onClick", ""}}));
  EditValue(rig, "title", "Greeter", true);
  EXPECT_EQ(d.DesignedWindow()->windowTitle(), "Greeter");
  // Position and size wait for the next opening.
  EditValue(rig, "w", "300", true);
  EXPECT_EQ(d.DesignedWindow()->width(), 420);
  d.Reload();
  EXPECT_EQ(d.DesignedWindow()->width(), 300);
}
