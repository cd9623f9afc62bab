// DialController: the user's data or time limit (checked before connecting and while connected)
// and the operator's data-volume and time warnings.
//
// The used amounts are the records' totals (the records neighbour) plus the running connection,
// unless that one is already in the records (saveRecordFlag). Data in KB from the 64-bit byte
// counts, in double precision; time in whole seconds.
//
// Alerts of these checks do not block: the checks run on the status poll and in the NDIS traffic
// handler, so what follows an answer runs in its callback. While such an alert waits for its
// answer the checks that could raise another one wait too (the poll goes on); only a reached limit
// that is set to disconnect by itself acts at once. The 80 % window is not modal and holds
// nothing back.
#include "ostrel/connection/dial/DialController.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"

namespace ostrel {

namespace {

// A setting that acts only when present and 1 (recordLimitWarn).
bool recordSettingIsOne(const QVariant &value) { return value.isValid() && yov::nsInt(value) == 1; }

} // namespace

QVariant DialController::recordValue(const char *key) const
{
    return config().getConfigurationByModuleAndKey(QStringLiteral("Record"), QLatin1String(key));
}

int DialController::delayForLimistDisconnect() const { return yov::nsInt(internetValue("LimitDisconnectDelay")); }

double DialController::usedDataKB() const
{
    double used = Neighbours::records().getTotalData();
    if (!saveRecordFlag_)
        used += yov::bytesToKB(sendBytes_ + receiveBytes_);
    return used;
}

qint64 DialController::usedSeconds() const
{
    qint64 used = Neighbours::records().gettotalTime();
    if (!saveRecordFlag_)
        used += connectSeconds_;
    return used;
}

void DialController::beginLimitAlert(const QString &title, const QString &message, const QString &cancel,
                                     std::function<void(int)> onAnswer)
{
    ++limitAlertsOpen_;
    beginAlert(title, message, QStringLiteral("OK"), cancel, [this, onAnswer = std::move(onAnswer)](int answer) {
        --limitAlertsOpen_;
        if (onAnswer)
            onAnswer(answer);
    });
}

void DialController::dialOptionExt(QObject *) { DialOption(DialSender::ConnectButton); }

// ---- before connecting -------------------------------------------------------------------------

void DialController::displayTimeLimitWarning(std::function<void(bool)> done)
{
    autoDisconnectFlag_ = true;
    if (!internetBool("timeLimitWarning")) {
        done(true);
        return;
    }
    Neighbours::records().getTotalDataAndTime();
    const qint64 limit = qint64(yov::nsDouble(recordValue("recordTimeLimit")) * 3600.0 - delayForLimistDisconnect());
    if (limit < 1 || usedSeconds() < limit) {
        done(true);
        return;
    }
    limitReachedBeforeConnect(std::move(done));
}

void DialController::displayDataLimitWarning(std::function<void(bool)> done)
{
    autoDisconnectFlag_ = true;
    if (!internetBool("dataLimitWarning")) {
        done(true);
        return;
    }
    Neighbours::records().getTotalDataAndTime();
    const double limit = double(yov::nsLongLong(recordValue("recordDataLimit"))) * 1024.0;
    if (limit <= 0 || usedDataKB() < limit) {
        done(true);
        return;
    }
    limitReachedBeforeConnect(std::move(done));
}

void DialController::limitReachedBeforeConnect(std::function<void(bool)> done)
{
    // Limits are in force only while a reset period is set.
    if (ConfigService(&config()).isDisabledLimits()) {
        done(true);
        return;
    }
    autoDisconnectFlag_ = false;
    beginAlert(QStringLiteral("Warning"), QStringLiteral("Pre-set limit has been reached. Do you want to connect anyway?"),
               QStringLiteral("OK"), QStringLiteral("Cancel"), [done = std::move(done)](int answer) { done(answer == 1); });
}

// ---- while connected -------------------------------------------------------------------------

void DialController::checkRecordLimit()
{
    if (connectStatus_ != yov::kConnectStatusConnected)
        return;
    if (warnLimitFlag_ && !limitAlertOpen())
        recordLimitWarn();
    if (autoDisconnectFlag_)
        recordLimitDisconnect();
}

void DialController::recordLimitWarn()
{
    if (ConfigService(&config()).isDisabledLimits())
        return;
    Neighbours::records().updateInterface();
    if (yov::nsBool(recordValue("recordLimitState")))
        recordDataLimitWarn();
    else
        recordTimeLimitWarn();
}

void DialController::recordLimitDisconnect()
{
    if (ConfigService(&config()).isDisabledLimits())
        return;
    Neighbours::records().updateInterface();
    if (yov::nsBool(recordValue("recordLimitState")))
        recordDataLimitDisconnect();
    else
        recordTimeLimitDisconnect();
}

void DialController::recordDataLimitWarn()
{
    const double limit = double(yov::nsLongLong(recordValue("recordDataLimit"))) * 1024.0;
    if (!recordSettingIsOne(recordValue("recordLimitWarn")) || limit <= 0)
        return;
    const double used = usedDataKB();
    if (used > 0.8 * limit && used < limit) {
        warnLimitFlag_ = false;
        runLimitWarning(localizedText(QStringLiteral("Total Data is reaching 80 percent of the limit")));
    }
}

void DialController::recordTimeLimitWarn()
{
    const double limit = yov::nsDouble(recordValue("recordTimeLimit")) * 3600.0;
    if (!recordSettingIsOne(recordValue("recordLimitWarn")) || limit <= 0)
        return;
    const qint64 used = usedSeconds();
    if (used > qint64(0.8 * limit) && used < qint64(limit) - delayForLimistDisconnect()) {
        warnLimitFlag_ = false;
        runLimitWarning(localizedText(QStringLiteral("Total Time is reaching 80 percent of the limit")));
    }
}

void DialController::recordDataLimitDisconnect()
{
    const double limit = double(yov::nsLongLong(recordValue("recordDataLimit"))) * 1024.0;
    if (!recordValue("recordLimitDisconnect").isValid() || limit <= 0)
        return;
    if (usedDataKB() >= limit)
        limitReachedWhileConnected();
}

void DialController::recordTimeLimitDisconnect()
{
    const double limit = yov::nsDouble(recordValue("recordTimeLimit")) * 3600.0;
    if (!recordValue("recordLimitDisconnect").isValid() || limit <= 0)
        return;
    if (usedSeconds() >= qint64(limit - delayForLimistDisconnect()))
        limitReachedWhileConnected();
}

void DialController::limitReachedWhileConnected()
{
    switch (yov::nsInt(recordValue("recordLimitDisconnect"))) {
    case 1:
        // Whatever is open: the message, and the connection ends (one request, the main button's).
        autoDisconnectFlag_ = false;
        emit limitReachedRequested();
        DialOption(DialSender::ConnectButton);
        break;
    case 0: {
        if (limitAlertOpen())
            return; // asked once the open alert is answered
        autoDisconnectFlag_ = false;
        const qint64 connection = connectionSerial_;
        beginLimitAlert(QStringLiteral("Warning!"), QStringLiteral("Preset limit has been reached. Do you want to disconnect?"),
                        QStringLiteral("Cancel"), [this, connection](int answer) {
                            // Only the connection that reached the limit, and only while it stands.
                            if (answer == 1 && connection == connectionSerial_
                                && connectStatus_ == yov::kConnectStatusConnected)
                                DialOption(DialSender::ConnectButton);
                        });
        break;
    }
    default:
        break;
    }
}

void DialController::runLimitWarning(const QString &text) { emit limitWarningRequested(text); }

// ---- the operator's volume warnings ------------------------------------------------------------

void DialController::recordLimitWarnForVudi()
{
    if (limitAlertOpen())
        return;
    if (!(yov::nsDouble(recordValue("LimitSetValue")) > 0))
        return;
    Neighbours::records().updateInterface();
    if (yov::nsInt(recordValue("LimitSetType")) != 0)
        timeLimitForVudi();
    else if (yov::nsBool(recordValue("DataLimitSet")))
        dataLimitWarnForVudi();
}

void DialController::dataLimitWarnForVudi()
{
    struct Threshold {
        double share;
        const char *setting;
        bool *flag;
        const char *text;
    };
    const Threshold thresholds[] = {
        {1.0, "WarningForLimit100", &warnLimitExceedFlag_,
         "The preset limit on the data volume that is set on the modem has now reached."},
        {0.8, "WarningForLimit80", &warnLimitFlag_, "Total data is reaching 80 percent of the limit"},
        {0.75, "WarningForLimit75", &warnLimit75Flag_, "Total data is reaching 75 percent of the limit"},
        {0.5, "WarningForLimit50", &warnLimit50Flag_, "Total data is reaching 50 percent of the limit"},
        {0.25, "WarningForLimit25", &warnLimit25Flag_, "Total data is reaching 25 percent of the limit"},
    };
    const double total = usedDataKB();
    const double limit = yov::nsDouble(recordValue("LimitSetValue")) * 1024.0;
    // Only the highest threshold passed counts: a lower warning skipped is not given later.
    for (const Threshold &t : thresholds) {
        if (!(total > t.share * limit))
            continue;
        if (yov::nsBool(recordValue(t.setting)) && *t.flag) {
            *t.flag = false;
            runVolumeLimitWaring(QLatin1String(t.text));
        }
        return;
    }
}

void DialController::timeLimitForVudi()
{
    // The limit counts in whole hours.
    const qint64 limit = qint64(yov::nsDouble(recordValue("LimitSetValue"))) * 3600;
    if (limit <= 0)
        return;
    const qint64 total = usedSeconds();
    if (total > limit && warnLimitExceedFlag_) {
        if (yov::nsBool(recordValue("WarningForLimit100"))) {
            warnLimitExceedFlag_ = false;
            warnLimitFlag_ = false;
            beginLimitAlert(QStringLiteral("Warning!"),
                            QStringLiteral("The preset limit on the time volume that is set on the modem has now reached."),
                            QString(), {});
        }
        return;
    }
    if (total > qint64(0.8 * double(limit)) && warnLimitFlag_ && yov::nsBool(recordValue("WarningForLimit80"))) {
        warnLimitFlag_ = false;
        beginLimitAlert(QStringLiteral("Warning!"), QStringLiteral("Total time is reaching 80 percent of the limit."),
                        QString(), {});
    }
}

void DialController::runVolumeLimitWaring(const QString &text)
{
    if (text.isEmpty())
        return;
    beginLimitAlert(QStringLiteral("Warning!"), text, QString(), [this](int) {
        if (yov::nsBool(recordValue("WarningForPlaySound")))
            playShortSound(1);
    });
}

} // namespace ostrel
