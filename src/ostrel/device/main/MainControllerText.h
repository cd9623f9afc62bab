// The main controller's visible texts, looked up in the active token table.
#pragma once

#include "ostrel/framework/language/Lingrove.h"

#include <QString>

namespace ostrel::main_text {

inline QString tr_(const QString &english) { return Map_Name_Item_of_IndexString(english); }
inline QString tr_(const char *english) { return Map_Name_Item_of_IndexString(QString::fromUtf8(english)); }

} // namespace ostrel::main_text
