#include "DesignRig.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHBoxLayout>

#include "window/XML.h"

namespace zemblo::test {

namespace {

TXMLNode* FindById(TXMLNode* node, const std::string& id) {
  if (!node) return nullptr;
  if (node->GetAttribute("id") == id) return node;
  for (auto& c : node->Children)
    if (TXMLNode* found = FindById(c.get(), id)) return found;
  return nullptr;
}

}  // namespace

TDesignRig::TDesignRig(const std::string& resourceXml, const std::string& appPath) {
  WriteAll(dir / "Test/Test.kxp", "[Resource]\r\nFile=Test.xml\r\n");
  WriteAll(dir / "Test/Test.xml", resourceXml);
  project.Load(dir / "Test/Test.kxp");

  // The main window's designer page: inspector 157 pixels, the design area, palette 136.
  auto* layout = new QHBoxLayout(&host);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(6);
  pnOI = new QWidget;
  pnOI->setFixedWidth(157);
  pnWndDes = new QWidget;
  pnPal = new QWidget;
  pnPal->setFixedWidth(136);
  layout->addWidget(pnOI);
  layout->addWidget(pnWndDes, 1);
  layout->addWidget(pnPal);

  dm = std::make_unique<TDesignManager>(project, appPath);
  dm->SetInspectorPanel(pnOI);
  dm->SetDesignerPanel(pnWndDes);
  dm->SetPalettePanel(pnPal);
  dm->SetOnEditHandler([this](const std::string& w, const std::string& h) { handlers.emplace_back(w, h); });

  host.resize(790, 520);  // inside the offscreen screen (800 by 600), where Qt looks up widgets
  host.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
  host.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&host));
}

TDesignRig::~TDesignRig() {
  dm.reset();
  Settle();
}

QWidget* TDesignRig::Live(const std::string& id) {
  QWidget* window = Designer().DesignedWindow();
  if (!window) return nullptr;
  QList<QWidget*> all{window};
  all += window->findChildren<QWidget*>();
  for (QWidget* w : all)
    if (TXMLNode* e = ElementOf(w); e && e->GetAttribute("id") == id) return w;
  return nullptr;
}

TXMLNode* TDesignRig::Element(const std::string& id) { return FindById(project.XML.Root.get(), id); }

void TDesignRig::Drag(QWidget* w, QPoint from, std::initializer_list<QPoint> steps) {
  const QPoint start = At(w, from);
  QTest::mousePress(Win(), Qt::LeftButton, {}, start);
  QPoint last = start;
  for (QPoint d : steps) {
    last = start + d;
    QTest::mouseMove(Win(), last);
  }
  QTest::mouseRelease(Win(), Qt::LeftButton, {}, last);
}

void TDesignRig::DropFromPalette(int row, QWidget* target, QPoint p) {
  const QPoint to = At(target, p);  // before the press: the drop may rebuild `target`
  Press(&Palette(), QPoint(40, Palette().RowRect(row).center().y()));
  QTest::mouseMove(Win(), to);
  QTest::mouseRelease(Win(), Qt::LeftButton, {}, to);
}

void TDesignRig::Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

std::string SavedTree(const TKXProject& project) { return project.XML.SaveToString(); }

}  // namespace zemblo::test
