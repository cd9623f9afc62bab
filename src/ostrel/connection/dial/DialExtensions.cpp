#include "ostrel/connection/dial/DialExtensions.h"

namespace ostrel {

QString DefaultDialExtensions::autoChangeKBDataToMBGBUnit(double kb) const
{
    return QStringLiteral("%1 KB").arg(QString::number(kb < 0 ? 0.0 : kb, 'f', 2));
}

} // namespace ostrel
