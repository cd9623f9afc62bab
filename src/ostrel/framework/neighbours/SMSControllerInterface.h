#pragma once
// What the rest of the dashboard asks of the SMS page controller (SMSController).
//
// DefaultSMSController: no unread messages, nothing sent (sends answer false), and a window is
// centred on the screen (there is no new-message window to centre on; the origin (0, 0) when
// there is no screen); there is no editor to open for other areas' numbers.
#include "common/sms/YovPosition.h"

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QObject;

namespace ostrel {

class SMSControllerInterface {
public:
    virtual ~SMSControllerInterface() = default;

    // The origin that centres a window of that size on the new-message window.
    virtual QPointF centerTheNewSMSArriveWnd(const QSizeF &size) const = 0;
    virtual bool sendSmsTo(const QString &number, const QString &text, bool report, bool returnSendResult,
                           bool saveInCorrespondBox) = 0;
    virtual bool sendMessageto(const QString &number, const QString &text) = 0;
    virtual void setTheSearchFieldText(const QStringList &numbers) = 0;
    // Opens the new-message window addressed to the numbers, for the calling area's module name
    // ("PhoneBook", ...).
    virtual void toNewMsgWinWithPhoneNumbers(const QStringList &numbers, const QString &module) = 0;
    // Opens the new-message window addressed to the numbers of the sender's recipient field (the
    // selected message's number without one), or to one number with an empty editor.
    virtual void replyMessage(QObject *) {}
    virtual void replyMessageFromMMS(const QString &) {}
    virtual void setSendSMSBtnStatWhenSendUserInfo(bool enable) = 0;
    virtual void writeSendResIntoFileIfSendSuccess() = 0;
    virtual void GotoInbox() = 0;
    // Position 0 computer inbox, 1 SIM.
    virtual bool hasNewSMSInPos(int position) const = 0;
    virtual void doWithPcUnreadFlowValueSMSAndRefreshStatusWhenFlowAlertOverTime() = 0;
    virtual void stopAnimationWhenMinimizeWithNewSms() = 0;
    virtual void startAnimationWhenMaximizeWithNewSms() = 0;
    virtual void cleanTextControlShowCertainNewSmsContent() = 0;
    // The texts of the unread messages from the recharge server, oldest first.
    virtual QStringList getUnreadRechargeSMS() const = 0;
    virtual int getNetCardStatus() const = 0;
    // "%d/%d": SIM messages used / SIM capacity.
    virtual QString getDiagnosticsSMS() const = 0;
    // Refills the SMS page's save-number menu: with the device storages once the phonebook has
    // read them (true), with the computer only otherwise. Nothing without an SMS page.
    virtual void loadSaveNumberBtnwithState(bool) {}
    // Whether the SMS page offers the storage position (4: the device memory, "Data Card").
    virtual bool hasPosition(int) const { return false; }
    // The phonebook names of separator-joined numbers, each followed by ","; one number: its name
    // alone; none: "". Without an SMS page: the text itself.
    virtual QString searchMultiPhoneNumber(const QString &text) const { return text; }
    // The number of the message selected on the SMS page (for saving its sender); "" without one.
    // The page's table selection is cleared.
    virtual QString getMobilePhoneFromSelectedSMS() { return {}; }
    // The storage positions the SMS page offers, as (name, code, display order); none without one.
    virtual QList<yov::sms::YovPosition> smsPositions() const { return {}; }
};

class DefaultSMSController : public SMSControllerInterface {
public:
    QPointF centerTheNewSMSArriveWnd(const QSizeF &size) const override;
    bool sendSmsTo(const QString &, const QString &, bool, bool, bool) override { return false; }
    bool sendMessageto(const QString &, const QString &) override { return false; }
    void setTheSearchFieldText(const QStringList &) override {}
    void toNewMsgWinWithPhoneNumbers(const QStringList &, const QString &) override {}
    void setSendSMSBtnStatWhenSendUserInfo(bool) override {}
    void writeSendResIntoFileIfSendSuccess() override {}
    void GotoInbox() override {}
    bool hasNewSMSInPos(int) const override { return false; }
    void doWithPcUnreadFlowValueSMSAndRefreshStatusWhenFlowAlertOverTime() override {}
    void stopAnimationWhenMinimizeWithNewSms() override {}
    void startAnimationWhenMaximizeWithNewSms() override {}
    void cleanTextControlShowCertainNewSmsContent() override {}
    QStringList getUnreadRechargeSMS() const override { return {}; }
    int getNetCardStatus() const override { return 0; }
    QString getDiagnosticsSMS() const override { return {}; }
};

} // namespace ostrel
