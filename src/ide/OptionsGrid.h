// The project page's options grid: labels on the left (read only), values on the right.
// Enter stores the current row; leaving a row without Enter stores nothing.
#pragma once

#include <QTableWidget>
#include <functional>

#include "project/PrjOptions.h"

namespace zemblo {

class TOptionsGrid : public QTableWidget, public IOptionsGrid {
  Q_OBJECT
 public:
  explicit TOptionsGrid(QWidget* parent = nullptr);

  void SetRows(const std::vector<std::string>& rows) override;
  std::string CurrentName() override;
  std::string ValueOf(const std::string& name) override;

  // Runs when Enter is released in the grid (the main window stores the row).
  std::function<void()> OnEnter;

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zemblo
