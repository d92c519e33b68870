// The object inspector: the properties of the designer's selection as rows of keys and values.
// It reads nothing from the live control but its element, and writes a value into the element
// only when the user confirms it with Enter; the designer then applies the element again.
#pragma once

#include <QPointer>
#include <QTableWidget>
#include <functional>
#include <string>

#include "designer/OILogic.h"
#include "window/XML.h"

namespace zemblo {

class TObjectInspector : public QTableWidget {
  Q_OBJECT

 public:
  static constexpr int kKeyColumnWidth = 70;

  // Loads the component definitions, "cmps" + PathDelim + "props.xml" below `appPath` (the
  // program folder, ending in PathDelim), once, apart from the palette's copy.
  explicit TObjectInspector(const std::string& appPath, QWidget* parent = nullptr);
  ~TObjectInspector() override;

  // The control whose element is shown (through its back reference); null shows nothing.
  void Bind(QWidget* control);
  QWidget* Bound() const { return bound_; }
  // Rebuilds every row from the bound element; an edit not confirmed with Enter is lost.
  void RefreshRows();
  // Enter: SetAttribute of the current row's key with the value of the first row carrying
  // that key, RefreshRows, then OnChange.
  void StoreCurrentRow();

  // The rows as shown.
  std::vector<TInspectorRow> Rows() const;
  const TXMLTree& Definitions() const { return definitions_; }

  // Set by the design manager to the designer's ApplySelected.
  std::function<void(TObjectInspector&)> OnChange;

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  QPointer<QWidget> bound_;
  TXMLTree definitions_;
};

}  // namespace zemblo
