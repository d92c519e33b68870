// The one place where our byte strings meet QString: Windows-1252, one byte per character.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zemblo {

QString FromAnsi(std::string_view bytes);
// Characters outside Windows-1252 become "?".
std::string ToAnsi(const QString& text);
QChar AnsiChar(unsigned char byte);

}  // namespace zemblo
