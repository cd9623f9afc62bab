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
}

void SMSController::initializeController()
{
    QList<SmsBoxView::Row> positions;
    for (const yov::sms::YovPosition &p : yovPositionManager_.getAllPositions())
        positions << SmsBoxView::Row{p.displayOrder(), Map_Name_Item_of_IndexString(smsPositionMatrixWord(p.positon()))};
    QList<SmsBoxView::Row> boxes;
    for (auto it = boxDisplayOrder_BoxMap_.cbegin(); it != boxDisplayOrder_BoxMap_.cend(); ++it)
        if (it.value() >= 0)
            boxes << SmsBoxView::Row{it.key(), Map_Name_Item_of_IndexString(smsBoxMatrixWord(it.value()))};
    boxView_ = std::make_unique<SmsBoxView>(positions, boxes);
    connect(boxView_->smsSearchBtn_, &QPushButton::clicked, this,
            [this] { showOrHideSearchbar(boxView_->smsSearchBtn_); });
    for (QAbstractButton *cell : boxView_->saveAtPos->cells())
        connect(cell, &QAbstractButton::toggled, this, [this](bool on) {
            if (on)
                special_SelectSaveAt();
        });
    smsSource_ = std::make_unique<SmsSource>(this);
    smsSource_->setOutlineView(boxView_->outlineView_);
    smsSource_->initializeController();
}

void SMSController::deviceRemoved(const yov::Notification &) { netcardChanged(1); }

void SMSController::devicePlugin(const yov::Notification &) { netcardChanged(2); }

void SMSController::simReady(const yov::Notification &) { netcardChanged(12); }

void SMSController::netcardChanged(int status)
{
    setNetCardStatus(status);
    if (status == 12 && hasPosition(yov::sms::kPositionTcard))
        sendRequest<768, 113>();
    else if (status == 1)
        synTcardSmsFlag_ = true; // what the card gained meanwhile is read at the next sync
}

void SMSController::setNetCardStatus(int status)
{
    m_nNetCardStatus = status;
    if (!smsSource_)
        return;
    if (status == 12)
        smsSource_->createNodeOfSimWhenSimCardvalid();
    else
        smsSource_->deleteNodeOfSimWhenSimCardInvalid();
}

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

// ---------------------------------------------------------------------------------------------
// Registrations.

void SMSController::registerMessages()
{
    YOVMsgCenter *center = yovMsgCenter();
    if (!center)
        return;
    using C = SMSController;
    struct Row {
        std::uint16_t minor;
        void (C::*handler)(const yov::Notification &);
    };
    const Row rows[] = {
        {yov::smsmsg::kMinorListState, &C::dealWithMsgOfListState},
        {yov::smsmsg::kMinorCapacity, &C::dealWithMsgOfSMSNum},
        {yov::smsmsg::kMinorReloadTcard, &C::dealWithMsgOfReLoadTcardSMS},
        {yov::smsmsg::kMinorSyncTcard, &C::dealWithMsgOfReLoadTcardSMS},
    };
    for (const Row &row : rows)
        center->registerObserver(this, row.handler, yov::smsmsg::kMajor, row.minor);
}

} // namespace ostrel
