#include "ostrel/sms/service/SmsDeliveryReportBox.h"

#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "common/sms/YOVMessageModelManager.h"

#include <QFileInfo>
#include <QLoggingCategory>

namespace ostrel {

Q_LOGGING_CATEGORY(lcSmsReports, "ostrel.sms.reports")

using yov::sms::YOVMessageDeliveryReport;
using yov::sms::YOVMessageModelManager;

QList<YOVMessageDeliveryReport> SmsDeliveryReportBox::readDeliveryReportBox(const QString &path, const DateFormatter &format)
{
    QList<YOVMessageDeliveryReport> out;
    if (!QFileInfo::exists(path))
        return out;
    QString why;
    const auto root = yov::PlistBridge::readFile(path, &why);
    if (!root || root->typeId() != QMetaType::QVariantList) {
        qCWarning(lcSmsReports).noquote() << "the report box" << path << "is not read:" << (root ? QStringLiteral("not an array") : why);
        return out;
    }
    const YOVMessageModelManager &model = YOVMessageModelManager::sharedYOVMessageModelManagerInstance();
    for (const QVariant &entry : root->toList()) {
        if (entry.typeId() != QMetaType::QVariantMap)
            continue;
        YOVMessageDeliveryReport report = model.yOVMessageDeliveryReportWithdeliveryReportFileStruct(entry.toMap());
        report.setDateString(format ? format(report.date()) : report.dateFormatString());
        out.append(report);
    }
    return out;
}

bool SmsDeliveryReportBox::writeToDeliveryReportBox(const QString &path, const QList<YOVMessageDeliveryReport> &reports,
                                                    QString *error)
{
    const YOVMessageModelManager &model = YOVMessageModelManager::sharedYOVMessageModelManagerInstance();
    QVariantList list;
    for (const YOVMessageDeliveryReport &report : reports)
        list.append(model.deliveryReportFileStructWithYOVMessageDeliveryReport(report));
    QString why;
    if (yov::PlistBridge::writeFile(path, list, &why))
        return true;
    qCWarning(lcSmsReports).noquote() << "the report box" << path << "is not written:" << why;
    if (error)
        *error = why;
    return false;
}

QString SmsDeliveryReportBox::reportText(int result, const QString &number, const std::function<QString(const QString &)> &word)
{
    const QString head = result == 1 ? QStringLiteral("Successful to send message(s) to:")
                                     : QStringLiteral("Failed to send message(s) to:");
    return (word ? word(head) : head) + number;
}

} // namespace ostrel
