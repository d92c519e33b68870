#include "editorview/SyntaxHL.h"

namespace zemblo {

THighlightLineEvent TSyntaxHighLight::Hook() {
  return [this](TAdvancedEditor* sender, const std::string& text, int line, const TSelAttrs& selFlags,
                TLineAttrs& attrs) { HighlightLine(sender, text, line, selFlags, attrs); };
}

}  // namespace zemblo
