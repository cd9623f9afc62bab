// The "Network" panel's operator selection: automatic, or a manual search whose operators are
// listed in a sheet, the registration on the chosen one and every outcome of it, the return to
// automatic selection, the device's own report of the selection mode, and the busy state that
// keeps the window's other controls off while a request is pending.
//
// The device may take minutes or never answer, and may go away mid-request: every request has a
// time-out on the selection clock, status checks are cancelled when their context ends, and a
// device removal closes the sheet and drops late answers. Nothing leaves the window disabled.
#include "ostrel/settings/SettingController.h"

#include "common/ValueConversion.h"
#include "common/records/UiMsg.h"
#include "common/records/settings/NetworkSelectionRecords.h"
#include "ostrel/device/service/InitService.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/settings/NetListModel.h"
#include "ostrel/settings/NetworkSelection.h"
#include "ostrel/settings/SettingService.h"

#include <QAbstractButton>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <QVBoxLayout>

#include <limits>

namespace ostrel {

namespace {

yov::UI_MSG messageOf(YOVMsgCenter *center, const yov::Notification &n)
{
    yov::UI_MSG msg = yov::zeroMsg();
    if (center)
        center->getMsgPackage(&msg, &n);
    return msg;
}

int resultOf(const yov::UI_MSG &msg) { return int(std::uint8_t(msg.result)); }

void selectRow(QButtonGroup *group, int id)
{
    if (group)
        if (QAbstractButton *cell = group->button(id))
            cell->setChecked(true);
}

} // namespace

// --- building ------------------------------------------------------------------------------------

void SettingController::connectNetworkSelection()
{
    if (matrixSettingMethodToSelectNet_)
        connect(matrixSettingMethodToSelectNet_, &QButtonGroup::idClicked, this, [this] { SetSearchNetMode(nullptr); });
    // The panel's search button searches again while "Manual" is chosen.
    btnSearchNetResultForKV424_ = searchResultButton_;
    if (searchResultButton_)
        connect(searchResultButton_, &QPushButton::clicked, this, [this] { SetSearchNetMode(nullptr); });
    if (cancelSearchButton_)
        connect(cancelSearchButton_, &QPushButton::clicked, this, [this] { cancelNetworkManualSelect(nullptr); });
    if (searchProgress_)
        searchProgress_->setRange(0, 0); // a spinning bar: the search has no measurable progress
    buildNetSelectSheet();
}

void SettingController::buildNetSelectSheet()
{
    auto *sheet = new QDialog(wndMain);
    sheet->setObjectName(QStringLiteral("wndSettingNetSelect"));
    sheet->setWindowTitle(QStringLiteral("Operator Selection"));
    auto *layout = new QVBoxLayout(sheet);
    netListModel_ = new NetListModel([this](int row, const QString &key) { return netListCellText(row, key); },
                                     [this](int row) { return isHighlightedNetRow(row); }, sheet);
    auto *table = new QTableView(sheet);
    table->setObjectName(QStringLiteral("netListView"));
    table->setModel(netListModel_);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionsClickable(false); // columns are never chosen
    // One line per operator: the name column takes the room, the others their texts' width.
    table->setWordWrap(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setMinimumSize(520, 200);
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { netListSelectionChanged(); });
    layout->addWidget(table);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    netSelectBtn_ = new QPushButton(QStringLiteral("Apply"), sheet);
    netSelectBtn_->setObjectName(QStringLiteral("netSelectBtn"));
    CancelnetSelectBtn_ = new QPushButton(QStringLiteral("Cancel"), sheet);
    CancelnetSelectBtn_->setObjectName(QStringLiteral("CancelnetSelectBtn"));
    SelectNetFailOK_ = new QPushButton(QStringLiteral("OK"), sheet);
    SelectNetFailOK_->setObjectName(QStringLiteral("SelectNetFailOK"));
    SelectNetFailOK_->setVisible(false); // the failure word comes in the window's alert sheet
    buttons->addWidget(netSelectBtn_);
    buttons->addWidget(CancelnetSelectBtn_);
    buttons->addWidget(SelectNetFailOK_);
    layout->addLayout(buttons);
    connect(netSelectBtn_, &QPushButton::clicked, this, [this] { ApplyNetSelect(nullptr); });
    connect(CancelnetSelectBtn_, &QPushButton::clicked, this, [this] { CancelNetSelect(nullptr); });
    // Escape or the window's close button is the sheet's "Cancel".
    connect(sheet, &QDialog::rejected, this, [this] {
        if (!closingNetSheet_)
            CancelNetSelect(nullptr);
    });
    netListView_ = table;
    netSelectWindow_ = sheet;
}

void SettingController::initNetSelectSheetWording()
{
    QStringList headers;
    for (const char *title : netsel::kColumnTitles)
        headers << tr_(QLatin1String(title));
    if (netListModel_)
        netListModel_->setHeaders(headers);
    if (netSelectBtn_)
        netSelectBtn_->setText(tr_(QStringLiteral("Apply")));
    if (CancelnetSelectBtn_)
        CancelnetSelectBtn_->setText(tr_(QStringLiteral("Cancel")));
    if (SelectNetFailOK_)
        SelectNetFailOK_->setText(tr_(QStringLiteral("OK")));
    if (netSelectWindow_)
        netSelectWindow_->setWindowTitle(tr_(QStringLiteral("Operator Selection")));
    // The list keeps its state words localised: they are shown, and compared with the localised
    // "CURRENT" and "FORBIDDEN". A list found before the change takes the new language's words.
    for (QVariant &entry : netList_) {
        QVariantMap op = entry.toMap();
        const QString word = netsel::stateWordOf(yov::nsInt(op.value(QLatin1String(netsel::kNetState))));
        op.insert(QLatin1String(netsel::kState), word.isEmpty() ? word : tr_(word));
        entry = op;
    }
    if (netListModel_ && !netList_.isEmpty())
        emit netListModel_->dataChanged(netListModel_->index(0, 0),
                                        netListModel_->index(int(netList_.size()) - 1, netsel::kColumnCount - 1));
    // The panel's button row: the band's save, the search and its cancel.
    if (bandSaveButton_)
        bandSaveButton_->setText(tr_(QStringLiteral("Apply")));
    if (searchResultButton_)
        searchResultButton_->setText(tr_(QStringLiteral("Search")));
    if (cancelSearchButton_)
        cancelSearchButton_->setText(tr_(QStringLiteral("Cancel")));
}

yov::Clock &SettingController::selectionClock() const { return selectionClock_ ? *selectionClock_ : clock(); }

// --- the operator-selection matrix ---------------------------------------------------------------

int SettingController::methodRow() const
{
    return matrixSettingMethodToSelectNet_ ? matrixSettingMethodToSelectNet_->checkedId() : 0;
}

void SettingController::SetSearchNetMode(QObject *)
{
    const int row = methodRow();
    if (row == 0) {
        searchingNetworkUI(true);
        sendBackToAutomatic(false);
        if (cancelSearchButton_)
            cancelSearchButton_->setVisible(false);
    } else if (row == 1) {
        isOperatorSelectionForNetwork_ = true;
        SettingService::sharedSettingService().isManualSearchingNetFlag = true;
        searchingNetworkUI(true);
        sendManualNetSearchToBack();
        SettingService::sharedSettingService().isSecondManualSelectNetFlag = false;
        noPopupNetSelectWindowFlag_ = false;
        if (cancelSearchButton_) {
            cancelSearchButton_->setVisible(true);
            cancelSearchButton_->setEnabled(true);
        }
    }
}

void SettingController::sendManualNetSearchToBack()
{
    // A new search ends whatever the last registration still had pending.
    cancelStatusChecks();
    cancelSelectWait();
    yov::SearchModeRecord record;
    record.searchMode = searchModeFor(netmode::SearchSend::ManualSearch);
    if (yovMsgCenter())
        yovMsgCenter()->sendCatalogued<yov::netselmsg::kMajor, yov::netselmsg::kMinorSearch>(record);
    selectionClock().cancel(searchTimer_);
    searchTimer_ = selectionClock().schedule(netsel::kSearchAnswerMs, this, [this] { searchTimedOut(); });
}

void SettingController::searchTimedOut()
{
    searchTimer_ = 0;
    if (noPopupNetSelectWindowFlag_)
        return;
    qCWarning(lcSetting) << "the operator search was not answered: given up";
    if (yovMsgCenter())
        yovMsgCenter()->sendCatalogued<yov::netselmsg::kMajor, yov::netselmsg::kMinorCancelSearch>();
    searchFailed();
}

void SettingController::searchFailed()
{
    searchingNetworkUI(false);
    SettingService::sharedSettingService().isManualSearchingNetFlag = false;
    isOperatorSelectionForNetwork_ = false;
    selectRow(matrixSettingMethodToSelectNet_, 0);
    popupAlertSheet(QStringLiteral("Failed"), wndMain);
    noPopupNetSelectWindowFlag_ = true;
    if (cancelSearchButton_)
        cancelSearchButton_->setVisible(false);
}

void SettingController::dealWithMsgOfManualSearchNet(const yov::Notification &n)
{
    const yov::UI_MSG msg = messageOf(yovMsgCenter(), n);
    if (noPopupNetSelectWindowFlag_ || msg.type != 1)
        return;
    selectionClock().cancel(searchTimer_);
    searchTimer_ = 0;
    if (resultOf(msg) != 0) {
        searchFailed();
        return;
    }
    searchingNetworkUI(false);
    popupNetSelectWindow(&msg);
    noPopupNetSelectWindowFlag_ = true;
    if (cancelSearchButton_)
        cancelSearchButton_->setVisible(false);
}

void SettingController::cancelNetworkManualSelect(QObject *)
{
    noPopupNetSelectWindowFlag_ = true; // a late answer is dropped
    selectionClock().cancel(searchTimer_);
    searchTimer_ = 0;
    cancelStatusChecks();
    isOperatorSelectionForNetwork_ = false;
    SettingService::sharedSettingService().isManualSearchingNetFlag = false;
    searchingNetworkUI(false);
    if (cancelSearchButton_)
        cancelSearchButton_->setVisible(false);
    if (yovMsgCenter())
        yovMsgCenter()->sendCatalogued<yov::netselmsg::kMajor, yov::netselmsg::kMinorCancelSearch>();
}

// --- the list and its sheet ---------------------------------------------------------------------

void SettingController::popupNetSelectWindow(const yov::UI_MSG *msg)
{
    if (!msg)
        return;
    const yov::NetSearchResult result = yov::NetSearchResult::decode(yov::PayloadReader::ofMsg(*msg));
    const bool shortFormat = yov::nsBool(setting(QStringLiteral("Init"), QStringLiteral("ShowOperatorInShortFormat")));
    netList_ = netsel::operatorList(result, shortFormat, [this](const QString &word) { return tr_(word); });
    notificationCenter().post(QStringLiteral("searchNetResult"), this,
                              {{QStringLiteral("searchNetResult"), netList_}});
    SettingService::sharedSettingService().isManualSearchingNetFlag = false;
    if (netSelectBtn_)
        netSelectBtn_->setEnabled(false);
    reloadNetListView();
    if (yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("Setting_OpenBundleNetSelectWindow_IfNeed"))))
        return; // the settings plug-in shows the list
    beginNetSelectSheet();
}

