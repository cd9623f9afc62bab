#pragma once
// Dotted IPv4 text as the user types it into an address field: exactly four parts separated by
// dots, each one to three decimal digits with a value of at most 255 ("10.0.0.1", "010.0.0.1").
// Nothing else counts: no blanks, signs, missing parts or fifth part.

#include <QString>

namespace yov {

bool isDottedQuad(const QString &text);

} // namespace yov
