#include "ostrel/sms/page/SMSController.h"

#include "common/ValueConversion.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsPositionTable.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/sms/page/SmsBoxView.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/page/SmsTableModel.h"
#include "ostrel/sms/page/SmsSource.h"
#include "platform/Clock.h"

#include <QAbstractButton>
#include <QDialog>
#include <QPushButton>

namespace ostrel {

SMSController *g_SMSController = nullptr;

SMSController::SMSController(const ControllerContext &context, QObject *parent)
    : YOVUIController(context, parent), writer_(clock())
{
    g_SMSController = this;
    Neighbours::setSms(this);
    specialInit();
}

SMSController::~SMSController()
{
    if (g_SMSController == this) {
        g_SMSController = nullptr;
        Neighbours::setSms(nullptr);
    }
    delete smsSimMaxWarningWin_.data();
    delete wndRecharge_.data();
    smsSource_.reset();
    if (page_)
        page_->msgBoxList->setModel(nullptr); // the model goes with this controller
    delete tableModel_;
    ownedPage_.reset();
}

SmsBoxView *SMSController::boxView() const { return boxView_.data(); }

SmsPageView *SMSController::page() const { return page_.data(); }

QVariantMap SMSController::smsModule() const
{
    return yov::nsDict(config().getConfigurationByModule(QStringLiteral("SMS")));
}

bool SMSController::smsSwitch(const char *key) const
{
    return yov::nsBool(smsModule().value(QLatin1String(key)));
}

// ---------------------------------------------------------------------------------------------
// Maps and positions.

void SMSController::boxStrMapInit()
{
    boxStr_Box_.clear();
    for (const yov::sms::SmsNamedCode &box : yov::sms::kSmsBoxNames)
        boxStr_Box_.insert(QString::fromLatin1(box.name.data(), qsizetype(box.name.size())), box.code);
}

void SMSController::boxDisplayOrderInit()
{
    boxDisplayOrder_BoxMap_ = yov::sms::smsBoxDisplayOrderMap(smsModule());
}

void SMSController::yovPositionManagerInit()
{
    yovPositionManager_ = yov::sms::smsPositionTable(smsModule());
}

void SMSController::specialInit()
{
    boxDisplayOrderInit();
    boxStrMapInit();
    yovPositionManagerInit();
    synTcardSmsFlag_ = false;
    readDeliveryReportBox();
    if (hasPosition(yov::sms::kPositionTcard))
        startSynTcardTimer();
}

int SMSController::getBoxWithBoxStr(const QString &name) const
{
    return boxStr_Box_.value(name, -1);
}

QString SMSController::getBoxStrWithBox(int box) const
{
    for (auto it = boxStr_Box_.cbegin(); it != boxStr_Box_.cend(); ++it)
        if (it.value() == box)
            return it.key();
    return {};
}

int SMSController::getBoxDisplayOrderWithBox(int box) const
{
    for (auto it = boxDisplayOrder_BoxMap_.cbegin(); it != boxDisplayOrder_BoxMap_.cend(); ++it)
        if (it.value() == box)
            return it.key();
    return int(boxDisplayOrder_BoxMap_.size());
}

bool SMSController::hasbox(int box) const
{
    return boxDisplayOrder_BoxMap_.values().contains(box);
}

bool SMSController::hasPosition(int position) const
{
    return yovPositionManager_.hasPosition(position);
}

} // namespace ostrel
