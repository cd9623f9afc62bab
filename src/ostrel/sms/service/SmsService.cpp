#include "ostrel/sms/service/SmsService.h"

#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsListFiles.h"
#include "common/sms/SmsPositionTable.h"
#include "ostrel/framework/config/ConfigFileKeys.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/sms/service/SmsListNames.h"
#include "platform/Clock.h"

#include <QLoggingCategory>
#include <QTimeZone>

Q_LOGGING_CATEGORY(lcSmsService, "ostrel.sms.service")

namespace ostrel {

namespace {

SmsService *g_sharedSmsService = nullptr;

const QString kFlowModule = QStringLiteral("FlowValueSmsInfo");
const QString kFlowType = QStringLiteral("FlowValueType");
const QString kFlowContent = QStringLiteral("FlowSmsContent");
const QString kFlowDate = QStringLiteral("FlowSmsDate");
const QString kServerNumberKey = QStringLiteral("PurchargeBySMS_ServerNumber");

// The inner dictionary that tells a list entry's status and text.
QVariantMap innerMessageOf(const QVariantMap &entry)
{
    const bool concatenated = yov::nsBool(entry.value(QStringLiteral("concatSmsFlag")));
    return yov::nsDict(entry.value(concatenated ? QStringLiteral("concatSmsInfo") : QStringLiteral("smsInfo")));
}

bool isUnreadEntry(const QVariant &entry)
{
    const QVariant stat = innerMessageOf(yov::nsDict(entry)).value(QStringLiteral("stat"));
    return stat.isValid() && yov::nsInt(stat) == 0;
}

// "ON" at the text's start or after a character that is no letter, from `from` on; -1 for none.
qsizetype nextPackageStart(const QString &text, qsizetype from)
{
    for (qsizetype at = text.indexOf(QLatin1String("ON"), from); at >= 0; at = text.indexOf(QLatin1String("ON"), at + 1))
        if (at == 0 || !text.at(at - 1).isLetter())
            return at;
    return -1;
}

} // namespace

SmsService *SmsService::sharedSmsService()
{
    if (!g_sharedSmsService) {
        static SmsService *fallback = new SmsService();
        return fallback;
    }
    return g_sharedSmsService;
}

SmsService *SmsService::installed()
{
    return g_sharedSmsService;
}

SmsService::SmsService(ConfigManager *config, yov::Clock *clock)
    : config_(config), clock_(clock ? *clock : yov::Clock::system()), writer_(clock_)
{
    yovPositionManager_ = yov::sms::smsPositionTable(smsModule());
    const QString separator = yov::nsString(this->config()->getConfigurationByModule(QStringLiteral("DefaultPhoneSeparator")));
    phoneSeparator_ = separator.isEmpty() ? QStringLiteral(";") : separator;
    loadBoxinPCList();
    broadBandList_ = {QStringLiteral("ON VOL100MB"), QStringLiteral("ON VOL500MB"), QStringLiteral("ON VOL1GB"),
                      QStringLiteral("ON VOL5GB")};
    processListOfRecharge_ = yov::nsDict(this->config()->getConfigurationByModule(QStringLiteral("PurchargeBySMS")));
    g_sharedSmsService = this;
    Neighbours::setSmsService(this);
}

SmsService::~SmsService()
{
    if (g_sharedSmsService == this) {
        g_sharedSmsService = nullptr;
        Neighbours::setSmsService(nullptr);
    }
}

ConfigManager *SmsService::config() const
{
    return config_ ? config_ : ConfigManager::sharedConfigManager();
}

QVariantMap SmsService::smsModule() const
{
    return yov::nsDict(config()->getConfigurationByModule(QStringLiteral("SMS")));
}

QString SmsService::pcListPath() const
{
    return config()->configFilePathOfKey(configkeys::kCMSMSListOfPCFile);
}

QString SmsService::simListPath() const
{
    return config()->configFilePathOfKey(configkeys::kCMSMSListOfSimFile);
}

// ---------------------------------------------------------------------------------------------
// Lists.

void SmsService::rememberBase(int box, const QVariantList &base)
{
    pcBases_.insert(box, base);
}

void SmsService::loadBoxinPCList()
{
    const QString path = pcListPath();
    loadBoxinPCList(path, yov::sms::readSmsListFile(path));
}

void SmsService::loadBoxinPCList(const QString &path, const std::optional<QVariantMap> &given)
{
    const auto file = path == pcListPath() ? given : yov::sms::readSmsListFile(pcListPath());
    for (int box : {0, 1, 2, 4, 5, 6}) {
        QVariantList list = file ? yov::nsArray(file->value(getBoxStrWithBox(box))) : QVariantList();
        rememberBase(box, list);
        setUserNameAndIndexToSMSBoxList(list, box, yov::sms::kPositionPc);
        pcLists_.insert(box, list);
    }
}

void SmsService::loadBoxInSIMList()
{
    const auto file = yov::sms::readSmsListFile(simListPath());
    for (int box : {0, 1, 2})
        simLists_.insert(box, file ? yov::nsArray(file->value(getBoxStrWithBox(box))) : QVariantList());
}

std::optional<QVariantList> SmsService::readPCListWithBox(int box) const
{
    if (box == yov::sms::kBoxDeliveryReport || getBoxStrWithBox(box).isNull())
        return std::nullopt;
    const auto file = yov::sms::readSmsListFile(pcListPath());
    if (!file || !file->contains(getBoxStrWithBox(box)))
        return std::nullopt;
    return yov::nsArray(file->value(getBoxStrWithBox(box)));
}

QVariantList SmsService::getPCBoxListWithBox(int box)
{
    QVariantList list = readPCListWithBox(box).value_or(QVariantList());
    setUserNameAndIndexToSMSBoxList(list, box, yov::sms::kPositionPc);
    return list;
}

std::optional<QVariantList> SmsService::getAllPcListByBox(int box)
{
    loadBoxinPCList();
    if (!pcLists_.contains(box))
        return std::nullopt;
    return pcLists_.value(box);
}

void SmsService::reportFailedWrite(const SmsBoxWriteResult &result)
{
    reportSmsListWriteFailure(result);
    loadBoxinPCList();
}

// What follows a write of the computer's file: the lists reload from it, or the failure is told;
// then the caller's own continuation.
SmsBoxWriteDone SmsService::afterComputerWrite(SmsBoxWriteDone done)
{
    return [this, done = std::move(done)](const SmsBoxWriteResult &result) {
        if (result.ok)
            loadBoxinPCList();
        else
            reportFailedWrite(result);
        if (done)
            done(result);
    };
}

void SmsService::writeMessagesToPC(const QVariantList &list, int box, SmsBoxWriteDone done)
{
    writer_.write(pcListPath(), yov::sms::kPositionPc, box, SmsListWriter::replaceMerging(list, pcBases_.value(box), box),
                  afterComputerWrite(std::move(done)));
}

void SmsService::writeMessageToBox(int box, const QVariantMap &message, const QString &path, int position,
                                   SmsBoxWriteDone done)
{
    writer_.write(path, position, box, SmsListWriter::addMessage(message),
                  [this, done = std::move(done)](const SmsBoxWriteResult &result) {
                      if (!result.ok)
                          reportFailedWrite(result);
                      if (done)
                          done(result);
                  });
}

int SmsService::getBoxWithBoxStr(const QString &name)
{
    return yov::sms::smsBoxOfName(name);
}

QString SmsService::getBoxStrWithBox(int box)
{
    return yov::sms::smsBoxName(box);
}

bool SmsService::isSimOrMeWithPosition(int position)
{
    return yov::sms::isSimOrMePosition(position);
}

void SmsService::setUserNameAndIndexToSMSBoxList(QVariantList &list, int box, int position) const
{
    ostrel::setUserNameAndIndexToSMSBoxList(
        list, box, position, [](const QString &number) { return number; },
        [this](const QString &text) { return searchMultiPhoneNumber(text); });
}

QString SmsService::searchMultiPhoneNumber(const QString &text) const
{
    return splitSmsRecipients(text, phoneSeparator_).join(QString());
}

// ---------------------------------------------------------------------------------------------
// Unread messages.

int SmsService::getUnreadSMSCountFromSMSList(const QVariantList &list)
{
    return int(std::count_if(list.cbegin(), list.cend(), isUnreadEntry));
}

QVariantList SmsService::getUnreadSMSInSMSlist(const QVariantList &list)
{
    QVariantList unread;
    for (const QVariant &entry : list)
        if (isUnreadEntry(entry))
            unread.append(entry);
    return unread;
}

QVariantList SmsService::getUnreadSMSInPos(int position, const QVariantList &inBoxList)
{
    if (position == yov::sms::kPositionPc)
        return unreadSMSListInPc_ = getUnreadSMSInSMSlist(inBoxList);
    if (position == yov::sms::kPositionSim)
        return unreadSMSListInSim_ = getUnreadSMSInSMSlist(inBoxList);
    return {};
}

// ---------------------------------------------------------------------------------------------
// Pending operations.

void SmsService::makeSimSmsDelList(const QVariantList &entries, int box)
{
    delSimSmsList_.clear();
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        // Each delete goes where its message was saved from (the SIM when the entry does not say).
        const QVariantMap entry = yov::nsDict(*it);
        const QVariant position = entry.value(QStringLiteral("srcPos"));
        QVariantMap del{{QStringLiteral("pos"), position.isValid() ? yov::nsInt(position) : int(yov::sms::kPositionSim)},
                        {QStringLiteral("box"), box},
                        {QStringLiteral("index"), yov::nsInt(entry.value(QStringLiteral("srcIndex")))}};
        if (entry.contains(QStringLiteral("identity")))
            del.insert(QStringLiteral("identity"), entry.value(QStringLiteral("identity")));
        delSimSmsList_.append(del);
    }
}