void SettingController::beginNetSelectSheet()
{
    if (!netSelectWindow_ || sheetQueue_->holdsSheet(netSelectWindow_))
        return;
    closingNetSheet_ = false;
    sheetQueue_->beginSheet(netSelectWindow_);
    setDynamicControllersEnabledByKey(QStringLiteral("DrawerItems"), false);
}

void SettingController::closeNetSelectSheet()
{
    if (!netSelectWindow_ || !sheetQueue_->holdsSheet(netSelectWindow_))
        return;
    closingNetSheet_ = true;
    netSelectWindow_->done(QDialog::Accepted);
    closingNetSheet_ = false;
}

void SettingController::reloadNetListView()
{
    if (netListView_)
        netListView_->clearSelection();
    if (netListModel_)
        netListModel_->reload(int(netList_.size()));
}

void SettingController::clearRemptyNetListView()
{
    netList_.clear();
    reloadNetListView();
}

int SettingController::selectedNetRow() const
{
    if (!netListView_ || !netListView_->selectionModel())
        return -1;
    const QModelIndexList rows = netListView_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void SettingController::selectNetRow(int row)
{
    if (netListView_ && row >= 0 && row < netList_.size())
        netListView_->selectRow(row);
}

QVariantMap SettingController::netRow(int row) const
{
    return row >= 0 && row < netList_.size() ? netList_[row].toMap() : QVariantMap();
}

bool SettingController::isHighlightedNetRow(int row) const
{
    return yov::nsBool(setting(QStringLiteral("Internet"), QStringLiteral("highLightCurrentNet")))
           && yov::nsInt(netRow(row).value(QLatin1String(netsel::kNetState))) == 2;
}

QString SettingController::changeCellContentOfNetListView(const QString &key, int row) const
{
    const QVariantMap op = netRow(row);
    const QString value = yov::nsString(op.value(key));
    return value.isEmpty() ? value : tr_(value);
}

QString SettingController::netListCellText(int row, const QString &key) const
{
    if (row < 0 || row >= netList_.size())
        return {};
    const QVariantMap op = netRow(row);
    QString value = yov::nsString(op.value(key));
    if (key == QLatin1String(netsel::kNetType)) {
        const QString special = yov::nsString(setting(QStringLiteral("Setting"), QStringLiteral("DisplayNetTypeWithMCCMNCInNetList")));
        const bool isSpecial = !special.isEmpty() && special == yov::nsString(op.value(QLatin1String(netsel::kNumeric)));
        const QString word = netsel::netTypeWord(value, isSpecial);
        value = word.isEmpty() ? word : tr_(word);
    }
    // The highlighted list shows the names as the device gave them (the current row in blue).
    if (yov::nsBool(setting(QStringLiteral("Internet"), QStringLiteral("highLightCurrentNet"))))
        return value;
    if (key != QLatin1String(netsel::kName))
        return value;
    netsel::NameCellOptions options;
    options.changeSpn = yov::nsBool(setting(QStringLiteral("Internet"), QStringLiteral("Internet_ChangeSPN_IfNeeded")));
    if (!options.changeSpn)
        return value;
    InitService *init = InitService::sharedInitService();
    options.specificMccMnc = yov::nsDict(setting(QStringLiteral("Init"), QStringLiteral("Init_specificMccAndMnc")));
    // The same name as the main window's local operator name for that network.
    options.wholeSpecificName = init && init->networkRoamStatus() == InitService::Roaming;
    options.currentRmccrmnc = init ? init->currentRmccrmnc() : QString();
    const QString home = Neighbours::init().currentHmccmnc();
    const QVariant needing = setting(QStringLiteral("Init"), QStringLiteral("Init_SimHMCCMNCList_NeededChangeSPN"));
    for (const QVariant &v : yov::nsArray(needing))
        if (!home.isEmpty() && yov::nsString(v) == home)
            options.simNeedsSpn = true;
    options.customSpn = yov::nsDict(setting(QStringLiteral("Init"), QStringLiteral("Init_ChangeAllSPN_IfMatchedSpecialMCCMNC")));
    return netsel::nameCell(changeCellContentOfNetListView(key, row),
                            yov::nsString(op.value(QLatin1String(netsel::kNumeric))), options);
}

void SettingController::netListSelectionChanged()
{
    const int row = selectedNetRow();
    const QVariantMap op = netRow(row);
    netsel::RowChoice choice;
    choice.hasRow = row >= 0 && row < netList_.size();
    choice.forbidden = yov::nsString(op.value(QLatin1String(netsel::kState))) == tr_(QStringLiteral("FORBIDDEN"));
    choice.forbiddenCanChoose = yov::nsBool(setting(QStringLiteral("Internet"), QStringLiteral("ForbiddenNetCanChoose")));
    choice.registering = hasRegisteringNetFlag_;
    ConfigService service(&config());
    choice.mccMncRegistered = choice.hasRow && service.checkMccMncIsRegister(yov::nsString(op.value(QLatin1String(netsel::kNumeric))));
    choice.applySwitch = service.setSearchNetListViewApplyBtnEnable();
    if (const std::optional<bool> on = netsel::applyEnabled(choice); on && netSelectBtn_)
        netSelectBtn_->setEnabled(*on);
}

int SettingController::findCurrentNetWorkInNetList() const
{
    return netsel::findCurrent(netList_, tr_(QStringLiteral("CURRENT")));
}

// --- registration --------------------------------------------------------------------------------

bool SettingController::sendManualSelectNetToBack(int row, int mode)
{
    if (row < 0 || row >= netList_.size()) {
        qCWarning(lcSetting) << "no operator at row" << row << "of" << netList_.size() << ": nothing sent";
        return false;
    }
    const QVariantMap op = netRow(row);
    yov::ManualSelectRequest request;
    request.mode = mode;
    request.numeric = yov::nsString(op.value(QLatin1String(netsel::kNumeric))).toLatin1();
    request.technology = yov::nsString(op.value(QLatin1String(netsel::kNetType))).toInt();
    registeringRow_ = row;
    if (yovMsgCenter())
        yovMsgCenter()->sendCatalogued<yov::netselmsg::kMajor, yov::netselmsg::kMinorSelect>(request);
    startSelectWait();
    return true;
}

void SettingController::startSelectWait()
{
    selectionClock().cancel(selectTimer_);
    selectPending_ = true;
    selectTimer_ = selectionClock().schedule(netsel::kSelectAnswerMs, this, [this] {
        selectTimer_ = 0;
        qCWarning(lcSetting) << "the registration was not answered: taken as failed";
        selectPending_ = false;
        // The second registration on the current network ends as its answer would: ignored.
        handleSelectAnswer(1, false, SettingService::sharedSettingService().isSecondManualSelectNetFlag);
    });
}

void SettingController::cancelSelectWait()
{
    selectionClock().cancel(selectTimer_);
    selectTimer_ = 0;
    selectPending_ = false;
}

void SettingController::cancelStatusChecks()
{
    selectionClock().cancel(checkTimer_);
    checkTimer_ = 0;
}

void SettingController::ApplyNetSelect(QObject *)
{
    const int row = selectedNetRow();
    const QVariantMap op = netRow(row);
    const bool forbidden = yov::nsString(op.value(QLatin1String(netsel::kState))) == tr_(QStringLiteral("FORBIDDEN"));
    if (forbidden && ConfigService(&config()).forbiddenNetCanChooseAndReturnFailedByUI()) {
        popupAlertSheet(QStringLiteral("Failed"), netSelectWindow_);
        return;
    }
    const bool special = yov::nsBool(setting(QStringLiteral("specialSoftVersion"), QStringLiteral("H3GKV421FromIta")));
    if (!sendManualSelectNetToBack(row, special ? 4 : 1))
        return;
    if (yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("NotExitNetSelSheet")))) {
        if (netSelectBtn_)
            netSelectBtn_->setEnabled(false);
        hasRegisteringNetFlag_ = true;
    } else {
        closeNetSelectSheet();
    }
    setDynamicControllersEnabledByKey(QStringLiteral("DrawerItems"), true);
    searchingNetworkUI(true);
    if (cancelSearchButton_)
        cancelSearchButton_->setVisible(false);
}

