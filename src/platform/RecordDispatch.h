#pragma once
// Which device-service record the main thread is handing to its handlers right now.
//
// The message center opens a RecordDispatchScope around each record it dispatches. Code that must
// not stall the device link while a record is handled (a blocking alert runs a nested event loop)
// asks RecordDispatchScope::current() and names the record when there is one.
#include <QString>

namespace yov {

class RecordDispatchScope {
public:
    // The record's message ID (major, minor).
    RecordDispatchScope(int major, int minor);
    ~RecordDispatchScope();
    RecordDispatchScope(const RecordDispatchScope &) = delete;
    RecordDispatchScope &operator=(const RecordDispatchScope &) = delete;

    // Whether a record is being dispatched on this thread.
    static bool active();
    // The innermost record being dispatched on this thread ("7/35"); empty when none.
    static QString current();

private:
    RecordDispatchScope *outer_;
    int major_;
    int minor_;
};

} // namespace yov