void SmsService::deleteSMSlist(const QVariantList &entries, int box, SmsBoxWriteDone done)
{
    QVariantList list = getAllPcListByBox(box).value_or(QVariantList());
    for (const QVariant &entry : entries) {
        const int index = yov::nsInt(yov::nsDict(entry).value(QStringLiteral("srcIndex")));
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (yov::nsInt(yov::nsDict(list.at(i)).value(QStringLiteral("index"))) == index) {
                list.removeAt(i);
                break;
            }
        }
    }
    writeMessagesToPC(list, box, std::move(done));
}

void SmsService::makeSaveSmsBySrcPos(int srcPos, int destPos, int srcBox, int srcIndex)
{
    saveToList_ = {QVariantMap{{QStringLiteral("srcPos"), srcPos},
                               {QStringLiteral("destPos"), destPos},
                               {QStringLiteral("srcBox"), srcBox},
                               {QStringLiteral("srcIndex"), srcIndex}}};
}

void SmsService::saveBroadCastAsShortMessage(const QVariantMap &message, SmsBoxWriteDone done)
{
    // A missing computer file is created by the writer: the broadcast is not lost.
    writer_.write(pcListPath(), yov::sms::kPositionPc, yov::sms::kBoxBroadCastBox, SmsListWriter::addMessage(message, true),
                  afterComputerWrite(std::move(done)));
}