void SettingController::CancelNetSelect(QObject *)
{
    isOperatorSelectionForNetwork_ = false;
    SettingService::sharedSettingService().isManualSearchingNetFlag = false;
    cancelStatusChecks();
    closeNetSelectSheet();
    setDynamicControllersEnabledByKey(QStringLiteral("DrawerItems"), true);
    selectRow(matrixSettingMethodToSelectNet_, 0);
    notificationCenter().post(QStringLiteral("changeStatusSearchNetMode"), this, {});
    if (searchModeBox_)
        searchModeBox_->setEnabled(true);
    smartUIInitNetworkSetting();
    sendBackToAutomatic(false);
}

bool SettingController::checkManualSelectNetResult(const yov::UI_MSG &msg)
{
    const QVariantMap row = netRow(registeringRow_);
    netsel::SelectCheck check;
    check.specialVersion = yov::nsBool(setting(QStringLiteral("specialSoftVersion"), QStringLiteral("H3GKV421FromIta")));
    check.result = resultOf(msg);
    check.answer = yov::ManualSelectResult::decode(yov::PayloadReader::ofMsg(msg));
    check.row = row.isEmpty() ? nullptr : &row;
    if (check.specialVersion && !check.row)
        qCWarning(lcSetting) << "a registration answer without its operator row: taken as failed";
    const bool success = netsel::manualSelectSucceeded(check);
    if (success && yov::nsBool(setting(QStringLiteral("Internet"), QStringLiteral("NetWork_getSeletedNetType_IfSeleteNetOk")))) {
        const int nettype = yov::nsString(row.value(QLatin1String(netsel::kNetType))).toInt();
        if (nettype == 0 && !row.isEmpty())
            selectRow(m_NetworkFindModeSeletion_, 0);
        else if (nettype == 2)
            selectRow(m_NetworkFindModeSeletion_, 1);
    }
    return success;
}

