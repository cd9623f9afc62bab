// The "Network" panel's device settings besides the operator selection: the preferred mode of a
// WCDMA modem, the preference of a CDMA modem, the frequency band, the compact page's network
// controls, and the network device information that sets the connection type.
#include "ostrel/settings/SettingController.h"

#include "common/ValueConversion.h"
#include "common/records/UiMsg.h"
#include "common/records/settings/SettingsRecords.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/controller/SkinManagerAccess.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/service/Platform.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/settings/SettingService.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ostrel {

namespace {

// A matrix of radio cells laid out in rows of `columns` cells.
QButtonGroup *cellMatrix(QGroupBox *box)
{
    auto *group = new QButtonGroup(box);
    new QGridLayout(box);
    return group;
}

QAbstractButton *addCell(QButtonGroup *group, QGroupBox *box, int id, const QString &title, int columns)
{
    auto *radio = new QRadioButton(title, box);
    const int index = int(group->buttons().size());
    group->addButton(radio, id);
    static_cast<QGridLayout *>(box->layout())->addWidget(radio, index / columns, index % columns);
    return radio;
}

void checkCell(QButtonGroup *group, int id)
{
    if (group)
        if (QAbstractButton *cell = group->button(id))
            cell->setChecked(true);
}

// The data of a received record: header fields and the bytes its length field claims.
struct Received {
    int type = 0;
    int module = 0;
    int result = 0;
    int dataLength = 0;
    yov::PayloadReader payload;
};

Received receivedOf(YOVMsgCenter *center, const yov::Notification &n)
{
    yov::UI_MSG msg = yov::zeroMsg();
    if (center)
        center->getMsgPackage(&msg, &n);
    return {msg.type, msg.moduleID, int(std::uint8_t(msg.result)), msg.dataLength, yov::PayloadReader::ofMsg(msg)};
}

} // namespace

// --- building ------------------------------------------------------------------------------------

void SettingController::buildModeAndBandControls(QLayout *controls)
{
    // The WCDMA preferred mode (cells tagged 0-3 until the offered modes trim them).
    auto *modeBox = new QGroupBox(QStringLiteral("Preferred Mode"), networkControls_);
    modeBox->setObjectName(QStringLiteral("matrixSettingNetworkFindModeSeletion"));
    m_NetworkFindModeSeletion_ = cellMatrix(modeBox);
    for (int tag = 0; tag < netmode::kOfferedModeCount; ++tag)
        addCell(m_NetworkFindModeSeletion_, modeBox, tag, netmode::titleOfTag(tag), netmode::kOfferedModeCount);
    m_NetworkFindModeSeletion_->buttons().first()->setChecked(true); // a radio matrix always has a choice
    connect(m_NetworkFindModeSeletion_, &QButtonGroup::idClicked, this, [this] { SetSearchNetClass(m_NetworkFindModeSeletion_); });
    searchModeBox_ = modeBox;
    controls->addWidget(modeBox);

    // The CDMA preference.
    auto *cdmaBox = new QGroupBox(QStringLiteral("Preferred Mode"), networkControls_);
    cdmaBox->setObjectName(QStringLiteral("cdmaNetworkClassLable"));
    m_PreferenceMode_ = cellMatrix(cdmaBox);
    for (int row = 0; row < 3; ++row)
        addCell(m_PreferenceMode_, cdmaBox, row, QString::fromLatin1(netmode::kCdmaTitles[row]), 3);
    checkCell(m_PreferenceMode_, 0);
    connect(m_PreferenceMode_, &QButtonGroup::idClicked, this, [this] { SetPreferenceMode(m_PreferenceMode_); });
    preferenceModeControl_ = cdmaBox;
    controls->addWidget(cdmaBox);

    // The band matrix: one cell per row, its tag a band of the table.
    auto *bandBox = new QGroupBox(QStringLiteral("Set Net Frequency"), networkControls_);
    bandBox->setObjectName(QStringLiteral("matrixFrequencySelect"));
    matrixFrequencySelect_ = cellMatrix(bandBox);
    for (int row = 0; row < kBandMatrixRows; ++row)
        addCell(matrixFrequencySelect_, bandBox, row, QString::fromLatin1(netmode::kNetworkFrequencyString[row]), 2)
            ->setProperty("tag", row);
    checkCell(matrixFrequencySelect_, 0);
    bandBox_ = bandBox;
    controls->addWidget(bandBox);
    defaultBandTag_ = yov::nsInt(setting(QStringLiteral("DefaultBandFrequency")));
}

