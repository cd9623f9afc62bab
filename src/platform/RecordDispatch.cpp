#include "platform/RecordDispatch.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcDispatch, "yov.dispatch")

namespace yov {

namespace {
thread_local RecordDispatchScope *t_innermost = nullptr;
} // namespace

RecordDispatchScope::RecordDispatchScope(int major, int minor) : outer_(t_innermost), major_(major), minor_(minor)
{
    t_innermost = this;
}

RecordDispatchScope::~RecordDispatchScope()
{
    t_innermost = outer_;
}

bool RecordDispatchScope::active()
{
    return t_innermost != nullptr;
}

QString RecordDispatchScope::current()
{
    return t_innermost ? QStringLiteral("%1/%2").arg(t_innermost->major_).arg(t_innermost->minor_) : QString();
}

bool RecordDispatchScope::warnNestedLoop(const QString &what)
{
    if (!active())
        return false;
    qCWarning(lcDispatch).noquote()
        << QStringLiteral("%1 raised while device record %2 is being handled: the device link stands still until it "
                          "ends (use the non-blocking form)")
               .arg(what, current());
    return true;
}

} // namespace yov
