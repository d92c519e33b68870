#include "designer/DesignManager.h"

#include <QLayout>
#include <QVBoxLayout>

namespace zemblo {

namespace {

void PlaceInto(QWidget* piece, QWidget* container) {
  if (!container->layout()) {
    auto* layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
  }
  container->layout()->addWidget(piece);
  piece->show();
}

}  // namespace

TDesignManager::TDesignManager(TKXProject& project, const std::string& appPath) {
  designer_ = new TWindowDesigner(project);
  inspector_ = new TObjectInspector(appPath);
  inspector_->OnChange = [d = designer_](TObjectInspector&) {
    if (d) d->ApplySelected();
  };
  designer_->SetInspector(inspector_);
  palette_ = new TComponentPalette(appPath);
  // The release's own position: the cursor's place when the button came up.
  palette_->OnDrop = [d = designer_](TComponentPalette& p) {
    if (d) d->CreateControlAt(p.SelectedType, p.DropPos());
  };
}

TDesignManager::~TDesignManager() {
  delete palette_.data();
  delete designer_.data();
  delete inspector_.data();
}

void TDesignManager::SetDesignerPanel(QWidget* container) { PlaceInto(designer_, container); }
void TDesignManager::SetInspectorPanel(QWidget* container) { PlaceInto(inspector_, container); }
void TDesignManager::SetPalettePanel(QWidget* container) { PlaceInto(palette_, container); }

void TDesignManager::CloseDesign() {
  if (inspector_) inspector_->Bind(nullptr);
  if (!designer_) return;
  designer_->Select(nullptr);
  designer_->CloseWindow();
}

}  // namespace zemblo
