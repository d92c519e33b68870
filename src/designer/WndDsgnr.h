// The design surface: a live copy of one WINDOW element of the project's tree, built with the
// control factory, in which the user selects, moves and resizes controls, deletes them and
// asks for event handlers. The tree is the single source of truth: every edit is written into
// the element at once, and adding or deleting a control rebuilds the live copy from the tree.
//
// The design state is an event filter (TDesignerHook) on the designed window and on every
// widget inside it: the listed mouse and key input never reaches a designed control, and the
// surface takes the keyboard focus at every press, so keys reach only the surface.
#pragma once

#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "window/KXCtls.h"
#include "window/KXWnd.h"

namespace zemblo {

class TControlSizer;
class TDesignerHook;
class TKXProject;
class TObjectInspector;
class TXMLNode;

// Every live designed window and control carries the element it was built from (the
// toolkit's tag); a widget without one does not belong to a designed window.
TXMLNode* ElementOf(const QWidget* widget);
void SetElementOf(QWidget* widget, TXMLNode* element);

// The window id and the handler name with its parentheses ("NewWnd01", "Ctl_Ok_onClick()").
using TEditHandlerEvent = std::function<void(const std::string& windowId, const std::string& handler)>;

class TWindowDesigner : public QWidget {
  Q_OBJECT

 public:
  // The event menu's one item.
  static constexpr const char* kEventCaption = "onClick()";

  // The project's tree is the one edited; its files feed the controls' images and texts.
  explicit TWindowDesigner(TKXProject& project, QWidget* parent = nullptr);
  ~TWindowDesigner() override;

  // The "id" of the window being designed; empty before the first OpenWindow.
  const std::string& WindowId() const { return windowId_; }
  TKXWindow* DesignedWindow() const { return window_; }
  // The selected control, the designed window itself, or null.
  QWidget* Selection() const { return selection_; }
  TControlSizer* Sizer() const { return sizer_.get(); }
  TKXControls& Factory() { return factory_; }
  QMenu& PopupMenu() { return *popup_; }
  // Told of every change of selection; not owned.
  void SetInspector(TObjectInspector* inspector) { inspector_ = inspector; }

  // While on, dragging does not move the selection; the handles still resize it.
  bool MoveLock = false;
  TEditHandlerEvent OnEditHandler;

  // Shows the WINDOW element `id` of the project's tree (nothing when there is none, with
  // WindowId unchanged).
  void OpenWindow(const std::string& id);
  void CloseWindow();
  // Null selects nothing.
  void Select(QWidget* control);
  void Reload();
  // Left and top edge of the selection in its container; written as "X" and "Y".
  void MoveSelected(int x, int y);
  // The sizer changed the selection: its bounds go into the element as "W" "H" "X" "Y".
  void StoreBounds(TControlSizer& sizer);
  // Loads the selection's element into it again (after the inspector stored a value).
  void ApplySelected();
  // A drop from the palette at the cursor.
  void CreateControlAtCursor(const std::string& type);
  // A drop at `globalPos`: a new CONTROL of `type` as the last child of the element of the
  // designed window or control under that point, at the point minus the drop offset; then
  // Reload. A point outside the designed window adds nothing.
  void CreateControlAt(const std::string& type, QPoint globalPos);
  // Finds or makes the selection's handler name for the event and reports it through
  // OnEditHandler.
  void EditHandler(const std::string& eventCaption);
  // The one-item event menu at `globalPos` (the cursor when not given).
  void ShowPopup();
  void ShowPopup(QPoint globalPos);
  // Delete with a selection: its element with everything inside it leaves the tree (the
  // window's own element when the window is selected), then Reload.
  void DeleteSelected();

  // The designed window or control that `widget` belongs to: itself or its nearest
  // ancestor carrying an element, within the designed window; null for anything else.
  QWidget* DesignedControlOf(QWidget* widget) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  friend class TDesignerHook;

  // Destroys the live copy. While the hook is handling an input event of one of its widgets
  // (a double click whose handler request makes the main window close the design), the copy
  // is only hidden now and destroyed once the event is over.
  void DestroyWindow();
  // The inspector shows the selection's element again after a move, a resize or a new
  // handler name.
  void ShowStoredValues();

  TKXProject& project_;
  std::string windowId_;
  QPointer<TKXWindow> window_;
  std::unique_ptr<TDesignerHook> hook_;
  QPointer<QWidget> selection_;
  std::unique_ptr<TControlSizer> sizer_;
  std::unique_ptr<QMenu> popup_;
  TKXControls factory_;
  QPointer<TObjectInspector> inspector_;
};

// The designer's side of the design state: the event filter on the designed window and
// every widget in it. It consumes every key event and every mouse move, press, release,
// double click and wheel turn (and the context menu request that follows a right click),
// whether it acts on them or not; everything else passes.
class TDesignerHook : public QObject {
  Q_OBJECT

 public:
  explicit TDesignerHook(TWindowDesigner& designer);

  // Whether an input event of a designed widget is being handled right now.
  bool Busy() const { return busy_ > 0; }
  bool Dragging() const { return dragging_; }

  // The notifications of the toolkit's designer interface. Nothing in this program needs
  // them; each only writes its line ("TDesignerHook.Modified!", ...) to the diagnostic log.
  void Modified();
  void Notification();
  void* GetCustomForm();
  void SetCustomForm();
  bool GetIsControl();
  void SetIsControl();
  void PaintGrid();
  void ValidateRename();
  void UniqueName();
  void* GetRoot();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Acts on a consumed mouse event of `sender`.
  void Mouse(QWidget* sender, QEvent* event);

  TWindowDesigner& designer_;
  int busy_ = 0;
  bool dragging_ = false;
  QPoint pressPos_;   // global cursor position at the last left press
  QPoint pressTopLeft_;  // the selection's left and top edges then
};

}  // namespace zemblo
