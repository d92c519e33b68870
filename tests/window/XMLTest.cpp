#include <gtest/gtest.h>

#include "TestUtil.h"
#include "platform/Errors.h"
#include "platform/Stream.h"
#include "window/XML.h"

using namespace zemblo;

namespace {

std::unique_ptr<TXMLTree> Parse(const std::string& doc) {
  auto t = std::make_unique<TXMLTree>();
  TMemoryStream m(doc);
  t->LoadFromStream(m);
  return t;
}

// A compact picture of a tree: name[attr=value,...](children...)
std::string Shape(const TXMLNode* n) {
  if (!n) return "-";
  std::string s = n->Name;
  if (!n->Attributes.empty()) {
    s += '[';
    for (size_t i = 0; i < n->Attributes.size(); ++i)
      s += (i ? "," : "") + n->Attributes[i].Name + "=" + n->Attributes[i].Value;
    s += ']';
  }
  if (!n->Children.empty()) {
    s += '(';
    for (size_t i = 0; i < n->Children.size(); ++i) s += (i ? " " : "") + Shape(n->Children[i].get());
    s += ')';
  }
  return s;
}

std::string ShapeOf(const std::string& doc) { return Shape(Parse(doc)->Root.get()); }

}  // namespace

TEST(XMLRead, DocumentsAsTheFormatDefinesThem) {
  struct Case { const char* doc; const char* shape; };
  const Case cases[] = {
      {"", "-"},
      {"<?xml version=\"1.0\"?>\r\n", "-"},
      {"<!-- only a comment -->", "-"},
      {"<A/>", "A"},
      {"<?xml version=\"1.0\"?><!DOCTYPE x><A></A>", "A"},
      // repeated name: first place, last value
      {"<A x = \"1\" y=\"2\" x=\"3\"/>", "A[x=3,y=2]"},
      {"<A v=\"&AMP;&lt;\" w=\"&amp;lt;\"/>", "A[v=&<,w=&lt;]"},
      {"<!-- a > b --><A><!-- a > b --><B/></A>", "A(B)"},
      {"<a-b c=\"1\"/>", "a[b=1]"},
      {"<A x='1'/>", "A"},
      {"<A x='1' y=\"2\"/>", "A[x=2]"},
      {"<A v=\"two\r\nlines\"/>", "A[v=two\r\nlines]"},
      {"<R><W id=\"1\"><C/><C><C/></C></W><W/></R>", "R(W[id=1](C C(C)) W)"},
      {"<A/><B/>", "A"},                               // a second top-level element is not read
      {"<A><B>", "A(B)"},                              // missing end tags: closed at the end
      {"</x><A/>", "A"},                               // a stray end tag before the root
      {"<A x=\"unterminated/>", "A"},
  };
  for (const auto& c : cases) EXPECT_EQ(ShapeOf(c.doc), c.shape) << c.doc;
}

// Input the writer never produces: the rest of the document must not be lost.
TEST(XMLRead, TextWithGreaterThanAndStrayEndTagsLoseNothing) {
  struct Case { const char* doc; const char* shape; };
  const Case cases[] = {
      {"<R><W>a > b<C/></W><W2/></R>", "R(W(C) W2)"},
      {"<R><W><C></c></W><X/></R>", "R(W(C) X)"},       // </c> does not close C; </W> closes both
      {"<R><W></WINDOW><C/></W></R>", "R(W(C))"},       // an end tag of nothing open is ignored
      {"<WINDOW><C/></window><D/></WINDOW>", "WINDOW(C D)"},  // lower-case end tag does not close
      {"<R><>text<W/></R>", "R(W)"},
      {"<R><?pi?><W/></R>", "R(W)"},
      {"<R>< x=\"1\"><W/></ ></R>", "R(W)"},           // a nameless tag is no element
  };
  for (const auto& c : cases) EXPECT_EQ(ShapeOf(c.doc), c.shape) << c.doc;
}

TEST(XMLRead, DeepNestingNeitherCrashesNorLosesElements) {
  std::string doc;
  const int depth = 200000;
  for (int i = 0; i < depth; ++i) doc += "<a>";
  auto t = Parse(doc);
  int n = 0;
  for (const TXMLNode* p = t->Root.get(); p; p = p->Children.empty() ? nullptr : p->Children[0].get()) ++n;
  EXPECT_EQ(n, depth);
  // Writing indents each level by one blank, so the saved size grows with the square of the
  // depth; a shallower tree shows the writer is not recursive either.
  std::string shallow;
  for (int i = 0; i < 5000; ++i) shallow += "<a>";
  std::string saved = Parse(shallow)->SaveToString();
  EXPECT_EQ(Parse(saved)->SaveToString(), saved);
}