void SettingController::dealWithMsgOfManualSelectNet(const yov::Notification &n)
{
    const yov::UI_MSG msg = messageOf(yovMsgCenter(), n);
    if (!selectPending_) {
        qCDebug(lcSetting) << "a registration answer nothing waits for: dropped";
        return;
    }
    const bool second = SettingService::sharedSettingService().isSecondManualSelectNetFlag;
    // An answer of another type is no outcome: it is only announced, and the registration's own
    // answer (or its time-out) is still waited for, so the busy state cannot stay on.
    if (second || msg.type == 1)
        cancelSelectWait();
    const bool success = msg.type == 1 && !second && checkManualSelectNetResult(msg);
    handleSelectAnswer(msg.type, success, second);
}

void SettingController::handleSelectAnswer(int type, bool success, bool second)
{
    netsel::SelectAnswer answer;
    answer.secondRegistration = second;
    answer.type = type;
    answer.success = success;
    answer.checksMade = m_nCheckNetStatusTimes_;
    answer.retrySwitch = yov::nsBool(setting(QStringLiteral("NetSearchForIndiaIdea")));
    answer.backToList = yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("BackToNetSelectList")));
    answer.notExitSheet = yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("NotExitNetSelSheet")));
    const netsel::Decision decision = netsel::decide(answer);
    if (decision.outcome == netsel::Outcome::Ignore) {
        // The second registration's answer is ignored; the flag marks only that one.
        SettingService::sharedSettingService().isSecondManualSelectNetFlag = false;
        return;
    }
    if (decision.outcome == netsel::Outcome::NotifyOnly) {
        notificationCenter().post(QStringLiteral("manualRegisterNetResult"), this, {});
        return;
    }
    searchingNetworkUI(false);
    smartUISetMatrixEnable(true);
    isOperatorSelectionForNetwork_ = false;
    m_nCheckNetStatusTimes_ = decision.checksAfter;
    const bool notExit = answer.notExitSheet;
    switch (decision.outcome) {
    case netsel::Outcome::Success:
        cancelStatusChecks();
        if (notExit && netSelectWindow_ && sheetQueue_->holdsSheet(netSelectWindow_))
            popupAlertSheet(QStringLiteral("Success"), netSelectWindow_, [this](int) {
                closeNetSelectSheet();
                hasRegisteringNetFlag_ = false;
                setDynamicControllersEnabledByKey(QStringLiteral("DrawerItems"), true);
            });
        else
            popupAlertSheet(QStringLiteral("Success"), wndMain);
        if (yov::nsBool(setting(QStringLiteral("specialSoftVersion"), QStringLiteral("H3GKV421FromIta"))))
            selectRow(matrixSettingMethodToSelectNet_, 0);
        if (yov::nsBool(setting(QStringLiteral("Internet"), QStringLiteral("backToAutoModeAfterSelNetSuccess"))))
            backToAutoModeAfterSelNetSuccess();
        if (setting(QStringLiteral("SearchRegistModel")).isValid()) {
            config().setConfigurationByModule(QStringLiteral("SearchRegistModel"), true);
            writeSettings();
        }
        break;
    case netsel::Outcome::CheckLater:
        searchingNetworkUI(true);
        cancelStatusChecks();
        checkTimer_ = selectionClock().schedule(decision.delayMs, this, [this] {
            checkTimer_ = 0;
            checkStatusAfterManualSelect();
        });
        break;
    case netsel::Outcome::FailBackToList:
        cancelStatusChecks();
        if (netSelectWindow_ && sheetQueue_->holdsSheet(netSelectWindow_)) {
            // The sheet was kept open while registering: it is the list to choose from again.
            // "Failed" shows on it (on the window it would wait behind the sheet), its rows are
            // chosen afresh and "Apply" follows the new choice.
            popupAlertSheet(QStringLiteral("Failed"), netSelectWindow_);
            hasRegisteringNetFlag_ = false;
            reloadNetListView();
            break;
        }
        popupAlertSheet(QStringLiteral("Failed"), wndMain, [this](int) {
            if (!netList_.isEmpty())
                beginNetSelectSheet();
        });
        break;
    case netsel::Outcome::FailKeepSheet:
    case netsel::Outcome::FailCloseSheet:
        cancelStatusChecks();
        if (decision.outcome == netsel::Outcome::FailKeepSheet) {
            // On the sheet when it is open (a registration from the plug-in has none).
            const bool onSheet = netSelectWindow_ && sheetQueue_->holdsSheet(netSelectWindow_);
            popupAlertSheet(QStringLiteral("Failed"), onSheet ? static_cast<QWidget *>(netSelectWindow_) : wndMain.data());
            hasRegisteringNetFlag_ = false;
            reloadNetListView();
        } else {
            const int chosen = registeringRow_;
            closeNetSelectSheet();
            popupAlertSheet(QStringLiteral("Failed"), wndMain, [this, chosen](int) { endsearchNetResSheet(chosen); });
        }
        searchingNetworkUI(true);
        sendBackToAutomatic(false);
        if (yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("backToAutoModeAfterSelNetFail")))) {
            selectRow(matrixSettingMethodToSelectNet_, 0);
            if (searchModeBox_)
                searchModeBox_->setEnabled(true);
        }
        break;
    default:
        break;
    }
    notificationCenter().post(QStringLiteral("manualRegisterNetResult"), this, {});
}