bool SettingController::isSmartUI() const { return yov::nsBool(uiConfigDict().value(QStringLiteral("SmartUI"))); }

void SettingController::initNetworkModuleWording()
{
    if (methodBox_)
        static_cast<QGroupBox *>(methodBox_.data())->setTitle(tr_(QStringLiteral("Operator Selection")));
    if (matrixSettingMethodToSelectNet_) {
        if (QAbstractButton *cell = matrixSettingMethodToSelectNet_->button(0))
            cell->setText(tr_(QStringLiteral("Automatic")));
        if (QAbstractButton *cell = matrixSettingMethodToSelectNet_->button(1))
            cell->setText(tr_(QStringLiteral("Manual")));
    }
    if (auto *box = qobject_cast<QGroupBox *>(searchModeBox_.data()))
        box->setTitle(tr_(QStringLiteral("Preferred Mode")));
    if (auto *box = qobject_cast<QGroupBox *>(preferenceModeControl_.data()))
        box->setTitle(tr_(QStringLiteral("Preferred Mode")));
    if (m_NetworkFindModeSeletion_)
        for (QAbstractButton *cell : m_NetworkFindModeSeletion_->buttons())
            cell->setText(tr_(netmode::titleOfTag(m_NetworkFindModeSeletion_->id(cell))));
    if (m_PreferenceMode_)
        for (int row = 0; row < 3; ++row)
            if (QAbstractButton *cell = m_PreferenceMode_->button(row))
                cell->setText(tr_(QString::fromLatin1(netmode::kCdmaTitles[row])));
    if (roamingBox_)
        roamingBox_->setTitle(tr_(QStringLiteral("Roaming")));
    if (btnNroamSwitchSetting_)
        btnNroamSwitchSetting_->setText(tr_(QStringLiteral("national roam")));
    if (btnIroamSwitchSetting_)
        btnIroamSwitchSetting_->setText(tr_(QStringLiteral("International roam")));
    if (matrixRoamingSet_) {
        if (QAbstractButton *cell = matrixRoamingSet_->button(0))
            cell->setText(tr_(QStringLiteral("Home IMSI")));
        if (QAbstractButton *cell = matrixRoamingSet_->button(1))
            cell->setText(tr_(QStringLiteral("Roaming IMSI")));
    }
    initNetSelectSheetWording();
    initNetFrequencySet();
}

// --- preferred mode ----------------------------------------------------------------------------

void SettingController::ConfigNetworkSelectMode()
{
    const QVariant offered = setting(QStringLiteral("NetworkSelectMode"));
    if (!offered.isValid() || !m_NetworkFindModeSeletion_)
        return;
    const QList<int> kept = netmode::offeredModeTags(offered);
    for (QAbstractButton *cell : m_NetworkFindModeSeletion_->buttons()) {
        const int tag = m_NetworkFindModeSeletion_->id(cell);
        if (tag >= 0 && tag < netmode::kOfferedModeCount && !kept.contains(tag)) {
            m_NetworkFindModeSeletion_->removeButton(cell);
            delete cell;
        }
    }
    if (!m_NetworkFindModeSeletion_->checkedButton() && !m_NetworkFindModeSeletion_->buttons().isEmpty())
        m_NetworkFindModeSeletion_->buttons().first()->setChecked(true);
}

