#include "ide/PrjList.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

#include "ide/PrjCards.h"
#include "kernel/AppKernel.h"
#include "kernel/VantrelINI.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/qt/AnsiText.h"
#include "window/Bitmap.h"
#include "window/KXCtl.h"

namespace zemblo {

namespace {

// Draws one card; everything it shows is read when the row is drawn.
class TCardDelegate : public QStyledItemDelegate {
 public:
  explicit TCardDelegate(TProjectList* list) : QStyledItemDelegate(list), list_(list) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    std::string name = list_->NameAt(index.row());
    if (name.empty()) return;
    TProjectCard card = ReadProjectCard(TProjectList::ProjectsFolder(), name);
    QRect b = option.rect;
    b.setRight(list_->viewport()->width() - 1);
    bool selected = option.state & QStyle::State_Selected;
    p->fillRect(b, selected ? QColor(166, 202, 240) : QColor(192, 192, 192));
    if (SameText(name, TProjectList::OpenProjectName())) {
      p->setPen(Qt::black);
      p->setBrush(Qt::NoBrush);
      for (int i = 1; i <= 3; ++i) p->drawRect(b.adjusted(i, i, -i - 1, -i - 1));
    }
    if (!card.IconPath.empty()) {
      try {
        TBitmapData bmp = DecodeBitmap(ReadFileBytes(card.IconPath));
        // The icon is cut, not scaled, to 32 by 32.
        p->drawImage(QPoint(b.left() + 9, b.top() + 9), WrapBitmap(bmp), QRect(0, 0, 32, 32));
      } catch (const Exception&) {
        // A broken icon leaves the card without one.
      }
    }
    QFont title(QStringLiteral("Arial"), 11);
    title.setBold(true);
    p->setFont(title);
    p->setPen(Qt::black);
    QFontMetrics tm(title);
    // A title longer than the card ends in an ellipsis rather than being cut mid-letter.
    QString titleLine = tm.elidedText(FromAnsi(card.TitleLine), Qt::ElideRight, b.right() - (b.left() + 49) - 4);
    p->drawText(QPoint(b.left() + 49, b.top() + 9 + tm.ascent()), titleLine);
    QFont line(QStringLiteral("Tahoma"), 9);
    p->setFont(line);
    QFontMetrics lm(line);
    p->drawText(QPoint(b.left() + 49, b.top() + 29 + lm.ascent()), FromAnsi(card.LastBuild));
  }

 private:
  TProjectList* list_;
};

}  // namespace

TProjectList::TProjectList(QWidget* parent) : QTableWidget(parent) {
  setColumnCount(1);
  setRowCount(0);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  horizontalHeader()->setStretchLastSection(true);
  horizontalHeader()->setDefaultSectionSize(500);
  verticalHeader()->setDefaultSectionSize(54);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setShowGrid(false);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // More projects than fit must stay reachable, so the list scrolls when it has to.
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setFocusPolicy(Qt::StrongFocus);
  QPalette pal = palette();
  pal.setColor(QPalette::Base, QColor(192, 192, 192));
  setPalette(pal);
  setItemDelegate(new TCardDelegate(this));
  connect(this, &QTableWidget::cellClicked, this, [this] { Select(); });
  connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    std::string n = NameAt(row);
    if (!n.empty() && OnOpen) OnOpen(n);
  });
  FillList();
}

std::string TProjectList::ProjectsFolder() {
  return IDESettings ? IDESettings->GetValue("IDE.ProjectsFolder") : std::string();
}

std::string TProjectList::OpenProjectName() {
  if (!AppObjects) return std::string();
  std::string file = ProjectINI().GetValue("RunTime.FileName");
  return ChangeFileExt(ExtractFileName(file), "");
}

std::string TProjectList::NameAt(int row) const {
  const QTableWidgetItem* it = item(row, 0);
  return it ? ToAnsi(it->text()) : std::string();
}

void TProjectList::Select() {
  std::string n = NameAt(currentRow());
  if (!n.empty() && OnSelect) OnSelect(n);
}

void TProjectList::FillList() {
  std::vector<std::string> names = ListProjects(ProjectsFolder());
  clearContents();
  setRowCount(static_cast<int>(names.size()));
  if (names.empty()) return;
  std::string open = OpenProjectName();
  int selected = 0;
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    setItem(i, 0, new QTableWidgetItem(FromAnsi(names[i])));
    if (SameText(names[i], open)) selected = i;
  }
  setCurrentCell(selected, 0);
  Select();
}

}  // namespace zemblo