void SettingController::endsearchNetResSheet(int chosenRow)
{
    if (!yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("Setting_RegisterCurrentNetwork_IfRegisterFailed"))))
        return;
    if (yov::nsString(netRow(chosenRow).value(QLatin1String(netsel::kState))) != tr_(QStringLiteral("FORBIDDEN")))
        return;
    const int current = findCurrentNetWorkInNetList();
    if (current < 0)
        return;
    if (!sendManualSelectNetToBack(current, 1))
        return;
    selectNetRow(current);
    SettingService::sharedSettingService().isSecondManualSelectNetFlag = true;
}

void SettingController::checkStatusAfterManualSelect()
{
    if (yovMsgCenter())
        yovMsgCenter()->sendCatalogued<yov::netselmsg::kMajor, yov::netselmsg::kMinorCheckStatus>();
    // The device answers the check with a registration answer.
    startSelectWait();
}

// --- entries of the settings plug-in --------------------------------------------------------------

void SettingController::manualRegisterNet(const yov::Notification &n)
{
    const int index = yov::nsInt(n.userInfo.value(QStringLiteral("index")));
    if (!sendManualSelectNetToBack(index, 1))
        return;
    setDynamicControllersEnabledByKey(QStringLiteral("DrawerItems"), true);
    searchingNetworkUI(true);
}