bool SettingController::NetworkModeHasModuleWith(const QString &name) const
{
    const QVariant offered = setting(QStringLiteral("NetworkSelectMode"));
    for (const QVariant &v : yov::nsArray(offered))
        if (yov::nsString(v) == name)
            return true;
    return false;
}

int SettingController::getNetworkMode() const
{
    return m_NetworkFindModeSeletion_ ? m_NetworkFindModeSeletion_->checkedId() : -1;
}

int SettingController::getCurrentNetWorkPreferedMode() const { return netmode::deviceCodeOfTag(getNetworkMode()); }

QString SettingController::getNetworkFindModeSelection() const
{
    return tr_(netmode::findModeSelectionTitle(getNetworkMode()));
}

void SettingController::saveCurrentNetPreferedMode()
{
    if (!setting(QStringLiteral("CurrentPreSys")).isValid())
        return;
    config().setConfigurationByModule(QStringLiteral("CurrentPreSys"), getNetworkMode());
    writeSettings();
}

void SettingController::SetSearchNetClass(QObject *)
{
    if (isSmartUI()) {
        setMatrixFrequencySelectEnable(true);
        return;
    }
    if (yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("noNeedSendATWhenClickPreferMode"))))
        return;
    const int tag = getNetworkMode();
    if (tag == netmode::kTag3GPreferred
        && yov::nsBool(setting(QStringLiteral("Internet"), QStringLiteral("d3uAlertSel3G_PreferWhenSignalToNoSignal"))))
        Neighbours::init().setAllowAlertSel3GPreferWhenSignalToNoSignal(true);
    ConfigService(&config()).saveCurrentNetPreferedMode(tag);
    saveCurrentNetPreferedMode();
    sendAutoNetSelectToBack();
}

int SettingController::searchModeFor(netmode::SearchSend send) const
{
    netmode::SearchModeSwitches switches;
    switches.d3uFromKV402 = yov::nsBool(setting(QStringLiteral("specialSoftVersion"), QStringLiteral("D3UFromKV402")));
    switches.noNetWorkSelectMode = yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("noNetWorkSelectMode")));
    switches.sendYSNT000AfterRegisterNetworkManually =
        yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("SendYSNT000AfterRegisterNetworkManually")));
    switches.setSearchNetMode2GOnlyIfChoose3GPref = ConfigService(&config()).isSetSearchNetMode2GOnly();
    return netmode::searchModeFor(switches, send, getNetworkMode());
}

bool SettingController::sendAutoNetSelectToBack(bool backToAuto)
{
    yov::SearchModeRecord record;
    record.searchMode = searchModeFor(backToAuto ? netmode::SearchSend::BackToAuto : netmode::SearchSend::ModeChange);
    return yovMsgCenter()
           && yovMsgCenter()->sendCatalogued<yov::netsetmsg::kMajor, yov::netsetmsg::kMinorSearchMode>(record);
}

void SettingController::SetPreferenceMode(QObject *)
{
    const int tag = m_PreferenceMode_ ? m_PreferenceMode_->checkedId() : -1;
    if (yovMsgCenter())
        yovMsgCenter()->sendCatalogued<yov::netsetmsg::kMajorCdma, yov::netsetmsg::kMinorCdmaPreference>(
            yov::Int32Record{netmode::cdmaValueOfTag(tag)});
}

void SettingController::dealWithMsgOfCheckPreferenceMode(int value)
{
    if (!hasNetworkPanel())
        return;
    const std::optional<int> tag = netmode::cdmaTagOfValue(value);
    if (!tag)
        return;
    checkCell(m_PreferenceMode_, *tag);
    if (preferenceModeControl_)
        preferenceModeControl_->setEnabled(true);
}

