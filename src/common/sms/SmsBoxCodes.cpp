#include "common/sms/SmsBoxCodes.h"

namespace yov::sms {

namespace {

template <size_t N>
int codeOf(const SmsNamedCode (&table)[N], const QString &name)
{
    for (const SmsNamedCode &row : table)
        if (name == QLatin1String(row.name.data(), qsizetype(row.name.size())))
            return row.code;
    return -1;
}

template <size_t N>
QString nameOf(const SmsNamedCode (&table)[N], int code)
{
    for (const SmsNamedCode &row : table)
        if (row.code == code)
            return QString::fromLatin1(row.name.data(), qsizetype(row.name.size()));
    return {};
}

} // namespace

int smsPositionOfName(const QString &name) { return codeOf(kSmsPositionNames, name); }
QString smsPositionName(int code) { return nameOf(kSmsPositionNames, code); }
int smsBoxOfName(const QString &name) { return codeOf(kSmsBoxNames, name); }
QString smsBoxName(int code) { return nameOf(kSmsBoxNames, code); }

bool isSimOrMePosition(int code)
{
    return code == kPositionSim || code == kPositionMe;
}

QStringList smsListBoxNames(int position)
{
    QStringList boxes;
    for (int box : {kBoxInBox, kBoxOutBox, kBoxDraftBox})
        boxes << smsBoxName(box);
    if (!isSimOrMePosition(position))
        for (int box : {kBoxDeletedBox, kBoxImportantBox, kBoxBroadCastBox})
            boxes << smsBoxName(box);
    return boxes;
}

} // namespace yov::sms
