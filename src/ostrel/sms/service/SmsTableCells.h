#pragma once
// The cells of the SMS page's message table, without widgets: the text of one column of one row
// of a box list, by the box and storage position shown.
//
// Regular messages show their summary ("concatSmsInfo"); computer drafts and broadcasts are flat
// dictionaries. In the deleted and important boxes a message shows the box it came from before
// its state. A row past the end has no value; every cell of an empty list is the empty string.
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <functional>

namespace ostrel {

struct SmsCellContext {
    int box = 0;      // the box shown
    int position = 0; // the storage position shown
    QString separator = QStringLiteral(";");
    QString newStateWord;  // the state of an unread message
    QString readStateWord; // the state of a read one; empty: none shown
    // The localised word of a box's name.
    std::function<QString(int box)> boxWord;
    // The name of a number (empty when it has none to show).
    std::function<QString(const QString &number)> userName;
    // The names of separator-joined numbers.
    std::function<QString(const QString &numbers)> multiNames;
    // The operator's name for a special number, empty for an ordinary one.
    std::function<QString(const QString &number)> specialName;
    std::function<QString(const QDateTime &date)> formatDate;
};

// The value of the column ("stat", "mobilephone", "username", "date") at the row.
QVariant smsCellValue(const QVariantList &list, int row, const QString &column, const SmsCellContext &context);

// Whether a message is unread: its summary's state for a concatenated message, its part's for a
// single one.
bool smsMessageIsUnread(const QVariantMap &message);
// Whether a message is a flat dictionary (a computer draft or broadcast) rather than a regular one.
bool smsIsFlatMessage(const QVariantMap &message);
// Marks a message read: the part of a single one, the summary and every part of a concatenated
// one whose summary is unread. False when it was not unread.
bool smsMarkMessageRead(QVariantMap &message);
// The text of a list-file message: the summary's for a long message, else its part's (or its own).
QString smsMessageText(const QVariantMap &message);
// A field of a list-file message: the summary's for a long message, else its (first) part's.
QString smsMessageField(const QVariantMap &message, const QString &key);
// The box a message came from before the deleted (4) or important (5) box; the box itself otherwise.
int smsShownBoxOf(const QVariantMap &message, int box);

} // namespace ostrel
