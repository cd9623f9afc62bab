#pragma once
#include <QLoggingCategory>

namespace ostrel {
Q_DECLARE_LOGGING_CATEGORY(lcProfile)
}