// ---------------------------------------------------------------------------------------------
// Special numbers.

QVariantMap SmsService::specialNumberEntry(const QString &key, const QString &value) const
{
    if (value.isNull())
        return {};
    for (const QVariant &entry : yov::nsArray(smsModule().value(QStringLiteral("SpecialNumberToHidden")))) {
        const QVariantMap special = yov::nsDict(entry);
        if (special.contains(key) && yov::nsString(special.value(key)) == value)
            return special;
    }
    return {};
}

QVariantMap SmsService::getDictionaryContainsSpeicalNumberAndSpeicalStringWithPhoneNumber(const QString &number) const
{
    return specialNumberEntry(QStringLiteral("NumberToHidden"), number);
}

QVariantMap SmsService::getDictionaryContainsSpeicalNumberAndSpeicalString(const QString &name) const
{
    return specialNumberEntry(QStringLiteral("NameToShow"), name);
}

// ---------------------------------------------------------------------------------------------
// Flow-value messages.

QVariantMap SmsService::judgeConditions() const
{
    return yov::nsDict(smsModule().value(QStringLiteral("SMS_FlowValueSMSJudegeConditions")));
}

QString SmsService::judge(const char *key) const
{
    return yov::nsString(judgeConditions().value(QLatin1String(key)));
}

