#include "window/KXCtlLogic.h"

#include <algorithm>

#include "platform/Text.h"

namespace zemblo {

std::string ButtonEventCode(std::string_view handler) {
  return "<?php A()->WndEvent(\"" + std::string(handler) + "\"); ?>";
}

std::string TextControlContent(const TKXPropList& props, const TKXGetFileFunc& getFile) {
  std::string file = props.Get("textFile");
  if (file.empty()) return props.Get("text");
  return getFile ? getFile("files\\" + file) : std::string();
}

std::vector<std::string> SplitTextLines(std::string_view content) {
  std::vector<std::string> lines;
  do {
    size_t cr = content.find('\r');
    if (cr == std::string_view::npos) {
      lines.emplace_back(content);
      content = {};
    } else {
      lines.emplace_back(content.substr(0, cr));
      content.remove_prefix(std::min(content.size(), cr + 2));
    }
  } while (!content.empty());
  return lines;
}

int TextShadowOffset(std::string_view value) {
  auto s = TryStrToInt(value);
  return s && *s > 0 ? *s : 0;
}

bool TextCentered(std::string_view value) { return SameText(value, "center"); }

std::unique_ptr<TBitmapData> LoadProjectImage(std::string_view name, const TKXGetFileFunc& getFile) {
  if (name.empty() || !getFile) return nullptr;
  std::string data = getFile("images\\" + std::string(name));
  if (data.empty()) return nullptr;
  try {
    return std::make_unique<TBitmapData>(DecodeBitmap(data));
  } catch (const EInvalidBitmap&) {
    // A broken picture in a project must not stop the window from showing.
    return nullptr;
  }
}

bool TKXImageSlot::Reload(std::string_view name, const TKXGetFileFunc& getFile) {
  if (SameText(name, name_)) return false;
  bool had = image_ != nullptr;
  image_.reset();
  name_.clear();
  image_ = LoadProjectImage(name, getFile);
  if (image_) name_ = name;
  return had || image_;
}

}  // namespace zemblo
