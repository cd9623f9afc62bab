#include "ostrel/framework/update/AEMessage.h"

#include "common/BuildInfo.h"
#include "common/InstallLayout.h"
#include "common/PlistBridge.h"
#include "common/TextFormat.h"
#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/SystemLanguages.h"
#include "ostrel/framework/update/UpdateCfgIni.h"
#include "ostrel/framework/update/UpdateLog.h"
#include "platform/Clock.h"
#include "platform/process/ProgramLauncher.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace ostrel {

Q_LOGGING_CATEGORY(lcUpdate, "ostrel.update")

namespace {
const char kUpdateFolderKey[] = "/Update";
const char kLocalInfoKey[] = "/Update/LocalInfo.plist";
const char kImeiInfoKey[] = "/Update/IMEIInfo.plist";
const char kIniKey[] = "/Update/UpdateCfg.ini";
const char kCfgPlistKey[] = "/Update/UpdateCfg.plist";

const QString kCmdId = QStringLiteral("CMD_ID");
const QString kUpdateMode = QStringLiteral("UPDATE_MODE");
const QString kDeviceState = QStringLiteral("DEVICE_STATE");
const QString kUiLanguage = QStringLiteral("UI_Language");
const QString kWhetherAuto = QStringLiteral("WHETHER_AUTO");
const QString kConnect = QStringLiteral("CONNECT");
const QString kPath = QStringLiteral("kPath");
const QString kImei = QStringLiteral("IMEI");
const QString kImeiLocked = QStringLiteral("IMEI_ISLOCKED");

constexpr int kConnected = 3;
constexpr int kIntervalDays = 30;
} // namespace

AEMessage *AEMessage::defaultAEMessage()
{
    static AEMessage shared;
    return &shared;
}

AEMessage::AEMessage() : AEMessage(Environment()) {}

AEMessage::AEMessage(Environment env) : env_(std::move(env))
{
    checkingSupportUpdate();
}

ConfigManager *AEMessage::store() const
{
    return env_.store ? env_.store : ConfigManager::sharedConfigManager();
}

QDateTime AEMessage::now() const
{
    return (env_.clock ? *env_.clock : yov::Clock::system()).now();
}

QString AEMessage::path(const char *key) const
{
    return store()->configFilePathOfKey(QString::fromUtf8(key));
}

void AEMessage::checkingSupportUpdate()
{
    const QString folder = path(kUpdateFolderKey);
    bool supported = !folder.isEmpty() && QFileInfo(folder).isDir() && !path(kLocalInfoKey).isEmpty();
    if (supported) {
        for (const char *name : {"IMEIInfo.plist", "LocalInfo.plist", "UpdateCfg.ini", "UpdateCfg.plist"}) {
            if (!QFileInfo(QDir(folder).filePath(QString::fromUtf8(name))).isFile()) {
                supported = false;
                break;
            }
        }
    }
    m_isSupportUpdateFunction = supported;
    if (!supported)
        return;

    if (!yov::nsBool(store()->getConfigurationByModule(QStringLiteral("CheckIntervalDays"))))
        return;
    const QVariant updateTime = store()->getConfigurationByModule(QStringLiteral("UpdateTime"));
    if (!updateTime.isValid()) {
        // Remembered in memory only: the next writer of settings.plist stores it.
        store()->setConfigurationByModule(QStringLiteral("UpdateTime"), now());
        m_isPastIntervalDays = false;
        return;
    }
    const QDateTime date = updateTime.toDateTime();
    if (updateTime.typeId() != QMetaType::QDateTime || !date.isValid()) {
        qCWarning(lcUpdate) << "UpdateTime in settings.plist is not a date; no automatic update check";
        m_isPastIntervalDays = false;
        return;
    }
    m_isPastIntervalDays = cheakingIntervalDay(date, now());
}

bool AEMessage::cheakingIntervalDay(const QDateTime &date, const QDateTime &now)
{
    const double days = double(date.msecsTo(now)) / 1000.0 / 3600.0 / 24.0;
    if (days < 0)
        return false;
    return std::round(days + 0.5) > kIntervalDays;
}