void SettingController::dealWithMsgOfCheckSearchmode(int mode, int selected, int pref)
{
    if (!hasNetworkPanel() || operatorSelectionUnderWay())
        return;
    if (const std::optional<int> tag = netmode::tagOfModeReport(selected, pref, mode))
        checkCell(m_NetworkFindModeSeletion_, *tag);
    if (searchModeBox_)
        searchModeBox_->setEnabled(selected == 0);
    checkCell(matrixSettingMethodToSelectNet_, selected);
    if (methodBox_)
        methodBox_->setEnabled(true);
    setMatrixFrequencySelectEnable(true);
    setSaveNetAndFrequencySettingBtnEnable(true);
    smartUISetMatrixEnable(selected != 0);
}

void SettingController::dealWithMsgOfCheckSearchmodeForIcera(int mode, int selected)
{
    if (!hasNetworkPanel() || operatorSelectionUnderWay())
        return;
    if (methodBox_)
        methodBox_->setEnabled(true);
    checkCell(matrixSettingMethodToSelectNet_, selected);
    const bool smart = isSmartUI();
    if (searchModeBox_)
        searchModeBox_->setEnabled(!smart);
    setMatrixFrequencySelectEnable(!smart);
    const ConfigService service(&config());
    checkCell(m_NetworkFindModeSeletion_,
              netmode::tagOfIceraModeReport(mode, service.isSetSearchNetMode2GOnly(), service.isSetCurrentNetPreferedMode()));
    setSaveNetAndFrequencySettingBtnEnable(true);
    if (smartAutoConnectBox_)
        smartAutoConnectBox_->setEnabled(true);
    setSaveAutoConnectSettingBtnEnable(true);
}

void SettingController::setWCDMASelectNetworkVisible(bool hidden)
{
    if (hasNetworkPanel() && searchModeBox_)
        searchModeBox_->setHidden(hidden);
}

void SettingController::setCDMASelectNetworkVisible(bool hidden)
{
    if (hasNetworkPanel() && preferenceModeControl_)
        preferenceModeControl_->setHidden(hidden);
}

// --- band ------------------------------------------------------------------------------------------

int SettingController::getFrequencyTag(const QString &name) { return netmode::getFrequencyTag(name); }

int SettingController::bandTagAtRow(int row) const
{
    QAbstractButton *cell = matrixFrequencySelect_ ? matrixFrequencySelect_->button(row) : nullptr;
    return cell ? cell->property("tag").toInt() : -2;
}

int SettingController::selectedBandRow() const
{
    return matrixFrequencySelect_ ? matrixFrequencySelect_->checkedId() : -1;
}

namespace {
void selectBandTag(QButtonGroup *matrix, int tag)
{
    if (!matrix)
        return;
    for (QAbstractButton *cell : matrix->buttons())
        if (cell->property("tag").toInt() == tag) {
            cell->setChecked(true);
            return;
        }
}
} // namespace

void SettingController::initNetFrequencySet()
{
    if (!bandBox_ || !matrixFrequencySelect_)
        return;
    static_cast<QGroupBox *>(bandBox_.data())->setTitle(tr_(QStringLiteral("Set Net Frequency")));
    if (setting(QStringLiteral("IceraBandNames")).isValid())
        return;
    const netmode::BandMatrixLayout layout =
        netmode::bandMatrixLayout(setting(QStringLiteral("Setting"), QStringLiteral("FrequencySetting")), kBandMatrixRows);
    // The save button goes with the box: it would send a band the user cannot see.
    bandBox_->setVisible(layout.shown);
    if (bandSaveButton_)
        bandSaveButton_->setVisible(layout.shown);
    if (!layout.shown)
        return;
    // A row that no entry names (an "Index" given twice) has no band of the settings to offer.
    for (QAbstractButton *button : matrixFrequencySelect_->buttons()) {
        button->setProperty("tag", -1);
        button->setProperty("unknownBand", true);
        button->setEnabled(false);
    }
    for (const netmode::BandCell &cell : layout.cells) {
        QAbstractButton *button = matrixFrequencySelect_->button(cell.row);
        if (!button)
            continue;
        button->setProperty("tag", cell.tag);
        button->setText(tr_(cell.title));
        // A name outside the band table has no band to send.
        button->setProperty("unknownBand", !cell.enabled);
        button->setEnabled(cell.enabled);
    }
    checkCell(matrixFrequencySelect_, layout.selectedRow);
}

