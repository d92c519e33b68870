#include "kernel/qt/AboutForm.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QUrl>

#include "kernel/AppKernel.h"
#include "kernel/SysFuncs.h"
#include "kernel/VerInfo.h"
#include "platform/qt/AnsiText.h"

namespace zemblo {

const char* const TAboutForm::kHomePage = "https://zemblo.dev/";

namespace {
// A label that opens its address in the default browser when clicked.
class TLinkLabel : public QLabel {
 public:
  TLinkLabel(const QString& url, QWidget* parent) : QLabel(url, parent), url_(url) {
    QFont f(QStringLiteral("Tahoma"), 8);
    f.setBold(true);
    f.setUnderline(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    setPalette(p);
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) QDesktopServices::openUrl(QUrl(url_));
  }

 private:
  QString url_;
};
}  // namespace

QPixmap TAboutForm::Logo(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(0, 128, 128));
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 5.0, size / 5.0);
  QFont f(QStringLiteral("Times New Roman"));
  f.setPixelSize(size * 3 / 4);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("Z"));
  return pm;
}

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Zemblo"));
  setFixedSize(360, 158);

  auto* logo = new QLabel(this);
  logo->setPixmap(Logo(37));
  logo->setGeometry(8, 8, 37, 37);

  auto* title = new QLabel(QStringLiteral("Zemblo"), this);
  QFont tf(QStringLiteral("Times New Roman"), 18);
  tf.setBold(true);
  title->setFont(tf);
  title->setGeometry(56, 6, 200, 32);

  TFileVersionInfo info(SystemFunctions ? SystemFunctions->GetExeName() : std::string());
  lbVer = new QLabel(QStringLiteral("Version ") + FromAnsi(info.FormatVersion("{MAJ}.{MIN}")), this);
  lbVer->setGeometry(58, 40, 200, 16);

  lbLink = new TLinkLabel(QString::fromLatin1(kHomePage), this);
  lbLink->setGeometry(58, 60, 240, 16);

  auto* bevel = new QFrame(this);
  bevel->setFrameShape(QFrame::HLine);
  bevel->setFrameShadow(QFrame::Sunken);
  bevel->setGeometry(8, 86, 344, 4);
  auto* note = new QLabel(QStringLiteral("This product includes PHP, freely available from https://www.php.net/"), this);
  note->setWordWrap(true);
  note->setGeometry(8, 94, 344, 30);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  ok->setGeometry(360 - 8 - 75, 158 - 8 - 25, 75, 25);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace zemblo
