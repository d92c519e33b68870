// The control property helper on Qt: the piece every designed control carries. It keeps the
// control's properties (copied from its CONTROL element), applies the general ones (position,
// size, anchors, background colour, font) and holds the two callbacks through which a control
// reaches the rest of the program. IKXControl is how the factory, the designer and the loader
// talk to any control without knowing its class.
#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "window/Bitmap.h"
#include "window/KXProps.h"

class QWidget;

namespace zemblo {

class TXMLNode;

// Borrowed, never owning: the control owns its helper, which implements this.
class IKXControl {
 public:
  // The type name: "Box", "Button", ...
  virtual std::string GetType() const = 0;
  // Replaces the properties by the element's attributes, applies position, size, anchors,
  // background colour and font, then makes the control pick up its own properties (caption,
  // image, text) and repaint. The element is not kept.
  virtual void Load(const TXMLNode& node) = 0;
  // Stores one property and makes the control pick up its own properties and repaint. The
  // general properties are applied again only by the next Load.
  virtual void SetProperty(std::string_view name, std::string_view value) = 0;
  virtual void SetOnEvent(TKXEventProc proc) = 0;
  virtual void SetOnGetFile(TKXGetFileFunc func) = 0;

 protected:
  ~IKXControl() = default;
};

class TKXControl;

class TKXCtlHlp final : public QObject, public IKXControl {
  Q_OBJECT

 public:
  // `owner` is the control's widget; `control` the same object seen as a designed control.
  TKXCtlHlp(QWidget* owner, TKXControl* control, std::string typeName);
  ~TKXCtlHlp() override;

  std::string GetType() const override { return typeName_; }
  void Load(const TXMLNode& node) override;
  void SetProperty(std::string_view name, std::string_view value) override;
  void SetOnEvent(TKXEventProc proc) override { onEvent_ = std::move(proc); }
  void SetOnGetFile(TKXGetFileFunc func) override { onGetFile_ = std::move(func); }

  std::string GetProp(std::string_view name) const { return props_.Get(name); }
  const TKXPropList& Props() const { return props_; }
  const TKXEventProc& OnEvent() const { return onEvent_; }
  const TKXGetFileFunc& OnGetFile() const { return onGetFile_; }

  // The three steps of Load, in this order.
  void ApplyBounds();
  void ApplyColor();
  void ApplyFont();
  TKXAnchors Anchors() const { return anchors_; }

  // Whether the designer is designing this control (the toolkit's design state). The
  // designer sets it on every control of the designed window, best with SetDesignState.
  // While it is on the control has Qt::NoFocus, so a press never takes the focus from the
  // design surface, and the text control draws its dashed outline. Turning it off gives the
  // control its own focus policy back. The controls never change their focus policy
  // themselves.
  bool Designing() const { return designing_; }
  void SetDesigning(bool on);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Anchors: Qt has none, so the helper keeps them. The rule is the control's geometry at a
  // moment when its parent had ruleParentSize_; a resize of the parent moves the right and
  // bottom edges that are anchored by the parent's growth since then (both edges anchored:
  // the control stretches; only the far edge: it moves). When something other than the
  // anchors moved the control since we last placed it (lastPlaced_), that place becomes the
  // new rule.
  void RecordAnchorRule();
  void FollowParent();
  void WatchParent(QWidget* parent);

  QWidget* owner_;
  TKXControl* control_;
  const std::string typeName_;
  TKXPropList props_;
  TKXEventProc onEvent_;
  TKXGetFileFunc onGetFile_;
  bool designing_ = false;
  Qt::FocusPolicy ownFocusPolicy_ = Qt::NoFocus;

  TKXAnchors anchors_;
  QPointer<QWidget> watchedParent_;
  QRect ruleGeometry_;
  QSize ruleParentSize_;
  QSize lastParentSize_;
  QRect lastPlaced_;
};

// The common part of the seven control classes (mixed into each beside its Qt widget). It
// creates the helper and gives the classes their two hooks.
class TKXControl {
 public:
  virtual ~TKXControl();
  TKXCtlHlp& Helper() const { return *hlp_; }
  IKXControl& KXControl() const { return *hlp_; }

  // The repaint request: Load and SetProperty end here. A class picks up its own properties
  // ("text", "bgImage", ...) and schedules a repaint.
  virtual void RepaintRequest();
  // The background colour from "bgColor"; nullopt for the class's own default colour (the
  // colour text named no colour). By default the widget fills its background role with it.
  virtual void ApplyBackgroundColor(const std::optional<QColor>& color);

 protected:
  // `className` is the class's own name (staticMetaObject.className()); the type name is
  // taken from it.
  TKXControl(QWidget* self, const char* className);
  QWidget* Self() const { return self_; }
  std::string Prop(std::string_view name) const { return hlp_->GetProp(name); }

 private:
  QWidget* self_;
  std::unique_ptr<TKXCtlHlp> hlp_;
};

// The designed-control interface of any widget, or null for a widget that is not one.
IKXControl* QueryKXControl(QWidget* widget);
// The helper of any widget, or null.
TKXCtlHlp* KXHelperOf(QWidget* widget);

// Puts `root` and every designed control inside it into the design state, or takes them out.
void SetDesignState(QWidget* root, bool on);

// A colour value as Qt wants it; nullopt for clNone.
std::optional<QColor> ToQColor(TColor color);
// Sets `role` of the widget's palette to the colour, or back to the application's default for
// that widget when there is none.
void SetPaletteColor(QWidget* widget, int role, const std::optional<QColor>& color);

// A view of decoded pixels for drawing; it borrows the buffer, so it lives no longer than
// `bitmap`.
QImage WrapBitmap(const TBitmapData& bitmap);

}  // namespace zemblo