void SettingController::SetNetFrequency(QObject *sender)
{
    QAbstractButton *cell = nullptr;
    if (auto *group = qobject_cast<QButtonGroup *>(sender))
        cell = group->checkedButton();
    else if (auto *button = qobject_cast<QAbstractButton *>(sender))
        cell = button;
    else if (matrixFrequencySelect_)
        cell = matrixFrequencySelect_->checkedButton();
    // Hidden band controls (settings without a fitting band list) have no band to send.
    if (!cell || cell->property("unknownBand").toBool() || (bandBox_ && bandBox_->isHidden()))
        return;
    if (yovMsgCenter())
        yovMsgCenter()->sendCatalogued<yov::netsetmsg::kMajor, yov::netsetmsg::kMinorBand>(
            yov::Int32Record{cell->property("tag").toInt()});
}

void SettingController::restoreCurrentBand()
{
    const int method = matrixSettingMethodToSelectNet_ ? matrixSettingMethodToSelectNet_->checkedId() : 0;
    if (method == 1 && currentBandTag_ >= 1 && currentBandTag_ <= 3)
        selectBandTag(matrixFrequencySelect_, currentBandTag_);
    else
        selectBandTag(matrixFrequencySelect_, defaultBandTag_);
}

void SettingController::setMatrixFrequencySelectEnable(bool flag)
{
    if (!bandBox_)
        return;
    if (isSmartUI() && getCurrentNetWorkPreferedMode() == 0)
        flag = false;
    bandBox_->setEnabled(flag);
}

void SettingController::dealWithMsgOfSetBandFrequency(const yov::Notification &n)
{
    if (Platform::sharedPlatform()->platform() != Platform::Icera)
        return;
    const Received r = receivedOf(yovMsgCenter(), n);
    if (r.type != 1)
        return;
    switch (r.result) {
    case yov::netsetmsg::kBandReplug:
        alertWarning(QStringLiteral("Please replug the device"));
        restoreCurrentBand();
        return;
    case yov::netsetmsg::kBandOk:
        if (QAbstractButton *cell = matrixFrequencySelect_ ? matrixFrequencySelect_->checkedButton() : nullptr)
            currentBandTag_ = cell->property("tag").toInt();
        break;
    case yov::netsetmsg::kBandFailed:
        alertWarning(QStringLiteral("Failed to set frequency band"));
        restoreCurrentBand();
        break;
    default:
        break;
    }
    SetSearchNetMode(nullptr);
}

void SettingController::dealWithMsgOfCheckNetChannel(const yov::Notification &n)
{
    const Received r = receivedOf(yovMsgCenter(), n);
    // Only the settings' own band report counts: any other record would change the band unasked.
    const std::optional<int> tag = netmode::bandReportTag(r.type, r.module, r.dataLength, r.payload.int32(0));
    if (!tag)
        return;
    selectBandTag(matrixFrequencySelect_, *tag);
    initSmartFrequencyWithTag(*tag);
}

// --- network device information ------------------------------------------------------------------

void SettingController::sendGetNetDeviceInfo()
{
    if (yovMsgCenter())
        yovMsgCenter()->sendCatalogued<yov::netsetmsg::kMajorDeviceInfo, yov::netsetmsg::kMinorNetDeviceInfo>();
}

void SettingController::dealWithMsgOfNetDeviceInfo(const yov::Notification &n)
{
    const Received r = receivedOf(yovMsgCenter(), n);
    if (const std::optional<int> type = netmode::connectTypeOfNetDeviceInfo(r.type, r.dataLength, r.payload.int32(4)))
        writeConnectType(*type);
}

