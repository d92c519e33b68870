// The text control: static text that paints itself entirely. It never fills its background,
// so Qt paints the window, the box or whatever lies beneath it first and the text looks
// transparent. It draws "text", or the file "files\" + "textFile" read through OnGetFile,
// one line per CR, left aligned or centred ("textHAlign" "center"), with an optional silver
// shadow "textShadow" pixels right and down; lines are not wrapped. While the helper says
// the control is being designed (TKXCtlHlp::SetDesigning) a black dashed outline shows its
// bounds.
#pragma once

#include <QWidget>

#include "window/KXCtl.h"

namespace zemblo {

class TKXCtl_Text : public QWidget, public TKXControl {
  Q_OBJECT

 public:
  explicit TKXCtl_Text(QWidget* owner = nullptr);
  ~TKXCtl_Text() override;

  // The text stays transparent whatever "bgColor" says.
  void ApplyBackgroundColor(const std::optional<QColor>& color) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace zemblo
