#include "kernel/qt/ConfigManager.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "kernel/VantrelINI.h"
#include "platform/Color.h"
#include "platform/qt/AnsiText.h"

namespace zemblo {

namespace {
struct TNamedColor {
  const char* Name;
  TColor Color;
};
const TNamedColor kColors[] = {
    {"Black", RGB(0, 0, 0)},         {"Maroon", RGB(128, 0, 0)},    {"Green", RGB(0, 128, 0)},
    {"Olive", RGB(128, 128, 0)},     {"Navy", RGB(0, 0, 128)},      {"Purple", RGB(128, 0, 128)},
    {"Teal", RGB(0, 128, 128)},      {"Gray", RGB(128, 128, 128)},  {"Silver", RGB(192, 192, 192)},
    {"Red", RGB(255, 0, 0)},         {"Lime", RGB(0, 255, 0)},      {"Yellow", RGB(255, 255, 0)},
    {"Blue", RGB(0, 0, 255)},        {"Fuchsia", RGB(255, 0, 255)}, {"Aqua", RGB(0, 255, 255)},
    {"White", RGB(255, 255, 255)},
};
}  // namespace

TColorComboBox::TColorComboBox(QWidget* parent) : QComboBox(parent) {
  for (const auto& c : kColors) {
    QPixmap swatch(12, 12);
    swatch.fill(QColor(GetRValue(c.Color), GetGValue(c.Color), GetBValue(c.Color)));
    addItem(QIcon(swatch), QString::fromLatin1(c.Name), QVariant(c.Color));
  }
}

int TColorComboBox::SelectedColor() const { return currentIndex() < 0 ? 0 : currentData().toInt(); }

void TColorComboBox::SetSelectedColor(int color) {
  int at = findData(QVariant(color));
  if (at < 0) {
    // A colour without a name gets an entry of its own, so it survives a load and a store.
    addItem(QStringLiteral("$%1").arg(color, 6, 16, QLatin1Char('0')).toUpper(), QVariant(color));
    at = count() - 1;
  }
  setCurrentIndex(at);
}

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), group_(new QButtonGroup(this)) {
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < items.size(); ++i) {
    auto* b = new QRadioButton(items[i], this);
    group_->addButton(b, i);
    layout->addWidget(b);
  }
}

int TRadioGroup::ItemIndex() const { return group_->checkedId(); }

void TRadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* b = group_->button(index)) {
    b->setChecked(true);
  } else if (QAbstractButton* on = group_->checkedButton()) {
    group_->setExclusive(false);
    on->setChecked(false);
    group_->setExclusive(true);
  }
}

void TConfigManager::LoadControls() {
  for (const auto& [key, control] : Bindings) {
    // The radio button is tested before the check box: both are buttons that can be checked.
    if (auto* r = qobject_cast<QRadioButton*>(control)) r->setChecked(settings_.GetBool(key));
    else if (auto* c = qobject_cast<QCheckBox*>(control)) c->setChecked(settings_.GetBool(key));
    else if (auto* cc = qobject_cast<TColorComboBox*>(control)) cc->SetSelectedColor(settings_.GetInt(key));
    else if (auto* rg = qobject_cast<TRadioGroup*>(control)) rg->SetItemIndex(settings_.GetInt(key));
    else if (auto* m = qobject_cast<QPlainTextEdit*>(control)) m->setPlainText(FromAnsi(settings_.GetValue(key)));
    else if (auto* t = qobject_cast<QTextEdit*>(control)) t->setPlainText(FromAnsi(settings_.GetValue(key)));
    else if (auto* e = qobject_cast<QLineEdit*>(control)) e->setText(FromAnsi(settings_.GetValue(key)));
  }
}

namespace {
// A settings value holds no line break (it would end the entry in the file and turn the rest
// into entries of their own), so a memo's lines are stored joined by blanks.
std::string OneLine(const QString& text) {
  QString s = text;
  s.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
  s.replace(QLatin1Char('\r'), QLatin1Char(' '));
  s.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return ToAnsi(s);
}
}  // namespace

void TConfigManager::StoreControls() {
  for (const auto& [key, control] : Bindings) {
    if (auto* r = qobject_cast<QRadioButton*>(control)) settings_.SetBool(key, r->isChecked());
    else if (auto* c = qobject_cast<QCheckBox*>(control)) settings_.SetBool(key, c->isChecked());
    else if (auto* cc = qobject_cast<TColorComboBox*>(control)) settings_.SetInt(key, cc->SelectedColor());
    else if (auto* rg = qobject_cast<TRadioGroup*>(control)) settings_.SetInt(key, rg->ItemIndex());
    else if (auto* m = qobject_cast<QPlainTextEdit*>(control)) settings_.SetValue(key, OneLine(m->toPlainText()));
    else if (auto* t = qobject_cast<QTextEdit*>(control)) settings_.SetValue(key, OneLine(t->toPlainText()));
    else if (auto* e = qobject_cast<QLineEdit*>(control)) settings_.SetValue(key, ToAnsi(e->text()));
  }
}

}  // namespace zemblo