QString AEMessage::dottedVersion(const QString &text, bool requireB)
{
    const qsizetype v = text.lastIndexOf(u'V');
    if (v < 0 || v == text.size() - 1)
        return QString("");
    QString rest = text.mid(v + 1);
    const qsizetype b = rest.indexOf(u'B');
    if (b < 0)
        return requireB ? QString("") : rest;
    rest[b] = u'.';
    return rest;
}

bool AEMessage::autoUpdateEnabled() const
{
    return yov::nsBool(store()->getConfigurationByModule(QStringLiteral("AUTOUPDATE_ENABLE")));
}

bool AEMessage::newUpdate() const
{
    return yov::nsBool(store()->getConfigurationByModule(QStringLiteral("NewUpdate")));
}

QString AEMessage::uiLanguage() const
{
    const QStringList langs = env_.systemLanguages ? env_.systemLanguages() : SystemLanguages::preferred();
    return langs.value(0, QString(""));
}

bool AEMessage::connected() const
{
    return connectStatus_ && connectStatus_() == kConnected;
}

// ---- Files of the update folder ------------------------------------------------------------------

QVariantMap AEMessage::getLocalInfo() const
{
    QVariantMap info = yov::nsDict(yov::PlistBridge::readFile(path(kLocalInfoKey)).value_or(QVariant()));
    const QVariantMap imei = yov::nsDict(yov::PlistBridge::readFile(path(kImeiInfoKey)).value_or(QVariant()));
    info.insert(QStringLiteral("UNSIGNED_ID"),
                yov::nsBool(imei.value(kImeiLocked)) ? yov::nsString(imei.value(kImei)) : QString(""));
    return info;
}

bool AEMessage::updateLocalInfo(const QVariantMap &changes)
{
    const QString file = path(kLocalInfoKey);
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return false; // nothing is written for a change while the file is missing
    QString error;
    const auto current = yov::PlistBridge::readFile(file, &error);
    if (!current || current->typeId() != QMetaType::QVariantMap) {
        qCWarning(lcUpdate).noquote() << "LocalInfo.plist is unreadable; not changed:" << error;
        return false;
    }
    QVariantMap info = current->toMap();
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        info.insert(it.key(), it.value());
    if (!yov::PlistBridge::writeFile(file, info, &error)) {
        qCWarning(lcUpdate).noquote() << "Cannot write LocalInfo.plist:" << error;
        return false;
    }
    return true;
}

void AEMessage::dealWithUIVersion()
{
    if (!m_isSupportUpdateFunction)
        return;
    QString version = env_.versionText.isEmpty() ? QCoreApplication::applicationVersion() : env_.versionText;
    if (version.isEmpty())
        version = yov::BuildInfo::version();
    // A version that is already dotted ("0.1.0", the build's own) is sent as it is; a product
    // version text ("...V1.2B03") is read by its "V" and "B".
    const bool dotted = !version.isEmpty() && version.front().isDigit() && version.back().isDigit()
                        && std::all_of(version.cbegin(), version.cend(),
                                       [](QChar c) { return c.isDigit() || c == u'.'; });
    updateLocalInfo({{QStringLiteral("UI_VERSION"), dotted ? version : dottedVersion(version, true)},
                     {QStringLiteral("SV_INTERNAL"),
                      env_.internalRevision.isNull() ? yov::BuildInfo::internalRevision() : env_.internalRevision},
                     {QStringLiteral("SV"), env_.shortVersion.isNull() ? yov::BuildInfo::version() : env_.shortVersion}});
}

void AEMessage::dealWithMCCMNC(const QString &mccMnc)
{
    if (!m_isSupportUpdateFunction || mccMnc.isEmpty())
        return;
    updateLocalInfo({{QStringLiteral("GP_MCCMNC"), mccMnc}});
}