bool SmsService::stringIsContainSubString(const QString &text, const QString &sub)
{
    return !sub.isEmpty() && text.contains(sub);
}

bool SmsService::checkSmsIsSevetyFivePercentFlowValueSms(const QString &number, const QString &text) const
{
    const QString sender = judge("FlowValueSMS_PhoneNumber");
    const QString volume = judge("FLowValueSMS_Bandbreite");
    const QString seventyFive = judge("FlowValueSMS_SeventyFivePercentKey");
    if (sender.isEmpty() || number != sender)
        return false;
    if (!stringIsContainSubString(text, volume) || !stringIsContainSubString(text, seventyFive))
        return false;
    return text.indexOf(volume) < text.indexOf(seventyFive);
}

bool SmsService::checkSmsIsOneHundredPercentFlowValueSms(const QString &number, const QString &text) const
{
    const QString sender = judge("FlowValueSMS_PhoneNumber");
    const QString volume = judge("FLowValueSMS_Bandbreite");
    const QString key1 = judge("FlowValueSMS_OneHundredPercentKey1");
    const QString key2 = judge("FlowValueSMS_OneHundredPercentKey2");
    if (sender.isEmpty() || number != sender || !stringIsContainSubString(text, volume))
        return false;
    const QString key = stringIsContainSubString(text, key1) ? key1 : (stringIsContainSubString(text, key2) ? key2 : QString());
    if (key.isEmpty())
        return false;
    return text.indexOf(key) > text.indexOf(volume);
}

int SmsService::checkFlowValueTypeBySmsPhoneNumber(const QString &number, const QString &text) const
{
    if (checkSmsIsOneHundredPercentFlowValueSms(number, text))
        return FlowValue100;
    if (checkSmsIsSevetyFivePercentFlowValueSms(number, text))
        return FlowValue75;
    return FlowValueNone;
}

void SmsService::saveFlowValueInfoIntoFileWithSmsContent(const QString &text, const QDateTime &date, int type)
{
    if (type == FlowValueNone)
        return;
    // The record is written as its whole module: a key setter would not create a missing module.
    QVariantMap record = yov::nsDict(config()->getConfigurationByModule(kFlowModule));
    record.insert(kFlowType, type);
    record.insert(kFlowContent, text);
    record.insert(kFlowDate, date);
    flowValueSmsInfo_ = {{kFlowType, type}, {kFlowContent, text}, {kFlowDate, date}};
    if (!config()->setConfigurationByModule(kFlowModule, record) || !config()->writeToFile())
        qCWarning(lcSmsService) << "the flow-value message could not be stored in the settings";
}

void SmsService::clearFlowValueInfo()
{
    flowValueSmsInfo_.clear();
    QVariantMap record = yov::nsDict(config()->getConfigurationByModule(kFlowModule));
    record.remove(kFlowType);
    record.remove(kFlowContent);
    record.remove(kFlowDate);
    if (!config()->setConfigurationByModule(kFlowModule, record) || !config()->writeToFile())
        qCWarning(lcSmsService) << "the flow-value record could not be cleared in the settings";
}

