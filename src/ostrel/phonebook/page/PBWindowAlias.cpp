// The phonebook tab's binding: skin keys, wording, the save-position cells, the start-up, the
// language change, the device events, the tab changes and the device-lock gate.
#include "ostrel/phonebook/page/PBWindow.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/phonebook/PBController.h"
#include "ostrel/phonebook/page/PBSource.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>

namespace ostrel {

namespace {

struct SavePositionCell {
    const char *title;
    int tag;
};

QVariant phonebookSetting(const PBController &pb, const char *key)
{
    return pb.config().getConfigurationByModuleAndKey(QStringLiteral("PhoneBook"), QLatin1String(key));
}

} // namespace

QList<QPair<QString, QObject *>> PBWindow::skinBindings() const
{
    PBPage *p = page_;
    return {
        {QStringLiteral("wndPhonebookNewUser"), pbUserwin_.data()},
        {QStringLiteral("matrixPBSavePosition"), p->m_SavePosition},
        {QStringLiteral("tfPBCopyTo"), p->PBMainWindowCopyTo_Btn},
        {QStringLiteral("tfPBCapacity"), p->conpacity},
        {QStringLiteral("btnPBSendSMS"), p->m_SendSMSBtn},
        {QStringLiteral("viewPhonebookTab"), p},
        {QStringLiteral("textSearchPB"), p->m_SearchItem},
        {QStringLiteral("tableGroupListPB"), p->m_GroupList},
        {QStringLiteral("tableUserListPB"), p->m_UserList},
        {QStringLiteral("labelMoveMenuPB"), p->moveMenu},
        {QStringLiteral("btnPBNew"), p->newBtn_},
        {QStringLiteral("btnPBEdit"), p->editBtn_},
        {QStringLiteral("btnPBDelete"), p->deleteBtn_},
        {QStringLiteral("btnPBCall"), p->callBtn_},
        {QStringLiteral("btnPBSMS"), p->smsBtn_},
        {QStringLiteral("btnPBSearch"), p->phonebookSearchBtn_},
        {QStringLiteral("btnPBGo"), p->phonebookGoBtn_},
        {QStringLiteral("textPBSearch"), p->m_SearchItem},
        {QStringLiteral("BtnCallForPB"), p->PBMainWindowCall_Btn},
    };
}

void PBWindow::initializeSkin()
{
    SkinManagerAccess *skin = pb_->yovSkinManager();
    if (!skin)
        return;
    for (const auto &[key, control] : skinBindings())
        if (control)
            skin->registerController(control, key, true);
}

void PBWindow::initializeNibResources()
{
    PBPage *p = page_;
    // Without a call area in the toolbar no call can be placed from the page.
    const bool calls = pb_->hasModuleWith(QStringLiteral("Call"));
    p->PBMainWindowCall_Btn->setVisible(calls);
    p->callBtn_->setVisible(calls);
    p->m_SaveBtn->hide();
    // The search field shows on the first press of the search button.
    p->m_SearchItem->hide();
    p->phonebookGoBtn_->hide();
    applyWording();
}

void PBWindow::applyWording()
{
    PBPage *p = page_;
    p->m_SendSMSBtn->setText(localized(QStringLiteral("SMS")));
    p->PBMainWindowCopyTo_Btn->setText(localized(QStringLiteral("CopyTo:")));
    p->moveAndDelContLbl_->setText(localized(QStringLiteral("MoveTo:")));
    p->m_SaveBtn->setText(localized(QStringLiteral("Save")));
    p->PBMainWindowCall_Btn->setText(localized(QStringLiteral("Call")));
    p->m_EditGroupBtn->setText(localized(QStringLiteral("EditGroup")));
    p->m_EditUserBtn->setText(localized(QStringLiteral("Edit")));
    p->btnExport_->setText(localized(QStringLiteral("Export")));
    p->btnImport_->setText(localized(QStringLiteral("Import")));
    p->btnUpdate_->setText(localized(QStringLiteral("Update Contacts")));
    p->btnRestore_->setText(localized(QStringLiteral("Undo")));
    // The page's own controls (built here without images, so they carry titles).
    p->newBtn_->setText(localized(QStringLiteral("New")));
    p->editBtn_->setText(localized(QStringLiteral("Edit")));
    p->deleteBtn_->setText(localized(QStringLiteral("Delete")));
    p->callBtn_->setText(localized(QStringLiteral("Call")));
    p->smsBtn_->setText(localized(QStringLiteral("SMS")));
    p->phonebookSearchBtn_->setText(localized(QStringLiteral("Search")));
    p->phonebookGoBtn_->setText(localized(QStringLiteral("Go")));
    p->m_AddUserBtn->setText(localized(QStringLiteral("New")));
    p->m_DeleteUserBtn->setText(localized(QStringLiteral("Delete")));
    if (p->newMenuBtn_)
        p->newMenuBtn_->setText(localized(QStringLiteral("New")));
    const bool pcSide = pb_->lastSelectSavePos_ == 0;
    p->m_AddGroupBtn->setText(localized(pcSide ? QStringLiteral("New Group") : QStringLiteral("New")));
    p->m_DeleteGroupBtn->setText(localized(pcSide ? QStringLiteral("Delete Group") : QStringLiteral("Delete")));
    if (!pcSide)
        p->m_EditGroupBtn->setText(localized(QStringLiteral("Edit")));
    if (yov::nsBool(phonebookSetting(*pb_, "NoTitleOfPBBtn"))) {
        p->m_SendSMSBtn->setText(QString());
        p->m_SendSMSBtn->setToolTip(localized(QStringLiteral("SMS")));
        p->m_AddUserBtn->setToolTip(localized(QStringLiteral("New")));
        p->m_EditUserBtn->setToolTip(localized(QStringLiteral("Edit")));
        p->m_DeleteUserBtn->setToolTip(localized(QStringLiteral("Delete")));
    }
    groupModel_->headerDataChanged(Qt::Horizontal, 0, groupModel_->columnCount() - 1);
    if (userModel_->columnCount() > 0)
        userModel_->headerDataChanged(Qt::Horizontal, 0, userModel_->columnCount() - 1);
    setContactInfo();
    const int rowHeight = pb_->config().getConfigurationByModuleAndKey(QStringLiteral("Main"), QStringLiteral("TableViewRowHeight")).toInt();
    if (rowHeight > 0) {
        for (QTableView *table : {static_cast<QTableView *>(p->m_GroupList), static_cast<QTableView *>(p->m_UserList)}) {
            table->verticalHeader()->setMinimumSectionSize(rowHeight);
            table->verticalHeader()->setDefaultSectionSize(rowHeight);
        }
    }
}

void PBWindow::initSelectSavePosControl()
{
    NSMatrix *matrix = page_->m_SavePosition;
    QList<SavePositionCell> cells{{"PC", 0}, {"(U)SIM", 1}};
    if (pb_->configuration().HasMePosition)
        cells.append({"Data Card", 2});
    if (pb_->configuration().IsShowTCard)
        cells.append({"SD Card", 3});
    const bool down = matrix->columns() < 2;
    if (matrix->cells().isEmpty()) {
        for (int position = 0; position < cells.size(); ++position) {
            auto *cell = new NSButtonCellExt(QString(), matrix);
            cell->setObjectName(QStringLiteral("cellPBSavePosition%1").arg(cells.at(position).tag));
            cell->setProperty("tag", cells.at(position).tag);
            cell->setProperty("englishTitle", QLatin1String(cells.at(position).title));
            matrix->addCell(cell, down ? position : 0, down ? 0 : position);
            connect(cell, &QAbstractButton::clicked, this, [this] { selectSavePos(); });
        }
    }
    for (QAbstractButton *cell : matrix->cells())
        cell->setText(localized(cell->property("englishTitle").toString()));
}

void PBWindow::initializeController()
{
    PBPage *p = page_;
    initUserTableViewColumnsAtPC();
    actions_->initPhonebookUpdatedRule();
    reloadBothTables();
    SetConpacityShow();
    initSelectSavePosControl();
    pb_->setSavePosEnabled(true);
    selectSavePositionCell(0);
    selectAtPCSide();
    SetMutexButton(false, false, false);
    buttonControl(true, false, false, true, false, false);
    pb_->simMinIndex_ = 0;
    pb_->simMaxIndex_ = 0;
    pb_->isPopWarningWindow = false;
    for (QComboBox *popup : {p->moveMenu, p->moveAndDelContMenu_}) {
        popup->clear();
        popup->addItem(localized(QStringLiteral("(U)SIM")));
    }
    pb_->setCurDefGrpName();
    actions_->setMoveMenu();
    if (source_) {
        source_->initializeNibResources();
        initialNodeOfPc();
    }
}

void PBWindow::updateLanguages()
{
    applyWording();
    initSelectSavePosControl();
    if (source_) {
        source_->retitleStorageNodes();
        if (pb_->changeDefGrpWithLag()) {
            source_->nodeOfPc()->removeAllChildren();
            initialNodeOfPc();
        }
    } else {
        pb_->changeDefGrpWithLag();
    }
    reloadBothTables();
}

// ---- device events --------------------------------------------------------------------------

void PBWindow::netcardChanged(int state)
{
    if (state == 12)
        createNodeOfSimWhenSimCardvalid();
    else
        deleteNodeOfSimWhenSimCardInvalid();
}

void PBWindow::deviceRemoved()
{
    PBPage *p = page_;
    for (QPushButton *b : {p->m_DeleteUserBtn, p->deleteBtn_, p->m_DeleteGroupBtn})
        b->setEnabled(false);
    SetMutexButton(false, false, false);
    p->m_SaveBtn->hide();
    selectSavePositionCell(0);
    selectAtPCSide();
    reloadBothTables();
    SetConpacityShow();
    // The computer phonebook may have been read again.
    if (source_) {
        source_->nodeOfPc()->removeAllChildren();
        initialNodeOfPc();
    }
}

// ---- tab changes and the device lock ----------------------------------------------------------

void PBWindow::tabViewItemWillChange(const QString &identifier)
{
    if (identifier != QLatin1String("Phonebook"))
        return;
    const bool guarded = yov::nsBool(pb_->config().getConfigurationByModule(QStringLiteral("DeviceLockPBFunction")));
    if (guarded && Neighbours::setting().getDeviceUnlockCodeState()) {
        QWidget *window = pbUserwin_ && pbUserwin_->isVisible() ? pbUserwin_.data() : mainWindow();
        Neighbours::init().openUnlockDeviceWindow(window);
        Neighbours::init().setDeviceLockFunctionModule(PBController::kDeviceLockModule);
    }
    if (source_ && source_->outlineView())
        source_->outlineView()->setFocus();
}

void PBWindow::tabViewItemDidChange()
{
    const int tag = savePositionTag();
    if (tag == pb_->lastSelectSavePos_)
        return;
    const QList<int> users = getSelectedRowIndexes(page_->m_UserList);
    switch (pb_->lastSelectSavePos_) {
    case 0: {
        const QList<int> groups = getSelectedRowIndexes(page_->m_GroupList);
        if (!groups.isEmpty())
            showTabViewSelectedPCGrpList(groups.first());
        if (!users.isEmpty())
            showTabViewSelectedPCUserList(users.first());
        break;
    }
    case 1:
        if (!users.isEmpty())
            showTabViewSelectedUSIMUserList(users.first());
        break;
    case 2:
        if (!users.isEmpty())
            showTabViewSelectedMEUserList(users.first());
        break;
    default:
        break;
    }
}

void PBWindow::deviceUnlockAnswered(bool success)
{
    QTabWidget *tabs = pb_->tabviewMain;
    // Closing the contact dialog is its Cancel: the add or edit ends and the drawer is usable again.
    if (!success && pbUserwin_)
        pbUserwin_->close();
    if (!tabs)
        return;
    const int index = tabViewItemOfIdentifier(tabs, success ? QStringLiteral("Phonebook") : QStringLiteral("Internet"));
    if (index >= 0)
        tabs->setCurrentIndex(index);
}

} // namespace ostrel