void AEMessage::dealWithFirmwareVersion(const QString &version)
{
    if (!m_isSupportUpdateFunction)
        return;
    updateLocalInfo({{QStringLiteral("FW_VERSION"), dottedVersion(version, false)},
                     {QStringLiteral("FW"), version.isNull() ? QString("") : version}});
}

void AEMessage::dealWithDeviceType(const QString &type)
{
    if (!m_isSupportUpdateFunction)
        return;
    updateLocalInfo({{QStringLiteral("DEVICE_TYPE"), type.isNull() ? QString("") : type}});
}

void AEMessage::dealWithIMEI(const QString &imei)
{
    if (!m_isSupportUpdateFunction || imei.isEmpty())
        return;
    const QString file = path(kImeiInfoKey);
    QString error;
    const auto current = yov::PlistBridge::readFile(file, &error);
    if (!current || current->typeId() != QMetaType::QVariantMap) {
        qCWarning(lcUpdate).noquote() << "IMEIInfo.plist is unreadable; identity not recorded:" << error;
        return;
    }
    QVariantMap info = current->toMap();
    if (yov::nsBool(info.value(kImeiLocked))) {
        qCInfo(lcUpdate).noquote() << yov::formatPlaceholders(
            QStringLiteral("The IMEIInfo has already locked with the IMEI: %@"), {yov::nsString(info.value(kImei))});
        return;
    }
    info.insert(kImei, imei);
    info.insert(kImeiLocked, true);
    if (!yov::PlistBridge::writeFile(file, info, &error))
        qCWarning(lcUpdate).noquote() << "Cannot write IMEIInfo.plist:" << error;
}

// ---- Messages ------------------------------------------------------------------------------------

bool AEMessage::SendMessage(const QVariantMap &dictionary, const QString &code, const QString &appId)
{
    QString error;
    const auto xml = yov::PlistBridge::toXml(dictionary, &error);
    if (!xml) {
        qCWarning(lcUpdate).noquote() << "Update message not sent:" << error;
        return false;
    }
    const QString objectPath = QLatin1Char('/') + QString(appId).replace(u'.', u'/');
    QDBusMessage message = QDBusMessage::createMethodCall(appId, objectPath, appId, code);
    message << QString::fromUtf8(*xml);
    message.setAutoStartService(false);
    const QDBusConnection bus =
        env_.busConnection.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(env_.busConnection);
    if (!bus.isConnected()) {
        qCDebug(lcUpdate) << "No session bus; update message dropped";
        return false;
    }
    // One way: any reply (or the error of a missing receiver) is discarded.
    return bus.send(message);
}

void AEMessage::dealWithDeviceReady()
{
    send_DeviceOK_Msg();
    send_FirmwareUpdate_Msg();
}

bool AEMessage::send_Init_Msg()
{
    if (!m_isSupportUpdateFunction || !autoUpdateEnabled())
        return false;
    return SendMessage({{kCmdId, qint64(kCmdInit)}});
}

// The fields every update request carries: the local version information, the mode, the device
// state and the UI language.
QVariantMap AEMessage::updateRequest(int mode) const
{
    QVariantMap msg = getLocalInfo();
    msg.insert(kCmdId, qint64(kCmdUpdate));
    msg.insert(kUpdateMode, qint64(mode));
    msg.insert(kDeviceState, m_isDeviceReady);
    msg.insert(kUiLanguage, uiLanguage());
    return msg;
}

bool AEMessage::send_ManualUpdate_Msg()
{
    if (!m_isSupportUpdateFunction)
        return false;
    QVariantMap msg = updateRequest(1);
    if (newUpdate())
        msg.insert(kWhetherAuto, QStringLiteral("0"));
    if (connected())
        msg.insert(kConnect, qint64(1));
    return SendMessage(msg);
}

bool AEMessage::send_FirmwareUpdate_Msg()
{
    if (!m_isSupportUpdateFunction || !autoUpdateEnabled() || !m_isPastIntervalDays)
        return false;
    QVariantMap msg = updateRequest(3);
    msg.insert(kPath, env_.resourcesPath.isEmpty() ? yov::InstallLayout::resourcesDir(env_.programDir)
                                                   : env_.resourcesPath);
    if (connected())
        msg.insert(kConnect, qint64(1));
    return SendMessage(msg);
}

