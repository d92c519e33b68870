// The state of a running program's window apart from Qt: which control a place names, and
// what reading and writing attributes does to the window's copy of its element.
#include <gtest/gtest.h>

#include "LiveWindow.h"
#include "platform/Stream.h"

using namespace zemblo;

namespace {

std::unique_ptr<TXMLNode> Parse(const std::string& xml) {
  TXMLTree tree;
  TMemoryStream s(xml);
  tree.LoadFromStream(s);
  return std::move(tree.Root);
}

const char kWindow[] = R"xml(<WINDOW id="W" X="5">
  <CONTROL type="Frame" id="F">
    <CONTROL type="Option" id="A" checked="1"/>
    <CONTROL type="Option" id="B"/>
    <CONTROL type="Check" id="C" checked="1"/>
    <HINT><CONTROL id="Hidden"/></HINT>
  </CONTROL>
  <CONTROL type="option" id="D" checked="1"/>
  <CONTROL type="Text" id="a" checked="yes"/>
</WINDOW>)xml";

}  // namespace

TEST(LiveWindow, KnowsItsControlsInTheOrderTheFactoryBuildsThem) {
  auto element = Parse(kWindow);
  TLiveWindow w(*element);
  std::vector<std::string> ids;
  for (TXMLNode* c : w.Controls()) ids.push_back(c->GetAttribute("id"));
  // A container before what it holds; controls under other elements are not built.
  EXPECT_EQ(ids, (std::vector<std::string>{"F", "A", "B", "C", "D", "a"}));
  EXPECT_EQ(w.FindControl("a"), 1) << "the first of two ids that differ in case";
  EXPECT_EQ(w.FindControl("d"), 4);
  EXPECT_EQ(w.FindControl(""), -1);
  EXPECT_EQ(w.FindControl("Hidden"), -1);
  EXPECT_EQ(w.Node(TLiveWindow::kWindow), &w.Element());
  EXPECT_EQ(w.Node(6), nullptr);
  EXPECT_EQ(w.Node(-2), nullptr);
  // A copy: the project's own tree is never changed by the running program.
  w.Set(TLiveWindow::kWindow, "x", "9");
  EXPECT_EQ(element->GetAttribute("X"), "5");
  EXPECT_EQ(w.Element().Attributes[1].Name, "X") << "stored under the letter case it was written in";
  EXPECT_EQ(w.Get(TLiveWindow::kWindow, "x"), "9");
}

TEST(LiveWindow, TickingAnOptionUnticksTheOthersOfItsContainerOnly) {
  auto element = Parse(kWindow);
  TLiveWindow w(*element);
  auto ticks = [&] {
    std::string s;
    for (int i = 1; i <= 5; ++i) s += w.Get(i, "checked");
    return s;
  };
  // A, B, C (a check box), D (an option of another container), and a text control's own
  // attribute, which is not a tick.
  EXPECT_EQ(ticks(), "1011yes");
  EXPECT_EQ(w.Set(2, "CHECKED", "1"), std::vector<int>{1});
  EXPECT_EQ(ticks(), "0111yes");
  EXPECT_EQ(w.Set(2, "checked", "0"), std::vector<int>{});
  EXPECT_EQ(ticks(), "0011yes");
  EXPECT_EQ(w.Set(1, "checked", "true"), std::vector<int>{}) << "only \"1\" ticks";
  EXPECT_EQ(ticks(), "0011yes");
  EXPECT_EQ(w.Get(1, "checked"), "0");
  EXPECT_EQ(w.Node(1)->GetAttribute("checked"), "true") << "stored as written";
}

TEST(LiveWindow, CopiesDeeplyNestedElementsWithoutRecursion) {
  TXMLNode root("WINDOW");
  TXMLNode* at = &root;
  for (int i = 0; i < 200000; ++i) {
    auto child = std::make_unique<TXMLNode>("CONTROL");
    child->SetAttribute("id", std::to_string(i));
    at = at->AddChild(std::move(child));
  }
  TLiveWindow w(root);
  ASSERT_EQ(w.ControlCount(), 200000);
  EXPECT_EQ(w.FindControl("199999"), 199999);
  EXPECT_EQ(w.Node(199999)->Parent, w.Node(199998));
}
