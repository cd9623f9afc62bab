#include "ostrel/sms/service/SmsListNames.h"

#include "common/ValueConversion.h"
#include "common/sms/SmsBoxCodes.h"

#include <QVariantMap>

namespace ostrel {

void setUserNameAndIndexToSMSBoxList(QVariantList &list, int box, int position, const SmsNameLookup &name,
                                     const SmsNameLookup &multiName)
{
    const bool computerDraft = box == yov::sms::kBoxDraftBox && !yov::sms::isSimOrMePosition(position);
    const QString userName = QStringLiteral("username");
    const QString summaryKey = QStringLiteral("concatSmsInfo");
    for (int i = 0; i < list.size(); ++i) {
        QVariantMap message = yov::nsDict(list.at(i));
        QVariantMap summary = yov::nsDict(message.value(summaryKey));
        const bool hasSummary = message.value(summaryKey).typeId() == QMetaType::QVariantMap;
        if (computerDraft) {
            const QString found = multiName ? multiName(yov::nsString(message.value(QStringLiteral("mobilephone")))) : QString();
            if (!found.isNull()) {
                message.insert(userName, found);
                if (hasSummary) {
                    summary.insert(userName, found);
                    message.insert(summaryKey, summary);
                }
            }
        } else if (hasSummary) {
            const QString found = name ? name(yov::nsString(summary.value(QStringLiteral("mobilephone")))) : QString();
            if (!found.isNull()) {
                summary.insert(userName, found);
                message.insert(summaryKey, summary);
            }
        }
        message.insert(QStringLiteral("index"), i);
        list[i] = message;
    }
}

QStringList splitSmsRecipients(const QString &text, const QString &separator)
{
    if (separator.isEmpty())
        return text.isEmpty() ? QStringList() : QStringList{text};
    return text.split(separator, Qt::SkipEmptyParts);
}

} // namespace ostrel
