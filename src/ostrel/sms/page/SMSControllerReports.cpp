// The delivery-report box of the computer (box 3): its file, its cells, reading and deleting.
#include "ostrel/sms/page/SMSController.h"

#include "common/ValueConversion.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/YOVMessageModelManager.h"
#include "ostrel/framework/config/ConfigFileKeys.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/WordingOperation.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/sms/page/SmsBoxView.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/service/SmsDeliveryReportBox.h"

#include <QTextBrowser>

namespace ostrel {

void SMSController::readDeliveryReportBox()
{
    if (!smsSwitch("isHaveDeliveryReportBox"))
        return;
    deliveryReportArray_ = SmsDeliveryReportBox::readDeliveryReportBox(
        config().configFilePathOfKey(configkeys::kCMSMSListOfReportBoxFile),
        [this](const QDateTime &date) { return formatStringFromDate(date); });
}

void SMSController::writeToDeliveryReportBox()
{
    QString why;
    if (!SmsDeliveryReportBox::writeToDeliveryReportBox(config().configFilePathOfKey(configkeys::kCMSMSListOfReportBoxFile),
                                                        deliveryReportArray_, &why))
        qCWarning(lcSmsPage).noquote() << "the delivery reports were not saved:" << why;
}

bool SMSController::isPcDeliveryReportBox() const
{
    return boxView_ && getCurrentBox() == yov::sms::kBoxDeliveryReport && getCurrentPosition() == yov::sms::kPositionPc;
}

QVariantList SMSController::deliveryReportRows() const
{
    const yov::sms::YOVMessageModelManager &model = yov::sms::YOVMessageModelManager::sharedYOVMessageModelManagerInstance();
    QVariantList rows;
    for (const yov::sms::YOVMessageDeliveryReport &report : deliveryReportArray_)
        rows << model.deliveryReportFileStructWithYOVMessageDeliveryReport(report);
    return rows;
}

void SMSController::markDeliveryReportRead(int row)
{
    if (row < 0 || row >= deliveryReportArray_.size() || yov::nsInt(deliveryReportArray_.at(row).status()) != 0)
        return;
    deliveryReportArray_[row].setStatus(1);
    writeToDeliveryReportBox();
}

QVariant SMSController::setSmsTableValueOfDeliveryReport(const QString &column, int row) const
{
    if (deliveryReportArray_.isEmpty())
        return QString();
    if (row < 0 || row >= deliveryReportArray_.size())
        return QVariant();
    const yov::sms::YOVMessageDeliveryReport &report = deliveryReportArray_.at(row);
    if (column == QLatin1String("stat"))
        return yov::nsInt(report.status()) == 0
                   ? WordingOperation::getDisplayWordingValueByWordingKey(QStringLiteral("SMS_tableColumnStat_NewSmsState"))
                   : QString();
    if (column == QLatin1String("mobilephone"))
        return report.receiveMobilephone();
    if (column == QLatin1String("username"))
        return getUserNameWithPhoneNum(report.receiveMobilephone());
    if (column == QLatin1String("date"))
        return report.dateString();
    return QVariant();
}

void SMSController::deleteDeliveryReport()
{
    if (!smsSwitch("isHaveDeliveryReportBox"))
        return;
    NSBeginAlertPanelExt(word(QStringLiteral("Warning")), word(QStringLiteral("Are you sure you want to delete the message(s)?")),
                         word(QStringLiteral("OK")), word(QStringLiteral("Cancel")), [this](int answer) {
                             const QList<int> rows = selectedRows();
                             if (answer != 1 || rows.isEmpty() || !isPcDeliveryReportBox())
                                 return;
                             for (int i = int(deliveryReportArray_.size()) - 1; i >= 0; --i)
                                 if (rows.contains(i))
                                     deliveryReportArray_.removeAt(i);
                             writeToDeliveryReportBox();
                             if (page_)
                                 page_->messageText->setPlainText(QString());
                             setMsgBoxInfo();
                             reloadTable();
                             clearTableSelection();
                         });
}

} // namespace ostrel
