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
    // Code that is about to run a nested event loop (a blocking alert, a blocking network request)
    // calls this with what it runs: while a record is being dispatched, that stalls the device link
    // (no further record is dispatched until the loop ends), so it logs one warning naming the
    // record. True when a record was being dispatched.
    static bool warnNestedLoop(const QString &what);

private:
    RecordDispatchScope *outer_;
    int major_;
    int minor_;
};

} // namespace yov