bool AEMessage::send_AutoUpdate_Msg()
{
    if (!m_isSupportUpdateFunction || !autoUpdateEnabled() || !m_isPastIntervalDays)
        return false;
    QVariantMap msg = updateRequest(3);
    if (newUpdate())
        msg.insert(kWhetherAuto, QStringLiteral("1"));
    return SendMessage(msg);
}

bool AEMessage::send_DeviceOK_Msg()
{
    if (!m_isSupportUpdateFunction)
        return false;
    m_isDeviceReady = true;
    if (!autoUpdateEnabled() || !m_isPastIntervalDays)
        return false;
    QVariantMap msg = getLocalInfo();
    msg.insert(kCmdId, qint64(kCmdDeviceState));
    msg.insert(kDeviceState, true);
    msg.insert(kUiLanguage, uiLanguage());
    return SendMessage(msg);
}

bool AEMessage::send_DeviceOut_Msg()
{
    if (!m_isSupportUpdateFunction)
        return false;
    m_isDeviceReady = false;
    QVariantMap msg = getLocalInfo();
    msg.insert(kCmdId, qint64(kCmdDeviceState));
    msg.insert(kDeviceState, false);
    msg.insert(kUiLanguage, uiLanguage());
    return SendMessage(msg);
}

int AEMessage::handleAppleEvent(const QString &xmlPlist)
{
    const auto parsed = yov::PlistBridge::parse(xmlPlist.toUtf8());
    return parsed ? yov::nsInt(yov::nsDict(*parsed).value(kCmdId)) : 0;
}

void AEMessage::ApplicationFinishLaunchHook()
{
    dealWithUIVersion();
    start_Updater();
    send_Init_Msg();
}

// ---- Settings file -------------------------------------------------------------------------------

bool AEMessage::setAutoUpdate(bool on)
{
    if (!m_isSupportUpdateFunction)
        return false;
    return UpdateCfgIni::rewriteFile(path(kIniKey), QStringLiteral("ENABLE_UPDATE="), on ? QStringLiteral("1")
                                                                                          : QStringLiteral("0"));
}

bool AEMessage::setServiceAddress(const QString &address)
{
    if (!m_isSupportUpdateFunction)
        return false;
    return UpdateCfgIni::rewriteFile(path(kIniKey), QStringLiteral("ServiceURL="), address);
}

bool AEMessage::setUpdateDuration(int days)
{
    if (!m_isSupportUpdateFunction)
        return false;
    return UpdateCfgIni::rewriteFile(path(kIniKey), QStringLiteral("UPDATE_FREQUENCE="), QString::number(days));
}

// ---- Programs ------------------------------------------------------------------------------------

bool AEMessage::launch(const QString &name)
{
    const QString programDir = env_.programDir.isEmpty() ? QCoreApplication::applicationDirPath() : env_.programDir;
    const QString program = QDir(programDir).filePath(name);
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable()) {
        qCInfo(lcUpdate).noquote() << "No" << name << "at" << program << "; not started";
        return false;
    }
    // Started like every other program of the dashboard: from its path, no shell, detached.
    const bool started = yov::ProgramLauncher::shared().startDetached(program, {});
    if (!started)
        qCWarning(lcUpdate).noquote() << "Cannot start" << program;
    return started;
}

bool AEMessage::start_Updater()
{
    if (!m_isSupportUpdateFunction)
        return false;
    return launch(QStringLiteral("kestrin"));
}

bool AEMessage::DealOnlyDiagPort()
{
    if (!m_isSupportUpdateFunction)
        return false;
    return launch(QStringLiteral("tamber"));
}

bool AEMessage::creatUpdatePath()
{
    if (!m_isSupportUpdateFunction)
        return false;
    return QDir().mkpath(QDir(path(kUpdateFolderKey)).filePath(QStringLiteral("Auto_Update/download")));
}

} // namespace ostrel