// --- compact page ------------------------------------------------------------------------------

void SettingController::smartUISetMatrixEnable(bool flag)
{
    if (!isSmartUI())
        return;
    setMatrixFrequencySelectEnable(flag);
    if (searchModeBox_)
        searchModeBox_->setEnabled(flag);
}

void SettingController::smartUISetNetSearchMode(QObject *)
{
    const int method = matrixSettingMethodToSelectNet_ ? matrixSettingMethodToSelectNet_->checkedId() : 0;
    if (method == 0) {
        SettingService::sharedSettingService().isManualSearchingNetFlag = false;
        selectBandTag(matrixFrequencySelect_, 3);
        checkCell(m_NetworkFindModeSeletion_, netmode::kTag3GPreferred);
        smartUISetMatrixEnable(false);
    } else {
        SettingService::sharedSettingService().isManualSearchingNetFlag = true;
        smartUISetMatrixEnable(true);
    }
}

void SettingController::smartUIInitNetworkSetting()
{
    if (!isSmartUI())
        return;
    smartUISetNetSearchMode(nullptr);
    SetNetFrequency(matrixFrequencySelect_);
    sendAutoNetSelectToBack();
}

void SettingController::smartUISaveNetAndFrequencySetting(QObject *)
{
    searchingNetworkUI(true);
    armModeWait(); // on chipset family 1 the band's answer sends 513/76; it may never come
    SetNetFrequency(matrixFrequencySelect_);
    if (Platform::sharedPlatform()->platform() != Platform::Icera)
        SetSearchNetMode(nullptr);
}

void SettingController::initSmartFrequencyWithTag(int tag)
{
    if (!isSmartUI())
        return;
    if (tag > 0) {
        selectBandTag(matrixFrequencySelect_, tag);
        currentBandTag_ = tag;
        return;
    }
    selectBandTag(matrixFrequencySelect_, 3);
    if (currentBandTag_ != 3) {
        currentBandTag_ = 3;
        if (yovMsgCenter())
            yovMsgCenter()->sendCatalogued<yov::netsetmsg::kMajor, yov::netsetmsg::kMinorBand>(yov::Int32Record{3});
    }
}

void SettingController::setSaveNetAndFrequencySettingBtnEnable(bool enable)
{
    if (!isSmartUI() || !yovSkinManager())
        return;
    if (auto *button = qobject_cast<QWidget *>(yovSkinManager()->controllerByKey(QStringLiteral("btnSaveInFrequencySelect"))))
        button->setEnabled(enable);
}

void SettingController::setSaveAutoConnectSettingBtnEnable(bool enable)
{
    if (!isSmartUI() || !yovSkinManager())
        return;
    if (auto *button = qobject_cast<QWidget *>(yovSkinManager()->controllerByKey(QStringLiteral("btnSaveInAutoConnect"))))
        button->setEnabled(enable);
}

void SettingController::setSmartModel(const QString &model)
{
    if (!isSmartUI() || !yovSkinManager())
        return;
    QObject *item = yovSkinManager()->controllerByKey(QStringLiteral("ProductName"));
    if (auto *label = qobject_cast<QLabel *>(item))
        label->setText(model);
    else if (item)
        item->setProperty("text", model);
}

void SettingController::setSearchNetModeForKV424(QObject *)
{
    const int method = matrixSettingMethodToSelectNet_ ? matrixSettingMethodToSelectNet_->checkedId() : -1;
    if (method != 0 && method != 1)
        return;
    clearRemptyNetListView();
    if (searchModeBox_)
        searchModeBox_->setEnabled(method == 0);
    if (btnSearchNetResultForKV424_)
        btnSearchNetResultForKV424_->setEnabled(method == 1);
    if (method == 0)
        sendAutoNetSelectToBack();
}

} // namespace ostrel