int SmsService::getFlowValueInfoFromFile() const
{
    const QVariantMap record = yov::nsDict(config()->getConfigurationByModule(kFlowModule));
    if (!record.contains(kFlowType) || !record.contains(kFlowContent) || !record.contains(kFlowDate))
        return FlowValueNone;
    flowValueSmsInfo_ = {{kFlowType, record.value(kFlowType)},
                         {kFlowContent, record.value(kFlowContent)},
                         {kFlowDate, record.value(kFlowDate)}};
    return yov::nsInt(record.value(kFlowType));
}

QDateTime SmsService::flowValueExpiryOf(const QDateTime &date)
{
    if (!date.isValid())
        return {};
    const QDate day = date.toLocalTime().date();
    QDate expiry(day.year(), day.month(), 22);
    if (day.day() >= 22)
        expiry = expiry.addMonths(1); // 22 December gives 22 January of the next year
    return expiry.startOfDay(QTimeZone::systemTimeZone());
}

QDateTime SmsService::makeFlowValueSmsOverDueTime() const
{
    return flowValueExpiryOf(yov::nsDict(config()->getConfigurationByModule(kFlowModule)).value(kFlowDate).toDateTime());
}

bool SmsService::checkIsOverdueByDate(const QDateTime &date) const
{
    const QDateTime expiry = flowValueExpiryOf(date);
    return expiry.isValid() && clock_.now() >= expiry;
}

bool SmsService::isOverDueFlowValueSms() const
{
    if (flowValueSmsInfo_.isEmpty())
        return false;
    if (!checkIsOverdueByDate(flowValueSmsInfo_.value(kFlowDate).toDateTime()))
        return false;
    auto *self = const_cast<SmsService *>(this);
    self->clearFlowValueInfo();
    if (iconHook_)
        iconHook_(QStringLiteral("icon.icns.png"));
    return true;
}

bool SmsService::checkIsValidFlowValueSmsBySMSContent(const QString &text, const QString &number, const QDateTime &date)
{
    const int type = checkFlowValueTypeBySmsPhoneNumber(number, text);
    if (type == FlowValueNone || checkIsOverdueByDate(date))
        return false;
    const int stored = getFlowValueInfoFromFile();
    if (stored != FlowValueNone && type <= stored)
        return false;
    saveFlowValueInfoIntoFileWithSmsContent(text, date, type);
    return true;
}

bool SmsService::checkSIMReceivedValidFlowValueSMS()
{
    loadBoxInSIMList();
    bool accepted = false;
    for (const QVariant &entry : simLists_.value(0)) {
        const QVariantMap inner = innerMessageOf(yov::nsDict(entry));
        if (checkIsValidFlowValueSmsBySMSContent(yov::nsString(inner.value(QStringLiteral("messagetext"))),
                                                 yov::nsString(inner.value(QStringLiteral("mobilephone"))),
                                                 inner.value(QStringLiteral("date")).toDateTime()))
            accepted = true;
    }
    return accepted;
}

