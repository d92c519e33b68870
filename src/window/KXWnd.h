// The window form that shows a WINDOW element: caption, background colour and a background
// bitmap from the project's "images\" folder. Its controls are placed into it by whoever
// builds it (the designer, the loader), with TKXControls.
#pragma once

#include <QWidget>
#include <memory>

#include "window/Bitmap.h"
#include "window/KXProps.h"

namespace zemblo {

class TXMLNode;

class TKXWindow : public QWidget {
  Q_OBJECT

 public:
  explicit TKXWindow(QWidget* parent = nullptr);
  ~TKXWindow() override;

  // Must come before LoadFromNode for the image to load.
  void SetOnGetFile(TKXGetFileFunc func) { onGetFile_ = std::move(func); }
  const TKXGetFileFunc& OnGetFile() const { return onGetFile_; }

  // Takes "title", "bgColor" and "bgImage" from the element; an empty value leaves the
  // earlier caption, colour or image. A named image that cannot be read keeps the earlier
  // one; one that is not a valid bitmap leaves the window without an image. Position and
  // size are not taken from the element: the designer and the loader set them.
  void LoadFromNode(const TXMLNode& node);

  const TBitmapData* BackgroundImage() const { return image_.get(); }

 protected:
  // The form's background, then the image at (0, 0) in its own size.
  void paintEvent(QPaintEvent* event) override;

 private:
  TKXGetFileFunc onGetFile_;
  std::unique_ptr<TBitmapData> image_;
};

}  // namespace zemblo
