#include "platform/RecordDispatch.h"

namespace yov {

namespace {
thread_local RecordDispatchScope *t_innermost = nullptr;
} // namespace

RecordDispatchScope::RecordDispatchScope(const QString &record) : outer_(t_innermost), record_(record)
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
    return t_innermost ? t_innermost->record_ : QString();
}

} // namespace yov
