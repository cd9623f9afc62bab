#include "common/BuildInfo.h"

#include "BuildVersion.h"

namespace yov {

QString BuildInfo::version()
{
    return QStringLiteral(OSTREL_VERSION);
}

QString BuildInfo::internalRevision()
{
    return QStringLiteral(OSTREL_REVISION);
}

} // namespace yov
