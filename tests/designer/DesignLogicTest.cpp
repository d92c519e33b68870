// What the designer and the inspector compute from the window tree: window bounds, new
// controls, stored moves and resizes, handler names, and the inspector's rows.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "designer/OILogic.h"
#include "designer/WndDsgnrLogic.h"
#include "platform/Stream.h"
#include "window/XML.h"

using namespace zemblo;

namespace {

std::unique_ptr<TXMLTree> Parse(const std::string& xml) {
  auto t = std::make_unique<TXMLTree>();
  TMemoryStream m(xml);
  t->LoadFromStream(m);
  return t;
}

// "name=value" of every attribute, joined by blanks.
std::string AttributesOf(const TXMLNode& node) {
  std::string s;
  for (const auto& a : node.Attributes) s += (s.empty() ? "" : " ") + a.Name + "=" + a.Value;
  return s;
}

}  // namespace

TEST(DesignLogic, WindowBoundsNeedAllFourIntegersOrFallBack) {
  struct Case {
    const char* xml;
    TWindowBounds want;
  };
  const Case cases[] = {
      {R"(<WINDOW x="5" y="6" w="400" h="250"/>)", {5, 6, 400, 250}},
      {R"(<WINDOW X=" 5" Y="-6" W="$10" H="20"/>)", {5, -6, 16, 20}},
      {R"(<WINDOW w="400" h="250"/>)", kFallbackWindowBounds},  // a window New Window has just made
      {R"(<WINDOW x="5" y="6" w="wide" h="250"/>)", kFallbackWindowBounds},
      {R"(<WINDOW x="5" y="6" w="400" h=""/>)", kFallbackWindowBounds},
  };
  for (const Case& c : cases) EXPECT_EQ(WindowBoundsOf(*Parse(c.xml)->Root), c.want) << c.xml;
  EXPECT_EQ(kFallbackWindowBounds, (TWindowBounds{10, 10, 320, 240}));
}

TEST(DesignLogic, ANewControlHasTheFixedAttributesInOrder) {
  auto e = NewControlElement("Button", 15, -3);
  EXPECT_EQ(e->Name, "CONTROL");
  EXPECT_EQ(AttributesOf(*e), "type=Button x=15 y=-3 w=70 h=25 text=Button");
}

TEST(DesignLogic, MovesAndResizesKeepTheNamesTheElementHas) {
  auto made = NewControlElement("Box", 1, 2);
  StoreMove(*made, 30, 40);
  StoreBounds(*made, 31, 41, 90, 35);
  EXPECT_EQ(AttributesOf(*made), "type=Box x=31 y=41 w=90 h=35 text=Box");

  // An element without position gets the upper-case names, in the order they are written.
  TXMLNode bare("CONTROL");
  StoreBounds(bare, 1, 2, 3, 4);
  EXPECT_EQ(AttributesOf(bare), "W=3 H=4 X=1 Y=2");
  TXMLNode moved("CONTROL");
  StoreMove(moved, -7, 8);
  EXPECT_EQ(AttributesOf(moved), "X=-7 Y=8");
}

TEST(DesignLogic, HandlerNamesAreGeneratedOnceAndStoredNamesUsedUnchanged) {
  struct Case {
    const char* xml;  // "" for no selection
    const char* handler;
    const char* after;  // the element's attributes afterwards
  };
  const Case cases[] = {
      {R"(<CONTROL type="Button" id="Ok"/>)", "Ctl_Ok_onClick()", "type=Button id=Ok onClick=Ctl_Ok_onClick"},
      {R"(<CONTROL type="Button" id="Ok" onClick=""/>)", "Ctl_Ok_onClick()", "type=Button id=Ok onClick=Ctl_Ok_onClick"},
      {R"(<CONTROL type="Button" id="Ok" ONCLICK="Save"/>)", "Save()", "type=Button id=Ok ONCLICK=Save"},
      {R"(<CONTROL type="Button" onClick=" odd name "/>)", " odd name ()", "type=Button onClick= odd name "},
      {R"(<CONTROL type="Box"/>)", "Ctl_Unknown_onClick()", "type=Box onClick=Ctl_Unknown_onClick"},
      {R"(<WINDOW id="NewWnd01"/>)", "Ctl_NewWnd01_onClick()", "id=NewWnd01 onClick=Ctl_NewWnd01_onClick"},
      {"", "Ctl_Unknown_onClick()", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xml);
    auto tree = *c.xml ? Parse(c.xml) : nullptr;
    TXMLNode* e = tree ? tree->Root.get() : nullptr;
    EXPECT_EQ(RequestHandler(e, "onClick()"), c.handler);
    // Asked again: the same name, the element as it was.
    EXPECT_EQ(RequestHandler(e, "onClick()"), c.handler);
    if (e) {
      EXPECT_EQ(AttributesOf(*e), c.after);
    }
  }
}

TEST(DesignLogic, InspectorRowsFollowTheDefinitionThenTheElement) {
  const auto defs = Parse(R"(<defs>
    <CONTROL id="Button" text="Button" bgColor="" W="70"/>
    <CONTROL id="Window" title="" bgColor=""/>
    <CONTROL id="Type" type="x"/>
  </defs>)");
  using R = std::vector<TInspectorRow>;
  struct Case {
    const char* xml;
    R want;
  };
  const Case cases[] = {
      // A new button: the definition's rows in its order, then the element's other
      // attributes; a definition name matches the element's name in any letter case, and the
      // row shows the element's spelling.
      {R"(<CONTROL type="Button" x="8" y="9" w="70" h="25" text="Button"/>)",
       R{{"TAG", "CONTROL"}, {"type", "Button"}, {"id", ""}, {"text", "Button"}, {"bgColor", ""}, {"w", "70"},
         {"x", "8"}, {"y", "9"}, {"h", "25"}}},
      {R"(<WINDOW id="Main" w="400" title="Hi"/>)",
       R{{"TAG", "WINDOW"}, {"type", ""}, {"id", "Main"}, {"title", "Hi"}, {"bgColor", ""}, {"w", "400"}}},
      // Only the exact name WINDOW is a window; otherwise the type decides.
      {R"(<window id="Main" type="Button"/>)",
       R{{"TAG", "window"}, {"type", "Button"}, {"id", "Main"}, {"text", ""}, {"bgColor", ""}, {"W", ""}}},
      // No definition for the type: TAG, type and the element's own attributes.
      {R"(<CONTROL type="Slider" id="S" onClick="Go"/>)",
       R{{"TAG", "CONTROL"}, {"type", "Slider"}, {"id", "S"}, {"onClick", "Go"}}},
      // A definition that lists "type" itself: the element fills the first, the second stays.
      {R"(<CONTROL type="Type"/>)", R{{"TAG", "CONTROL"}, {"type", "Type"}, {"id", ""}, {"type", ""}}},
  };
  for (const Case& c : cases) EXPECT_EQ(InspectorRows(Parse(c.xml)->Root.get(), defs->Root.get()), c.want) << c.xml;

  EXPECT_TRUE(InspectorRows(nullptr, defs->Root.get()).empty());
  const auto bare = Parse(R"(<CONTROL type="Button" text="B"/>)");
  EXPECT_EQ(InspectorRows(bare->Root.get(), nullptr), (R{{"TAG", "CONTROL"}, {"type", "Button"}, {"text", "B"}}));
}
