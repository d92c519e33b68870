#include "ide/OptionsGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include "platform/qt/AnsiText.h"

namespace zemblo {

namespace {
// The in-place editor reports Enter to the grid instead of swallowing it.
class TValueDelegate : public QStyledItemDelegate {
 public:
  explicit TValueDelegate(TOptionsGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
    QWidget* w = QStyledItemDelegate::createEditor(parent, o, i);
    w->installEventFilter(grid_);
    return w;
  }

 private:
  TOptionsGrid* grid_;
};
}  // namespace

TOptionsGrid::TOptionsGrid(QWidget* parent) : QTableWidget(parent) {
  setColumnCount(2);
  setHorizontalHeaderLabels({QStringLiteral("Option"), QStringLiteral("Value")});
  verticalHeader()->hide();
  setColumnWidth(0, 147);
  setColumnWidth(1, 184);
  horizontalHeader()->setStretchLastSection(true);
  QFont f(QStringLiteral("Arial"), 8);
  f.setBold(true);
  setFont(f);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::AllEditTriggers);
  setItemDelegateForColumn(1, new TValueDelegate(this));
  verticalHeader()->setDefaultSectionSize(QFontMetrics(f).height() + 6);
}

void TOptionsGrid::SetRows(const std::vector<std::string>& rows) {
  setUpdatesEnabled(false);
  int keep = currentRow();
  setRowCount(0);
  setRowCount(static_cast<int>(rows.size()));
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const std::string& t = rows[i];
    size_t eq = t.find('=');
    auto* name = new QTableWidgetItem(FromAnsi(t.substr(0, eq)));
    name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setItem(i, 0, name);
    setItem(i, 1, new QTableWidgetItem(FromAnsi(eq == std::string::npos ? std::string() : t.substr(eq + 1))));
  }
  if (keep >= 0 && keep < rowCount()) setCurrentCell(keep, 1);
  setUpdatesEnabled(true);
}

std::string TOptionsGrid::CurrentName() {
  QTableWidgetItem* it = item(currentRow(), 0);
  return it ? ToAnsi(it->text()) : std::string();
}

std::string TOptionsGrid::ValueOf(const std::string& name) {
  QString n = FromAnsi(name);
  for (int i = 0; i < rowCount(); ++i)
    if (item(i, 0) && item(i, 0)->text() == n) return item(i, 1) ? ToAnsi(item(i, 1)->text()) : std::string();
  return std::string();
}

bool TOptionsGrid::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(event);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      // Commit the edited text to the cell; the key's release then reaches the grid, which
      // stores the row.
      if (auto* w = qobject_cast<QWidget*>(watched)) {
        commitData(w);
        closeEditor(w, QAbstractItemDelegate::NoHint);
      }
      return true;
    }
  }
  return QTableWidget::eventFilter(watched, event);
}

void TOptionsGrid::keyReleaseEvent(QKeyEvent* event) {
  QTableWidget::keyReleaseEvent(event);
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && OnEnter) OnEnter();
}

}  // namespace zemblo
