#pragma once
// Filling placeholders of localised or configured texts without printf.
//
// Texts that come from token lists or from settings.plist are data, never printf formats: a stray
// "%s" or "%n" in them must not read or write memory. formatPlaceholders() walks the text once and
// puts the arguments, in order, where the placeholders stand:
//   "%@", "%d", "%i", "%u", "%s", "%ld", "%lu", "%lld", "%llu"  the next argument, as given
//   "%%"                                                          one "%"
// Any other "%" sequence is kept as it stands. A placeholder without an argument left becomes empty
// text; arguments beyond the placeholders are ignored. Inserted arguments are never scanned again.

#include <QString>
#include <QStringList>

namespace yov {

QString formatPlaceholders(const QString &format, const QStringList &args);

} // namespace yov
