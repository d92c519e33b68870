// What the seven control classes decide beyond the general properties, kept apart from Qt:
// the button's event line, the text control's lines and the box's image reload.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "window/Bitmap.h"
#include "window/KXProps.h"

namespace zemblo {

// The PHP line a button hands to OnEvent for its "onClick" handler:
// <?php A()->WndEvent("<handler>"); ?>  The name goes in as it is stored, unquoted.
std::string ButtonEventCode(std::string_view handler);

// Text control. The text it draws: the file "files\" + "textFile" through getFile when
// "textFile" is set (nothing without a getFile), else "text".
std::string TextControlContent(const TKXPropList& props, const TKXGetFileFunc& getFile);
// The content cut into lines, at least one: a line ends at a CR, and the byte after the CR
// (the LF of a CR LF) is dropped with it. A lone LF stays part of its line.
std::vector<std::string> SplitTextLines(std::string_view content);
// The shadow offset of "textShadow": the integer when it is greater than 0, else 0 (none).
int TextShadowOffset(std::string_view value);
// "textHAlign" is "center" in any letter case.
bool TextCentered(std::string_view value);
// Left edge of a centred line: (width - lineWidth) / 2 truncated toward zero, so negative
// when the line is wider than the control.
inline int CenteredX(int width, int lineWidth) { return (width - lineWidth) / 2; }

// A background image loaded from the project's "images\" folder by name, as a box keeps it.
class TKXImageSlot {
 public:
  // The box's rule: nothing happens when `name` equals the loaded name (without regard to
  // ASCII case; two empty names are equal). Otherwise the image is dropped and, when there
  // is a name and a getFile, "images\" + name is read and decoded. A missing file or one
  // that is not a valid bitmap leaves no image and no name, so the next call tries again.
  // Returns whether the image or its name changed.
  bool Reload(std::string_view name, const TKXGetFileFunc& getFile);

  const TBitmapData* Image() const { return image_.get(); }
  const std::string& Name() const { return name_; }

 private:
  std::unique_ptr<TBitmapData> image_;
  std::string name_;  // empty whenever image_ is null
};

// Reads and decodes "images\" + name; null when there is no name, no getFile, no such file,
// or the data is not a valid bitmap.
std::unique_ptr<TBitmapData> LoadProjectImage(std::string_view name, const TKXGetFileFunc& getFile);

}  // namespace zemblo