TEST(XMLWrite, BytesOfASmallWindow) {
  TXMLTree t;
  t.Root = std::make_unique<TXMLNode>("WINDOW");
  t.Root->SetAttribute("id", "NewWnd01");
  t.Root->SetAttribute("title", "A & B");
  auto c = std::make_unique<TXMLNode>("CONTROL");
  c->SetAttribute("type", "Button");
  c->SetAttribute("x", "8");
  t.Root->AddChild(std::move(c));
  EXPECT_EQ(t.SaveToString(),
            "<?xml version=\"1.0\"?>\r\n"
            "<WINDOW id=\"NewWnd01\" title=\"A &amp; B\">\r\n"
            " <CONTROL type=\"Button\" x=\"8\"/>\r\n"
            "</WINDOW>\r\n");
  TXMLTree empty;
  EXPECT_EQ(empty.SaveToString(), "<?xml version=\"1.0\"?>\r\n");
}

TEST(XMLWrite, EverySavedDocumentReadsBackTheSame) {
  TXMLTree t;
  t.Root = std::make_unique<TXMLNode>("Root");
  auto* w = t.Root->AddChild(std::make_unique<TXMLNode>("WINDOW"));
  w->AddAttribute("v", "<&>\"' &lt; \r\n \x01\xff");
  w->AddAttribute("e", "");
  auto* c = w->AddChild(std::make_unique<TXMLNode>("CONTROL"));
  c->AddChild(std::make_unique<TXMLNode>("CONTROL"))->SetAttribute("id", "inner");
  std::string saved = t.SaveToString();
  auto back = Parse(saved);
  EXPECT_EQ(Shape(back->Root.get()), Shape(t.Root.get()));
  EXPECT_EQ(back->SaveToString(), saved);
}

TEST(XMLNode, NamesIgnoreCaseAndChildrenKeepOrder) {
  TXMLNode root("R");
  auto* a = root.AddChild(std::make_unique<TXMLNode>("window"));
  a->SetAttribute("ID", "MainWnd");
  auto* b = root.AddChild(std::make_unique<TXMLNode>("WINDOW"));
  b->SetAttribute("id", "mainwnd");
  EXPECT_EQ(root.FindChild("WINDOW", "MAINWND"), a);
  EXPECT_EQ(a->Parent, &root);
  a->SetAttribute("id", "Other");
  EXPECT_EQ(a->Attributes[0].Name, "ID");  // the stored letter case stays
  EXPECT_EQ(root.FindChild("Window", "mainWnd"), b);
  EXPECT_EQ(root.FindChild("CONTROL", "mainwnd"), nullptr);
  auto taken = root.RemoveChild(a);
  EXPECT_EQ(taken.get(), a);
  EXPECT_EQ(root.Children.size(), 1u);
  EXPECT_EQ(root.RemoveChild(a), nullptr);
  root.DeleteChild(nullptr);
  root.DeleteChild(b);
  EXPECT_TRUE(root.Children.empty());
  EXPECT_EQ(root.GetAttribute("missing"), "");
}

TEST(XMLFile, LoadKeepsTheTreeWhenTheFileIsMissingAndSaveRaises) {
  test::TTempDir dir;
  TXMLTree t;
  t.Root = std::make_unique<TXMLNode>("Keep");
  t.LoadFromFile(dir / "missing.xml");
  ASSERT_TRUE(t.Root);
  EXPECT_EQ(t.Root->Name, "Keep");
  t.SaveToFile(dir / "a.xml");
  EXPECT_EQ(test::ReadAll(dir / "a.xml"), "<?xml version=\"1.0\"?>\r\n<Keep/>\r\n");
  EXPECT_THROW(t.SaveToFile(dir / "no/such/a.xml"), EInOutError);
  test::WriteAll(dir / "b.xml", "<?xml version=\"1.0\"?>\r\n");
  t.LoadFromFile(dir / "b.xml");
  EXPECT_FALSE(t.Root);
}
