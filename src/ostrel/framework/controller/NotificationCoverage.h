#pragma once
// Which notification-table rows some controller handles. Controllers register shared tables (the
// base table, the device-function table) and each implements only the rows of its own area, so a
// row one controller lacks is a wiring fault only when no controller handles it at all.
//
// While the program starts, skipped rows are held; settle() then reports, once each, the rows no
// controller handled. After that a skipped row is reported at once unless some controller handles
// it or it was reported already.
#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QStringList>

namespace ostrel {

class NotificationCoverage {
public:
    void handled(const char *selector, const char *notification);
    void skipped(const char *controller, const char *selector, const char *notification);
    // Reports the rows skipped so far that no controller handles; later rows are judged at once.
    void settle();
    // The rows reported, as "selector notification", in the order they were reported.
    QStringList reported() const { return reported_; }

private:
    static QByteArray rowKey(const char *selector, const char *notification);
    void report(const QByteArray &row, const QByteArray &controller);

    QSet<QByteArray> handled_;
    QList<QByteArray> pendingOrder_;
    QHash<QByteArray, QByteArray> pending_; // row -> the first controller that lacked its handler
    QStringList reported_;
    bool settled_ = false;
};

} // namespace ostrel