bool SmsService::checkPos(int position, int type) const
{
    const QVariantList *list = position == yov::sms::kPositionPc    ? &unreadSMSListInPc_
                               : position == yov::sms::kPositionSim ? &unreadSMSListInSim_
                                                                    : nullptr;
    if (!list)
        return false;
    for (const QVariant &entry : *list) {
        const QVariantMap inner = innerMessageOf(yov::nsDict(entry));
        if (checkFlowValueTypeBySmsPhoneNumber(yov::nsString(inner.value(QStringLiteral("mobilephone"))),
                                               yov::nsString(inner.value(QStringLiteral("messagetext"))))
            == type)
            return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Purchase by SMS.

bool SmsService::checkSMSIsPurChaseSMSBySmsPhoneNumber(const QString &number, const QString &text)
{
    const QString server = yov::nsString(processListOfRecharge_.value(kServerNumberKey));
    if (!processListOfRecharge_.contains(kServerNumberKey) || number != server)
        return false;
    processOfRechargeBySMS_ = QStringLiteral("PurchargeBySMS_ConfirmPurchaseResponse");
    purchaseSMSContent_ = text;
    // The operator's replies in the order of the dialogue, then any other step by name.
    QStringList steps = {QStringLiteral("PurchargeBySMS_VolStatusResponse"), QStringLiteral("PurchargeBySMS_BroadBandResponse"),
                         QStringLiteral("PurchargeBySMS_PurchasePresponse"),
                         QStringLiteral("PurchargeBySMS_ConfirmPurchaseResponse")};
    for (auto it = processListOfRecharge_.cbegin(); it != processListOfRecharge_.cend(); ++it)
        if (!steps.contains(it.key()))
            steps.append(it.key());
    for (const QString &step : std::as_const(steps)) {
        if (step == kServerNumberKey || !processListOfRecharge_.contains(step))
            continue;
        if (stringIsContainSubString(text, yov::nsString(processListOfRecharge_.value(step)))) {
            processOfRechargeBySMS_ = step;
            break;
        }
    }
    return true;
}

void SmsService::parseBroadBandListFromSMSContent(const QString &text)
{
    if (text.isEmpty())
        return;
    QStringList packages;
    qsizetype from = 0;
    for (qsizetype start = nextPackageStart(text, from); start >= 0; start = nextPackageStart(text, from)) {
        qsizetype end = text.indexOf(QLatin1Char('/'), start);
        if (end < 0)
            end = text.indexOf(QLatin1String(" to"), start);
        if (end < 0)
            break;
        packages.append(text.mid(start, end - start));
        from = end;
    }
    if (!packages.isEmpty())
        broadBandList_ = packages;
}

void SmsService::parseConfigInformationFromSMSContent(const QString &text)
{
    if (text.isEmpty())
        return;
    const qsizetype send = text.indexOf(QLatin1String("send"), 0, Qt::CaseInsensitive);
    if (send < 0 || send + 5 > text.size())
        return;
    const QString rest = text.mid(send + 5);
    const QString server = yov::nsString(processListOfRecharge_.value(kServerNumberKey));
    const qsizetype to = rest.indexOf(QStringLiteral("to ") + server, 0, Qt::CaseInsensitive);
    if (to <= 0)
        return;
    configSMSContent_ = rest.left(to - 1);
}

// ---------------------------------------------------------------------------------------------
// Sending and check usage.

void SmsService::saveSendSuccessResultBySendCount(int sent, int ok)
{
    if (ok == sent)
        sendingSMSSuccess_ = true;
    else if (ok < sent)
        sendingSMSSuccess_ = false;
}

bool SmsService::unshowInfoWndWhenSendSms() const
{
    return yov::nsBool(smsModule().value(QStringLiteral("noSendInfoWnd")));
}

void SmsService::setUnshowInfoWndWhenSendSmsByFlag(bool unshow)
{
    if (unshow == unshowInfoWndWhenSendSms())
        return;
    if (!config()->setConfigurationByModuleKeyAndValue(QStringLiteral("SMS"), QStringLiteral("noSendInfoWnd"), unshow)
        || !config()->writeToFile())
        qCWarning(lcSmsService) << "noSendInfoWnd could not be written";
}

bool SmsService::isShowCheckUsageRespondedSMS(const QString &number) const
{
    const QVariantMap module = smsModule();
    const QVariant toNumber = yov::nsDict(module.value(QStringLiteral("SpecialSMS"))).value(QStringLiteral("TO_NUMBER"));
    return toNumber.isValid() && yov::nsString(toNumber) == number && bAlreadySendedCheckUsageSMS_
        && yov::nsBool(module.value(QStringLiteral("NoShowNewSMSWndWithCertainContent")));
}

} // namespace ostrel
