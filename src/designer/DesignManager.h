// The visual design page: the design surface, the object inspector and the component palette,
// created, wired together and destroyed here. The main window places the three pieces into
// its containers and drives the surface through this object.
#pragma once

#include <QPointer>
#include <string>

#include "designer/CmpPal.h"
#include "designer/OI.h"
#include "designer/WndDsgnr.h"

class QWidget;

namespace zemblo {

class TKXProject;

class TDesignManager {
 public:
  // `appPath` is the program folder (ending in PathDelim), where "cmps" holds the component
  // definitions and the palette's icons.
  TDesignManager(TKXProject& project, const std::string& appPath);
  // Palette first, then the surface, then the inspector; a piece its container has already
  // destroyed is skipped.
  ~TDesignManager();
  TDesignManager(const TDesignManager&) = delete;
  TDesignManager& operator=(const TDesignManager&) = delete;

  // Each piece fills the given container (through its layout; one is made when it has none).
  void SetDesignerPanel(QWidget* container);
  void SetInspectorPanel(QWidget* container);
  void SetPalettePanel(QWidget* container);

  // Unbinds the inspector, selects nothing and closes the designed window (every tab change).
  void CloseDesign();
  // Shows the project's WINDOW element `id` on the surface.
  void OpenWindow(const std::string& id) { designer_->OpenWindow(id); }
  // The "Move Lock" action's state.
  void SetMoveLock(bool on) { designer_->MoveLock = on; }
  // Called with the window id and the handler name when the user asks for an event handler.
  void SetOnEditHandler(TEditHandlerEvent handler) { designer_->OnEditHandler = std::move(handler); }

  TWindowDesigner& Designer() const { return *designer_; }
  TObjectInspector& Inspector() const { return *inspector_; }
  TComponentPalette& Palette() const { return *palette_; }

 private:
  QPointer<TWindowDesigner> designer_;
  QPointer<TObjectInspector> inspector_;
  QPointer<TComponentPalette> palette_;
};

}  // namespace zemblo