void SettingController::methodToSelectNetChanged(const yov::Notification &n)
{
    selectRow(matrixSettingMethodToSelectNet_, yov::nsInt(n.userInfo.value(QStringLiteral("index"))));
    SetSearchNetMode(matrixSettingMethodToSelectNet_);
}

void SettingController::setNetModeChanged(const yov::Notification &n)
{
    selectRow(m_NetworkFindModeSeletion_, yov::nsInt(n.userInfo.value(QStringLiteral("index"))));
    SetSearchNetClass(m_NetworkFindModeSeletion_);
}

// --- back to automatic -----------------------------------------------------------------------------

void SettingController::sendBackToAutomatic(bool backToAuto)
{
    sendAutoNetSelectToBack(backToAuto);
    armModeWait();
}

void SettingController::armModeWait()
{
    selectionClock().cancel(modeTimer_);
    modeTimer_ = selectionClock().schedule(netsel::kModeAnswerMs, this, [this] {
        modeTimer_ = 0;
        qCWarning(lcSetting) << "the selection mode was not answered: the window is given back";
        if (!isManualSelecting())
            endBusyAfterModeAnswer();
    });
}

void SettingController::backToAutoModeAfterSelNetSuccess()
{
    const double seconds = setting(QStringLiteral("Internet"), QStringLiteral("delaySecondsToAutoModeWhenSelNetSuccess")).toDouble();
    startBackToAutoModeTimerWithSeconds(seconds);
}

