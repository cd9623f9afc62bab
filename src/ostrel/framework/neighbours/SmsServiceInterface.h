#pragma once
// What the rest of the dashboard asks of the SMS service (SmsService).
//
// DefaultSmsService: nothing is being sent, no new or overdue message; the no-progress-window flag
// is kept in memory only; no stored boxes and no unread messages.
#include <QVariantList>
#include <QVariantMap>

namespace ostrel {

class SmsServiceInterface {
public:
    virtual ~SmsServiceInterface() = default;

    virtual bool sendingSMSInBackGround() const = 0;
    virtual void setSendingSmsSMSInBackGroud(bool sending) = 0;
    virtual void setUnshowInfoWndWhenSendSmsByFlag(bool unshow) = 0;
    virtual bool unshowInfoWndWhenSendSms() const = 0;
    virtual void setBAlreadySendedCheckUsageSMS(bool sent) = 0;
    // 0 flow-value notice (75 %), 1 flow-value notice (100 %), 2 ordinary SMS.
    virtual int typeOfNewSms() const = 0;
    virtual bool checkPos(int position, int type) const = 0;
    virtual int getFlowValueInfoFromFile() const = 0;
    virtual bool isOverDueFlowValueSms() const = 0;
    virtual QVariantMap processListOfRecharge() const = 0;
    // One box of the computer's list file, with names and indexes.
    virtual QVariantList getPCBoxListWithBox(int box) = 0;
    // Refreshes the unread list of position 0 (computer) or 1 (SIM) from an inbox list and returns
    // it; other positions: empty.
    virtual QVariantList getUnreadSMSInPos(int position, const QVariantList &inBoxList) = 0;
};

class DefaultSmsService : public SmsServiceInterface {
public:
    bool sendingSMSInBackGround() const override { return sending_; }
    void setSendingSmsSMSInBackGroud(bool sending) override { sending_ = sending; }
    void setUnshowInfoWndWhenSendSmsByFlag(bool unshow) override { unshow_ = unshow; }
    bool unshowInfoWndWhenSendSms() const override { return unshow_; }
    void setBAlreadySendedCheckUsageSMS(bool) override {}
    int typeOfNewSms() const override { return 2; }
    bool checkPos(int, int) const override { return false; }
    int getFlowValueInfoFromFile() const override { return 0; }
    bool isOverDueFlowValueSms() const override { return false; }
    QVariantMap processListOfRecharge() const override { return {}; }
    QVariantList getPCBoxListWithBox(int) override { return {}; }
    QVariantList getUnreadSMSInPos(int, const QVariantList &) override { return {}; }

private:
    bool sending_ = false;
    bool unshow_ = false;
};

} // namespace ostrel
