#include "ostrel/framework/controller/NotificationCoverage.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcController)

namespace ostrel {

QByteArray NotificationCoverage::rowKey(const char *selector, const char *notification)
{
    return QByteArray(selector) + ' ' + QByteArray(notification);
}

void NotificationCoverage::handled(const char *selector, const char *notification)
{
    const QByteArray row = rowKey(selector, notification);
    handled_.insert(row);
    pending_.remove(row);
}

void NotificationCoverage::skipped(const char *controller, const char *selector, const char *notification)
{
    const QByteArray row = rowKey(selector, notification);
    if (handled_.contains(row) || reported_.contains(QString::fromLatin1(row)))
        return;
    if (settled_) {
        report(row, controller);
        return;
    }
    if (!pending_.contains(row)) {
        pending_.insert(row, controller);
        pendingOrder_.append(row);
    }
}

void NotificationCoverage::settle()
{
    settled_ = true;
    for (const QByteArray &row : std::as_const(pendingOrder_)) {
        if (pending_.contains(row))
            report(row, pending_.value(row));
    }
    pending_.clear();
    pendingOrder_.clear();
}

void NotificationCoverage::report(const QByteArray &row, const QByteArray &controller)
{
    reported_.append(QString::fromLatin1(row));
    const qsizetype space = row.indexOf(' ');
    qCDebug(lcController).nospace() << "no controller handles " << row.left(space).constData() << " for "
                                    << row.mid(space + 1).constData() << " (first lacked by " << controller.constData()
                                    << "): skipped";
}

} // namespace ostrel
