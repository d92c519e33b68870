#include "designer/OI.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "designer/WndDsgnr.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/qt/AnsiText.h"

namespace zemblo {

TObjectInspector::TObjectInspector(const std::string& appPath, QWidget* parent) : QTableWidget(parent) {
  setColumnCount(2);
  setHorizontalHeaderLabels({QStringLiteral("Key"), QStringLiteral("Value")});
  // Keys in a fixed column, values filling the rest: the grid never scrolls sideways.
  horizontalHeader()->setMinimumSectionSize(8);
  horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
  horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  setColumnWidth(0, kKeyColumnWidth);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(8);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                  QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  // A missing or broken file leaves no definitions: the rows are then TAG, type and the
  // element's own attributes.
  definitions_.LoadFromFile(appPath + "cmps" + PathDelim + "props.xml");
}

TObjectInspector::~TObjectInspector() = default;

void TObjectInspector::Bind(QWidget* control) {
  bound_ = control;
  RefreshRows();
}

void TObjectInspector::RefreshRows() {
  const int current = currentRow();
  const auto rows = InspectorRows(ElementOf(bound_), definitions_.Root.get());
  // Dropping every row first also closes an editor left open without Enter: its text is lost.
  setRowCount(0);
  setRowCount(static_cast<int>(rows.size()));
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    auto* key = new QTableWidgetItem(FromAnsi(rows[i].Key));
    key->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setItem(i, 0, key);
    setItem(i, 1, new QTableWidgetItem(FromAnsi(rows[i].Value)));
  }
  if (current >= 0 && current < rowCount()) setCurrentCell(current, 1);
}

std::vector<TInspectorRow> TObjectInspector::Rows() const {
  std::vector<TInspectorRow> rows;
  for (int i = 0; i < rowCount(); ++i) {
    const QTableWidgetItem* k = item(i, 0);
    const QTableWidgetItem* v = item(i, 1);
    rows.push_back({k ? ToAnsi(k->text()) : std::string(), v ? ToAnsi(v->text()) : std::string()});
  }
  return rows;
}

void TObjectInspector::StoreCurrentRow() {
  TXMLNode* element = ElementOf(bound_);
  const int row = currentRow();
  if (!element || row < 0 || row >= rowCount()) return;
  const std::vector<TInspectorRow> rows = Rows();
  const std::string& key = rows[row].Key;
  // The value is looked up by key, as a key/value list does: the first row with that key,
  // letter case ignored.
  std::string value;
  for (const auto& r : rows)
    if (SameText(r.Key, key)) {
      value = r.Value;
      break;
    }
  element->SetAttribute(key, value);
  RefreshRows();
  if (OnChange) OnChange(*this);
}

void TObjectInspector::keyReleaseEvent(QKeyEvent* event) {
  QTableWidget::keyReleaseEvent(event);
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat() && bound_)
    StoreCurrentRow();
}

}  // namespace zemblo
