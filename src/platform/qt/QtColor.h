// Our colour values (red in the low byte) as Qt colours.
#pragma once

#include <QColor>

#include "platform/Color.h"

namespace zemblo {

inline QColor ToQtColor(TColor c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

}  // namespace zemblo
