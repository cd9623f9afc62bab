#include "common/ValueConversion.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsListFiles.h"
#include "ostrel/framework/config/ConfigFileKeys.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/service/TcardVolume.h"
#include "ostrel/sms/page/SMSController.h"
#include "ostrel/sms/page/SmsTableModel.h"
#include "ostrel/sms/service/SmsListNames.h"
#include "ostrel/sms/service/SmsService.h"
#include "platform/Clock.h"
#include "platform/NotificationCenter.h"

namespace ostrel {

namespace {

constexpr int kPcBoxesOfPage[] = {0, 1, 2, 4, 5};

} // namespace

// ---------------------------------------------------------------------------------------------
// Loading.

void SMSController::loadSmsList()
{
    loadBoxinPCList();
    loadBoxinSIMList();
    loadMessagesInPosition(yov::sms::kPositionMe);
    sendNoteRrefreshChatRecord();
    // What the page shows follows the lists: the search again, the table, the unread hint.
    if (page_)
        searchSMS();
    resetPCUnReadSMSNumNotification();
}

void SMSController::loadBoxinPCList()
{
    const QString path = config().configFilePathOfKey(configkeys::kCMSMSListOfPCFile);
    const auto file = yov::sms::readSmsListFile(path);
    for (int box : kPcBoxesOfPage) {
        QVariantList list = file ? yov::nsArray(file->value(getBoxStrWithBox(box))) : QVariantList();
        pcBases_.insert(box, list);
        setUserNameAndIndexToSMSBoxList(list, box, yov::sms::kPositionPc);
        allPcLists_.insert(box, list);
    }
    shownPcLists_.clear();
    if (smsSwitch("displayPCSMSByIMSI")) {
        // Only the current SIM's messages; the deleted and important boxes show empty.
        const QString imsi = yov::nsString(config().getConfigurationByModule(QStringLiteral("IMSI")));
        for (int box : {0, 1, 2})
            shownPcLists_.insert(box, getPClistByIMSI(imsi.isEmpty() ? QString() : imsi, box));
    } else {
        for (int box : kPcBoxesOfPage)
            shownPcLists_.insert(box, allPcLists_.value(box));
    }
    // The service keeps its own lists of the same file: it is given what was read, not read twice.
    if (SmsService *service = SmsService::installed())
        service->loadBoxinPCList(path, file);
    readDeliveryReportBox();
}

void SMSController::loadBoxinSIMList()
{
    const auto file = yov::sms::readSmsListFile(config().configFilePathOfKey(configkeys::kCMSMSListOfSimFile));
    simLists_.clear();
    m_nSIM_Used = 0;
    for (int box : {0, 1, 2}) {
        QVariantList list = file ? yov::nsArray(file->value(getBoxStrWithBox(box))) : QVariantList();
        setUserNameAndIndexToSMSBoxList(list, box, yov::sms::kPositionSim);
        m_nSIM_Used += smsPlacesOfList(list);
        simLists_.insert(box, list);
    }
    const bool full = isFullWithPosition(yov::sms::kPositionSim);
    Neighbours::setting().setIsSimCardFull(full);
    if (full && Neighbours::setting().currentSetSMSPosition() == yov::sms::kPositionSim)
        alertFullWithPosition(yov::sms::kPositionSim, FullAlertStore);
}

void SMSController::reloadPCSmsList()
{
    loadSmsList();
}

std::optional<QVariantList> SMSController::readPCListWithBox(int box) const
{
    if (box == yov::sms::kBoxDeliveryReport || box > yov::sms::kBoxBroadCastBox || getBoxStrWithBox(box).isNull())
        return std::nullopt;
    const auto file = yov::sms::readSmsListFile(config().configFilePathOfKey(configkeys::kCMSMSListOfPCFile));
    if (!file || !file->contains(getBoxStrWithBox(box)))
        return std::nullopt;
    return yov::nsArray(file->value(getBoxStrWithBox(box)));
}

QVariantList SMSController::getPCBoxListWithBox(int box) const
{
    QVariantList list = readPCListWithBox(box).value_or(QVariantList());
    setUserNameAndIndexToSMSBoxList(list, box, yov::sms::kPositionPc);
    return list;
}

void SMSController::setUserNameAndIndexToSMSBoxList(QVariantList &list, int box, int position) const
{
    ostrel::setUserNameAndIndexToSMSBoxList(
        list, box, position, [](const QString &number) { return Neighbours::phonebook().searchNameAtPhoneBook(number); },
        [this](const QString &text) { return searchMultiPhoneNumber(text); });
}

QString SMSController::searchMultiPhoneNumber(const QString &text) const
{
    if (text.isEmpty())
        return QStringLiteral("");
    QString separator = yov::nsString(config().getConfigurationByModule(QStringLiteral("DefaultPhoneSeparator")));
    if (separator.isEmpty())
        separator = QStringLiteral(";");
    if (!text.contains(separator))
        return Neighbours::phonebook().searchNameAtPhoneBook(text);
    QString names;
    for (const QString &number : splitSmsRecipients(text, separator))
        names += Neighbours::phonebook().searchNameAtPhoneBook(number) + QLatin1Char(',');
    return names;
}

QVariantList SMSController::getPClistByIMSI(const QString &imsi, int box) const
{
    QVariantList matching;
    if (imsi.isNull())
        return matching;
    for (const QVariant &message : allPcLists_.value(box))
        if (yov::nsString(yov::nsDict(message).value(QStringLiteral("IMSI"))) == imsi)
            matching.append(message);
    return matching;
}

QVariantList SMSController::pcList(int box) const
{
    return shownPcLists_.value(box);
}

std::optional<QVariantList> SMSController::getAllPcListByBox(int box)
{
    loadBoxinPCList();
    if (box == yov::sms::kBoxBroadCastBox)
        return SmsService::installed() ? SmsService::installed()->broadcastBoxList() : getPCBoxListWithBox(box);
    if (!allPcLists_.contains(box))
        return std::nullopt;
    return allPcLists_.value(box);
}

std::optional<QVariantList> SMSController::getCurrentBoxListBySearchFlag(bool search, int position, int box) const
{
    if (box < 0 || box > yov::sms::kBoxBroadCastBox)
        return std::nullopt;
    if (position == yov::sms::kPositionTcard)
        return getTcardListInBox(box);
    if (position == yov::sms::kPositionMe)
        return search ? searchMessagesWithKey(QString(), box) : getMeMessagesInBox(box);
    if (position != yov::sms::kPositionPc && position != yov::sms::kPositionSim)
        return std::nullopt;
    if (search) {
        if (box > yov::sms::kBoxDraftBox)
            return std::nullopt;
        return searchLists_.value({position, box});
    }
    if (position == yov::sms::kPositionSim)
        return box <= yov::sms::kBoxDraftBox ? std::optional<QVariantList>(simLists_.value(box)) : std::nullopt;
    if (box == yov::sms::kBoxBroadCastBox)
        return SmsService::installed() ? SmsService::installed()->broadcastBoxList() : QVariantList();
    if (box == yov::sms::kBoxDeliveryReport)
        return std::nullopt;
    return shownPcLists_.value(box);
}

// ---------------------------------------------------------------------------------------------
// The memory card.

QString SMSController::readTcardPath() const
{
    return getTcardVolume().value_or(QString());
}

QString SMSController::readTcardSmsFileDirectory() const
{
    const QString volume = readTcardPath();
    return volume.isNull() ? QString() : yov::sms::tcardSmsFolder(volume);
}

QString SMSController::readTcardFilePath() const
{
    const QString volume = readTcardPath();
    return volume.isNull() ? QString() : yov::sms::tcardSmsListPath(volume);
}

QVariantList SMSController::getTcardListInBox(int box) const
{
    const QString path = readTcardFilePath();
    const auto file = path.isNull() ? std::nullopt : yov::sms::readSmsListFile(path);
    QVariantList list = file ? yov::nsArray(file->value(getBoxStrWithBox(box))) : QVariantList();
    tcardBases_.insert(box, list);
    setUserNameAndIndexToSMSBoxList(list, box, yov::sms::kPositionTcard);
    return list;
}

int SMSController::synTcardIntervalMs() const
{
    const double seconds = smsModule().value(QStringLiteral("SynTCardTimeInterval")).toDouble();
    return seconds > 0 ? int(seconds * 1000) : 100000;
}

void SMSController::startSynTcardTimer()
{
    if (!synTcardTimer_)
        synTcardTimer_ = std::make_unique<yov::RepeatingTimer>(clock(), this, [this] { synTCard(); });
    synTcardTimer_->start(synTcardIntervalMs());
}

void SMSController::synTCard()
{
    if (hasPosition(yov::sms::kPositionTcard) && !readTcardPath().isNull() && synTcardSmsFlag_)
        sendRequest<768, 114>();
}

void SMSController::dealWithMsgOfReLoadTcardSMS(const yov::Notification &)
{
    synTcardSmsFlag_ = false;
}

// ---------------------------------------------------------------------------------------------
// Writers.

void SMSController::reportFailedWrite(const SmsBoxWriteResult &result)
{
    reportSmsListWriteFailure(result);
    loadSmsList();
}

void SMSController::writeMessagesToPC(const QVariantList &list, int box, SmsBoxWriteDone done)
{
    writer_.write(config().configFilePathOfKey(configkeys::kCMSMSListOfPCFile), yov::sms::kPositionPc, box,
                  SmsListWriter::replaceMerging(list, pcBases_.value(box), box),
                  [this, done = std::move(done)](const SmsBoxWriteResult &result) {
                      if (result.ok)
                          loadBoxinPCList();
                      else
                          reportFailedWrite(result);
                      if (done)
                          done(result);
                  });
}

void SMSController::writeMessagesToTcard(const QVariantList &list, int box, SmsBoxWriteDone done)
{
    const QString path = readTcardFilePath();
    if (path.isNull()) {
        // Without a card there is nothing to write to: skipped, not an error to show.
        if (done)
            done({false, QStringLiteral("no memory card"), {}});
        return;
    }
    writer_.write(path, yov::sms::kPositionTcard, box, SmsListWriter::replaceMerging(list, tcardBases_.value(box), box),
                  [this, box, done = std::move(done)](const SmsBoxWriteResult &result) {
                      if (result.ok) {
                          tcardBases_.insert(box, result.newBase);
                          synTcardSmsFlag_ = true;
                      } else {
                          reportFailedWrite(result);
                      }
                      if (done)
                          done(result);
                  });
}

void SMSController::writeMessagesToBox(int box, const QVariantMap &message, const QString &path, SmsBoxWriteDone done)
{
    const int position = path == readTcardFilePath() ? yov::sms::kPositionTcard : yov::sms::kPositionPc;
    writer_.write(path, position, box, SmsListWriter::addMessage(message),
                  [this, done = std::move(done)](const SmsBoxWriteResult &result) {
                      if (!result.ok)
                          reportFailedWrite(result);
                      if (done)
                          done(result);
                  });
}

// ---------------------------------------------------------------------------------------------
// What other areas read.

QVariantMap SMSController::getNewSMSDictionary() const
{
    const QVariantList list = m_revNewPos == yov::sms::kPositionPc    ? allPcLists_.value(0)
                              : m_revNewPos == yov::sms::kPositionSim ? simLists_.value(0)
                                                                       : QVariantList();
    return list.isEmpty() ? QVariantMap() : yov::nsDict(list.constFirst());
}

QString SMSController::getDiagnosticsSMS() const
{
    return QStringLiteral("%1/%2").arg(m_nSIM_Used).arg(m_nSIM_Cap);
}

void SMSController::updateInterface()
{
    if (isFullWithPosition(yov::sms::kPositionSim))
        alertFullWithPosition(yov::sms::kPositionSim, FullAlertStore);
}

void SMSController::sendNoteRrefreshChatRecord()
{
    notificationCenter().post(QStringLiteral("RefreshChatRecord"), this,
                              {{QStringLiteral("PCInBox"), shownPcLists_.value(0)},
                               {QStringLiteral("PCOutBox"), shownPcLists_.value(1)},
                               {QStringLiteral("DraftBox"), shownPcLists_.value(2)}});
}

} // namespace ostrel