void SettingController::startBackToAutoModeTimerWithSeconds(double seconds)
{
    selectionClock().cancel(backToAutoTimer_);
    // The delay comes from the settings file: a negative one is none, a huge one is kept in range.
    const double ms = qBound(0.0, seconds * 1000.0, double(std::numeric_limits<int>::max()));
    backToAutoTimer_ = selectionClock().schedule(int(ms), this, [this] {
        backToAutoTimer_ = 0;
        backToAutoAfterSelNetSuccess();
    });
}

void SettingController::backToAutoAfterSelNetSuccess()
{
    sendAutoNetSelectToBack(true);
}

void SettingController::endBusyAfterModeAnswer()
{
    searchingNetworkUI(false);
    if (Neighbours::dial().connectStatus() == 0) {
        smartUISetMatrixEnable(false);
        return;
    }
    // While a connection is up the network controls stay off, as the connection left them.
    for (QWidget *w : {methodBox_.data(), bandBox_.data(), static_cast<QWidget *>(bandSaveButton_.data()),
                       searchModeBox_.data(), preferenceModeControl_.data(), static_cast<QWidget *>(searchResultButton_.data())})
        if (w)
            w->setEnabled(false);
}

void SettingController::dealWithMsgOfSetSearchNetMode(const yov::Notification &n)
{
    const yov::UI_MSG msg = messageOf(yovMsgCenter(), n);
    selectionClock().cancel(modeTimer_);
    modeTimer_ = 0;
    const bool manual = isManualSelecting();
    if (resultOf(msg) == 0 && !manual
        && yov::nsBool(setting(QStringLiteral("Internet"), QStringLiteral("backToAutoModeAfterSelNetSuccess"))))
        selectRow(matrixSettingMethodToSelectNet_, 0);
    // Every answer outside a manual selection gives the window back, whatever its result.
    if (!manual)
        endBusyAfterModeAnswer();
}

void SettingController::dealWithMsgOfNodeSelectSatus(const yov::Notification &n)
{
    if (!methodBox_ || !methodBox_->isEnabled())
        return;
    const yov::UI_MSG msg = messageOf(yovMsgCenter(), n);
    const int value = yov::PayloadReader::ofMsg(msg).int32(0);
    if (value == 0) {
        selectRow(matrixSettingMethodToSelectNet_, 0);
        smartUIInitNetworkSetting();
    } else {
        selectRow(matrixSettingMethodToSelectNet_, 1);
        smartUISetMatrixEnable(true);
    }
}

