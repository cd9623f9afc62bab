#include "platform/RecordDispatch.h"

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

} // namespace yov
