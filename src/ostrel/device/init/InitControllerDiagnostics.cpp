// The diagnostics sheet: filling, export, logs, the about link, the report SMS and the cell
// details the modem reports for it.
#include "ostrel/device/init/InitController.h"

#include "common/BuildInfo.h"
#include "common/ValueConversion.h"
#include "common/records/Payload.h"
#include "common/records/UiMsg.h"
#include "common/util/KLog.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/device/service/InitService.h"
#include "ostrel/framework/service/GetSystemInfo.h"
#include "platform/alert/AlertPresenter.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QSysInfo>
#include <QTabBar>
#include <QUrl>

namespace ostrel {

namespace {

// The rows of the export, in order: headings carry no field.
const char *const kDiagHeadings[] = {"Hardware Information:", "Mac OS Information:", "Operational Information:",
                                     "Network Settings:"};
// The export's rows (field or heading) in the order of the sheet's table.
const char *const kDiagExportFields[] = {
    nullptr, "Diag_IMEI", "Diag_FWV", "Diag_HWV", "Diag_CNum", "Diag_IMSI", "Diag_SerialNum", "Diag_DeviceName",
    "Diag_SoftwareVersion", "Diag_DriverVersion", "Diag_PCModel", "Diag_ManuName", "Diag_ManuHomePage",
    nullptr, "Diag_OSVer", "Diag_OSLang",
    nullptr, "Diag_sms", "Diag_contact", "Diag_PinStatus", "Diag_NetworkName", "Diag_NetworkMode",
    "Diag_PreferredMode", "Diag_SignalStrength",
    nullptr, "Diag_SerCell", "Diag_CSRegistration", "Diag_PSRegistration", "Diag_PSAttachment", "Diag_APN"};
// The fields emptied on clearing.
const char *const kDiagClearedFields[] = {
    "Diag_IMEI", "Diag_FWV", "Diag_HWV", "Diag_CNum", "Diag_IMSI", "Diag_SerialNum", "Diag_DeviceName",
    "Diag_sms", "Diag_contact", "Diag_PinStatus", "Diag_NetworkName", "Diag_NetworkMode", "Diag_SignalStrength",
    "Diag_CSRegistration", "Diag_PSRegistration", "Diag_PSAttachment", "Diag_PreferredMode", "Diag_SerCell"};
// The trace files the Logs item opens, in order.
const char *const kDiagLogFiles[] = {"at_read.log", "at_write.log", "at_Modem_read.log", "at_Modem_write.log"};

} // namespace

void InitController::createDiagWindow()
{
    if (m_DiagWindow)
        return;
    m_DiagWindow = new DiagWindow(wndMain);
    connect(m_DiagWindow->m_DiagWindowOKBtn, &QPushButton::clicked, this, [this] { closeDiagWindow(nullptr); });
    connect(m_DiagWindow->m_DiagWindowRefreshBtn, &QPushButton::clicked, this, [this] { refreshDiagWindow(nullptr); });
    connect(m_DiagWindow->m_OpenDiagInfoWithTEBtn, &QPushButton::clicked, this, [this] { OpenDiagInfoInTextEdit(nullptr); });
    connect(m_DiagWindow->btnOpenRssiLacCiWindow_, &QPushButton::clicked, this, [this] { openRssiLacCiWindow(nullptr); });
    connect(m_DiagWindow->btnSendReport_, &QPushButton::clicked, this, [this] { sendReport(nullptr); });
    connect(m_DiagWindow->diagSegmentedTable_, &QTabBar::currentChanged, this,
            [this] { clickDiagSegmentedTable(m_DiagWindow->diagSegmentedTable_); });
}

void InitController::initDiagWindow()
{
    createDiagWindow();
    m_DiagWindow->setWording([this](const QString &key) { return loc(key); });
}

void InitController::clearDiagWindow()
{
    if (!m_DiagWindow)
        return;
    for (const char *field : kDiagClearedFields)
        m_DiagWindow->setText(QLatin1String(field), QString());
}

QString InitController::getDriverVersion() const
{
#ifdef OSTREL_DRIVER_VERSION
    return QStringLiteral(OSTREL_DRIVER_VERSION);
#else
    return QString();
#endif
}

QString InitController::getDataCardDriverVersion() const
{
    return dataCardDriverVersion(driverSysRoot_, QSysInfo::kernelVersion());
}

void InitController::showNetworkNameInDiagnostic()
{
    if (!m_DiagWindow)
        return;
    QString name;
    if (settingBool("Init", "DisPlayBelonetoSPNAtDiagWin")) {
        name = m_SPN.isEmpty() ? loc(QStringLiteral("unknown")) : m_SPN;
    } else {
        const QString local = m_NameOfLocalSPN ? m_NameOfLocalSPN->text() : QString();
        name = local;
        if (local.isEmpty()) {
            name = loc(QStringLiteral("unknown"));
            // displaySPNNameAtDiagWindow: the home name shown in the main window takes its place.
            const QString home = m_NameOfBelonetoSPN ? m_NameOfBelonetoSPN->text() : QString();
            if (settingBool("Internet", "DisPlaySPNAtDiagWin") && !home.isEmpty())
                name = home;
        }
    }
    m_DiagWindow->setText(QStringLiteral("Diag_NetworkName"), name);
}

void InitController::showDiagnosticInfo()
{
    createDiagWindow();
    DiagWindow *w = m_DiagWindow;
    auto put = [this, w](const char *field, const QString &value, const char *key = nullptr) {
        w->setText(QLatin1String(field), value);
        if (key)
            dicDiagWindowInfo_.insert(QLatin1String(key), w->text(QLatin1String(field)));
    };
    put("Diag_SoftwareVersion", yov::BuildInfo::version(), "SoftwareVersion");
    const QString driver = getDriverVersion();
    put("Diag_DriverVersion", driver.isEmpty() ? getDataCardDriverVersion() : driver, "DriverVersion");
    GetSystemInfo *system = GetSystemInfo::sharedGetSystemInfo();
    put("Diag_PCModel", system ? system->getPCModel().value_or(QString()) : QString());
    put("Diag_OSVer", system ? system->getOSVersion() : QString());
    put("Diag_OSLang", system ? system->getOSLanguage() : QString());
    put("Diag_ManuName", loc(QStringLiteral("the name of Manufacturer")));
    put("Diag_ManuHomePage", loc(QStringLiteral("the web site of Manufacturer")));
    if (Neighbours::sms().getNetCardStatus() == 1)
        return;

    const QVariant imei = runtimeObjectForKey(QStringLiteral("runtimeIMEI"));
    if (imei.isValid()) {
        put("Diag_IMEI", yov::nsString(imei), "DIDIZUIMEI");
        dicDiagWindowInfo_.insert(QStringLiteral("IMEI"), yov::nsString(imei));
    }
    put("Diag_FWV", m_FWVersion, "FirmwareVersion");
    put("Diag_HWV", m_HWVersion, "HardwareVersion");
    put("Diag_CNum", getPhoneNum(), "OwnNumber");
    refreshDiagIMSI(true); // the IMSI known, or (when the sheet rereads it) the one the modem reports next
    put("Diag_SerialNum", m_SerialNumber, "SerialNumber");
    put("Diag_DeviceName", m_Devicemodel, "DeviceName");
    put("Diag_sms", Neighbours::sms().getDiagnosticsSMS(), "MessageInSim");
    put("Diag_contact", Neighbours::phonebook().getDiagnosticsContact(), "ContactsInSim");
    put("Diag_PinStatus", Neighbours::setting().getPinStatus(), "PinCodeStatus");
    showNetworkNameInDiagnostic();
    dicDiagWindowInfo_.insert(QStringLiteral("NetworkName"), w->text(QStringLiteral("Diag_NetworkName")));
    put("Diag_NetworkMode", Neighbours::setting().getNetworkSelectionMode(), "NetworkSelectionMode");
    put("Diag_PreferredMode", Neighbours::setting().getNetworkFindModeSelection());
    // The level, or the device-state service's signal text when it has one.
    InitService *service = initService();
    const QString signalText = service ? service->signalStrength() : QString();
    put("Diag_SignalStrength", !signalText.isEmpty()  ? signalText
                               : m_SignalStrength != 0 ? QString::number(m_SignalStrength)
                                                       : QString());
    dicDiagWindowInfo_.insert(QStringLiteral("CellID"), w->text(QStringLiteral("Diag_SerCell")));
    put("Diag_CSRegistration", loc(hasCSDomain() ? QStringLiteral("Registration") : QStringLiteral("Not Registration")),
        "CSNetworkRegistration");
    put("Diag_PSRegistration", loc(hasPSDomain() ? QStringLiteral("Registration") : QStringLiteral("Not Registration")),
        "PSNetworkRegistration");
    put("Diag_PSAttachment", loc(Neighbours::dial().GetisDialNow() ? QStringLiteral("Attached") : QStringLiteral("Detached")),
        "PSNetworkAttachment");
    put("Diag_APN", Neighbours::dial().getDefaultProfileAPN(), "ApnName");
    // The radio texts of the last signal report, whether or not reports refresh the sheet.
    const SignalTracker &radio = networkLogic().signal;
    put("tfdDiagRSCP_", radio.rscp());
    put("tfdDiagRSSI_", radio.rssi(), "RSSI");
    put("tfdDiagECNO_", radio.ecno());
    put("tfdDiagIccid", iccid_);
    put("labelSmsCenter_", Neighbours::setting().readMessageCenter(), "MessageCenterNumber");
    put("lalbelTechnology_", m_network ? m_network->text() : QString());
    showCellDetailsInDiagWindow();
}

void InitController::showDiagInfo(QObject *)
{
    initDiagWindow();
    showDiagnosticInfo();
    m_DiagWindow->show();
    m_DiagWindow->raise();
    m_DiagWindow->activateWindow();
}

void InitController::refreshDiagWindow(QObject *)
{
    showDiagnosticInfo();
}

void InitController::closeDiagWindow(QObject *)
{
    if (m_DiagWindow)
        m_DiagWindow->hide();
}

void InitController::clickDiagSegmentedTable(QObject *)
{
    if (m_DiagWindow)
        m_DiagWindow->diagTableItemView_->setCurrentIndex(m_DiagWindow->currentSegment());
}

QString InitController::diagExport() const
{
    QList<DiagExportRow> rows;
    int heading = 0;
    for (const char *field : kDiagExportFields) {
        if (!field) {
            rows.append({loc(QLatin1String(kDiagHeadings[heading++])), std::nullopt});
            continue;
        }
        QLabel *label = m_DiagWindow ? m_DiagWindow->label(QLatin1String(field)) : nullptr;
        if (!label)
            continue;
        rows.append({label->text(), m_DiagWindow->text(QLatin1String(field))});
    }
    return diagExportText(rows);
}

QString InitController::diagInfoFilePath() const
{
    return config().getFilePathWithFileName(QStringLiteral("DiagInfo.txt"));
}

bool InitController::openFile(const QString &path)
{
    if (openFileHook)
        return openFileHook(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool InitController::OpenDiagInfoInTextEdit(QObject *)
{
    if (!m_DiagWindow)
        showDiagnosticInfo();
    const QString path = diagInfoFilePath();
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        const QByteArray bytes = diagExport().toUtf8();
        written = file.write(bytes) == bytes.size() && file.commit();
    }
    if (!written) {
        qCWarning(lcInit) << "cannot write the diagnostics export" << path << file.errorString();
        alert(loc(QStringLiteral("The diagnostics could not be saved to %1: %2")).replace(QStringLiteral("%1"), path).replace(QStringLiteral("%2"), file.errorString()));
        return false;
    }
    openFile(path);
    return true;
}

void InitController::showLogs(QObject *)
{
    const QDir dir(yov::KLog::sharedLog().logDir());
    for (const char *name : kDiagLogFiles) {
        const QString path = dir.filePath(QLatin1String(name));
        if (!QFileInfo(path).isFile()) {
            qCInfo(lcInit) << "no trace log to open:" << path;
            continue;
        }
        openFile(path);
    }
}

void InitController::openAboutURL(QObject *)
{
    openSafari(loc(QStringLiteral("STRING_ABOUT_URL")));
}

void InitController::sendReport(QObject *)
{
    const QString recipient = yov::nsString(setting(QStringLiteral("SendReportTo"))).trimmed();
    if (recipient.isEmpty()) {
        qCInfo(lcInit) << "no recipient for the diagnostic report (SendReportTo)";
        return;
    }
    showDiagnosticInfo();
    SignalWindow *cell = windowRssiLacCi_.get();
    const QString text = diagReportText(cell ? cell->labelRssiLacCiWindowCiValue_->text() : QString(),
                                        cell ? cell->labelRssiLacCiWindowLacValue_->text() : QString(),
                                        m_DiagWindow->text(QStringLiteral("tfdDiagRSSI_")),
                                        m_DiagWindow->text(QStringLiteral("tfdDiagRSCP_")),
                                        m_DiagWindow->text(QStringLiteral("tfdDiagECNO_")),
                                        m_DiagWindow->text(QStringLiteral("Diag_PSAttachment")),
                                        m_DiagWindow->text(QStringLiteral("Diag_APN")), m_Devicemodel);
    setReportSendFlag(true);
    if (!Neighbours::sms().sendSmsTo(recipient, text, false, true, false)) {
        // Nothing is on its way, so no answer will come to clear the flag.
        setReportSendFlag(false);
        qCInfo(lcInit) << "the diagnostic report was not handed to the SMS page";
    }
}

void InitController::prepareToShowDiagWindow(const yov::Notification &)
{
    showDiagnosticInfo();
    notificationCenter().post(QStringLiteral("diagInfo"), this, dicDiagWindowInfo_);
}

void InitController::dealWithMsgOfCheckYairInfoStatus(const yov::Notification &n)
{
    const Record r = record(n);
    const QByteArray payload = r.payload.bytes(0, kCellDetailsSize);
    const auto details = parseCellDetails(payload, r.result);
    if (!details)
        return;
    diagRAC_ = details->rac;
    diagFrequency_ = details->frequency;
    diagChannel_ = details->channel;
    diagRXqual_ = details->rxQual;
    diagRXlev_ = details->rxLev;
    // The report may come after the sheet was filled: an existing sheet shows it at once.
    if (m_DiagWindow)
        showCellDetailsInDiagWindow();
}

void InitController::showCellDetailsInDiagWindow()
{
    m_DiagWindow->setText(QStringLiteral("tfdDiagRAC_"), diagRAC_);
    m_DiagWindow->setText(QStringLiteral("tfdDiagRXqual_"), diagRXqual_);
    m_DiagWindow->setText(QStringLiteral("tfdDiagRXlev_"), diagRXlev_);
    m_DiagWindow->setText(QStringLiteral("tfdDiagFrequency_"), diagFrequency_);
    m_DiagWindow->setText(QStringLiteral("tfdDiagChannel_"), diagChannel_);
}

void InitController::setDiagServingCell(const QString &cellIdText)
{
    const auto value = nonZeroHexValue(cellIdText);
    if (!value)
        return;
    createDiagWindow();
    m_DiagWindow->setText(QStringLiteral("Diag_SerCell"), QString::number(*value));
    notificationCenter().post(QStringLiteral("ReadCellIDInfo"), this,
                              {{QStringLiteral("CellIDInfo"), QString::number(*value)}});
}

void InitController::applyDiagnosticsEffects(const NetworkEffects &e)
{
    if (!settingBool("Main", "UpdateDiagWindow"))
        return;
    createDiagWindow();
    if (e.diagRscp)
        m_DiagWindow->setText(QStringLiteral("tfdDiagRSCP_"), *e.diagRscp);
    if (e.diagEcno)
        m_DiagWindow->setText(QStringLiteral("tfdDiagECNO_"), *e.diagEcno);
    if (e.diagRssi)
        m_DiagWindow->setText(QStringLiteral("tfdDiagRSSI_"), *e.diagRssi);
    if (e.diagSignalStrength)
        m_DiagWindow->setText(QStringLiteral("Diag_SignalStrength"), *e.diagSignalStrength);
}

} // namespace ostrel