// --- busy state --------------------------------------------------------------------------------------

void SettingController::searchingNetworkUI(bool searching)
{
    networkBusy_ = searching;
    const int row = methodRow();
    // 1. The preferred mode.
    if (searchModeBox_) {
        if (searching && row == 1)
            searchModeBox_->setEnabled(false);
        else if (!searching && row == 0)
            searchModeBox_->setEnabled(true);
    }
    // 2. The panel's controls.
    if (methodBox_)
        methodBox_->setEnabled(!searching);
    if (btnSearchNetResultForKV424_ && isManualSelecting())
        btnSearchNetResultForKV424_->setEnabled(!searching);
    if (bandBox_)
        bandBox_->setEnabled(!searching);
    if (bandSaveButton_) // the band's own save goes with it: no band request while one is pending
        bandSaveButton_->setEnabled(!searching);
    setSaveNetAndFrequencySettingBtnEnable(!searching);
    setSaveAutoConnectSettingBtnEnable(!searching);
    if (smartAutoConnectBox_)
        smartAutoConnectBox_->setEnabled(!searching);
    // 3. The SMS tab of a one-tab layout.
    if (yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("hasOnlyOneTab"))))
        setSMSTabEnabled(!searching);
    // 4. The main toolbar.
    Neighbours::main().toolbarSetEnable(!searching);
    // 5. The USSD toolbar follows.
    const bool ussdSwitch = yov::nsBool(setting(QStringLiteral("USSD"), QStringLiteral("DisableUSSDToolbarForDEdorud")))
                            || yov::nsBool(setting(QStringLiteral("USSD"), QStringLiteral("USSD_WhetherEnableToolbarBasesMatching")));
    if (ussdSwitch && !yov::nsBool(setting(QStringLiteral("DifferentWorkingMothodForDedorud"))))
        notificationCenter().post(QStringLiteral("USSDToolbarEnableEvent"), nullptr, {});
    // 6. Drawer, title bar and the PIN box.
    setDynamicControllersEnabledByKey(QStringLiteral("DrawerItems"), !searching);
    setDynamicControllersEnabledByKey(QStringLiteral("TitlebarItems"), !searching);
    setBtnPinEnable(!searching);
    // 7. The PIN menu.
    const bool pinOn = m_PINEnable_ && m_PINEnable_->isChecked();
    if (pinOn && !searching) {
        if (m_RevisePinButton_)
            m_RevisePinButton_->setEnabled(true);
        setPinMenuItems(true, true, false);
    } else {
        if (m_RevisePinButton_)
            m_RevisePinButton_->setEnabled(false);
        setPinMenuItems(false, false, !searching);
    }
    // 8. The progress bar.
    setSearchProcessBarEnable(searching);
}

void SettingController::setSearchProcessBarEnable(bool enable)
{
    if (!searchProgress_)
        return;
    if (enable) {
        if (searchProgress_->isHidden() && methodRow() == 1)
            searchProgress_->setVisible(true);
    } else if (!searchProgress_->isHidden()) {
        searchProgress_->setVisible(false);
    }
}

// --- accessors ---------------------------------------------------------------------------------------

QString SettingController::getNetworkSelectionMode() const
{
    return tr_(methodRow() == 0 ? QStringLiteral("Automatic") : QStringLiteral("Manual"));
}

bool SettingController::operatorSelectionUnderWay() const
{
    return isManualSelecting() || selectPending_ || checkTimer_ != 0
           || (netSelectWindow_ && sheetQueue_->holdsSheet(netSelectWindow_));
}

// --- device removal ------------------------------------------------------------------------------------

void SettingController::endNetworkSelection()
{
    // The device is gone: its answers will not come, and any that still do are dropped.
    noPopupNetSelectWindowFlag_ = true;
    for (int *timer : {&searchTimer_, &selectTimer_, &checkTimer_, &modeTimer_, &backToAutoTimer_}) {
        selectionClock().cancel(*timer);
        *timer = 0;
    }
    selectPending_ = false;
    hasRegisteringNetFlag_ = false;
    isOperatorSelectionForNetwork_ = false;
    m_nCheckNetStatusTimes_ = 0;
    SettingService::sharedSettingService().isSecondManualSelectNetFlag = false;
    SettingService::sharedSettingService().isManualSearchingNetFlag = false;
    closeNetSelectSheet();
    if (cancelSearchButton_)
        cancelSearchButton_->setVisible(false);
    if (networkBusy_)
        searchingNetworkUI(false);
}

} // namespace ostrel
