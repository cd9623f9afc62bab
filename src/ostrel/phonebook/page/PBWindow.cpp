#include "ostrel/phonebook/page/PBWindow.h"

#include "common/TextFormat.h"
#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/phonebook/PBController.h"
#include "ostrel/phonebook/page/PBSelectionRules.h"
#include "ostrel/phonebook/page/PBSource.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextBrowser>

namespace ostrel {

namespace {

const QString kNoContactSelected = QStringLiteral("There is not contact selected");

// Columns of the contact table on the device sides, with their bit of the field mask.
struct NotPcColumn {
    const char *identifier;
    const char *title;
    int mask;
};
const NotPcColumn kNotPcColumns[] = {
    {"username", "Name", 1}, {"mobilephone", "MobilePhone", 2}, {"homephone", "HomePhone", 4},
    {"officephone", "OfficePhone", 8}, {"email", "EMail", 16},
};
constexpr int kNotPcColumnMinWidth = 80;

// Clicks on a table's empty area reach the page too (a table reports clicks on rows only), and so
// do the table's size changes.
class TableClickFilter : public QObject {
public:
    // Lives as long as the page's behaviour (owner), not as long as the table.
    TableClickFilter(QObject *owner, QTableView *table, std::function<void(const QModelIndex &)> clicked,
                     std::function<void()> resized = {})
        : QObject(owner), table_(table), clicked_(std::move(clicked)), resized_(std::move(resized))
    {
        table->viewport()->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease && table_) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton)
                clicked_(table_->indexAt(mouse->position().toPoint()));
        } else if (event->type() == QEvent::Resize && resized_) {
            resized_();
        }
        return false;
    }

private:
    QPointer<QTableView> table_;
    std::function<void(const QModelIndex &)> clicked_;
    std::function<void()> resized_;
};

} // namespace

PBWindow::PBWindow(PBController *controller, const PBPage::Layout &layout, QObject *parent)
    : QObject(parent), pb_(controller), ownedPage_(std::make_unique<PBPage>(layout))
{
    page_ = ownedPage_.get();
    groupModel_ = new PBTableModel(PBTableModel::Groups, this, this);
    userModel_ = new PBTableModel(PBTableModel::Contacts, this, this);
    groupModel_->setColumns({{QStringLiteral("groupname"), QStringLiteral("Group"), 120}});
    page_->m_GroupList->setModel(groupModel_);
    page_->m_UserList->setModel(userModel_);
    page_->m_UserList->horizontalHeader()->setStretchLastSection(false);
    page_->m_UserList->horizontalHeader()->setMinimumSectionSize(kNotPcColumnMinWidth);
    if (layout.tree)
        source_ = std::make_unique<PBSource>(page_->outlineView_, page_->popUpMenuOfNewGroupAndUser_, page_->popUpMenuOnNode_,
                                             [this](const QString &selector) { perform(selector); });
    // The SMS page's context menu offers these two items under the same names.
    menuItemOfSaveNumberToPC_ = new QAction(this);
    menuItemOfSaveNumberToPC_->setObjectName(QStringLiteral("savePhoneNumberToPCMenuItem_"));
    menuItemOfSaveNumberToSim_ = new QAction(this);
    menuItemOfSaveNumberToSim_->setObjectName(QStringLiteral("savePhoneNumberToSIMMenuItem_"));
    connectControls();
    pb_->setExtensions(this);
}

PBWindow::~PBWindow()
{
    if (pb_ && &pb_->extensions() == this)
        pb_->setExtensions(nullptr);
    source_.reset();
    if (page_) {
        page_->m_GroupList->setModel(nullptr);
        page_->m_UserList->setModel(nullptr);
    }
    // A page handed to a tab is deleted with it; one never handed over is deleted here.
}

PBPage *PBWindow::takePage()
{
    ownedPage_.release();
    return page_;
}

QString PBWindow::localized(const QString &english) const { return Map_Name_Item_of_IndexString(english); }

void PBWindow::connectControls()
{
    PBPage *p = page_;
    auto press = [this](QAbstractButton *button) {
        connect(button, &QAbstractButton::clicked, this, [this, button] { perform(actionOf(button)); });
    };
    const QPair<QAbstractButton *, const char *> actions[] = {
        {p->m_AddGroupBtn, "addGroup:"}, {p->m_DeleteGroupBtn, "deleteGroup:"}, {p->m_EditGroupBtn, "editGroup:"},
        {p->m_AddUserBtn, "newUser:"},   {p->m_DeleteUserBtn, "deleteUser:"},   {p->m_EditUserBtn, "editUser:"},
        {p->newBtn_, "newUser:"},        {p->editBtn_, "editUser:"},            {p->deleteBtn_, "deleteUser:"},
        {p->callBtn_, "callUser:"},      {p->smsBtn_, "sendSMS:"},              {p->m_SendSMSBtn, "sendSMS:"},
        {p->PBMainWindowCall_Btn, "callUser:"}, {p->btnExport_, "exportContacts:"}, {p->btnImport_, "importContacts:"},
        {p->btnUpdate_, "updatePhonebook:"}, {p->btnRestore_, "restorePhonebook:"},
        {p->phonebookSearchBtn_, "showOrHideSearchbar:"}, {p->phonebookGoBtn_, "searchUser:"}, {p->m_SaveBtn, "saveAs:"},
    };
    for (const auto &[button, selector] : actions) {
        setButtonAction(button, QLatin1String(selector));
        press(button);
    }
    connect(p->m_SearchItem, &QLineEdit::textChanged, this, [this] { searchUser(); });
    connect(p->moveMenu, &QComboBox::activated, this, [this] { perform(QStringLiteral("move:")); });
    connect(p->moveAndDelContMenu_, &QComboBox::activated, this, [this] { perform(QStringLiteral("moveAndDelcont:")); });
    connect(p->cutmenu, &QAction::triggered, this, [this] { cut(); });
    connect(p->copymenu, &QAction::triggered, this, [this] { copy(); });
    connect(p->pastemenu, &QAction::triggered, this, [this] { paste(); });
    connect(p->m_GroupList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { tableViewSelectionDidChange(page_->m_GroupList); });
    connect(p->m_UserList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { tableViewSelectionDidChange(page_->m_UserList); });
    new TableClickFilter(this, p->m_GroupList, [this](const QModelIndex &index) { groupListclicked(index); });
    // The columns share the contact table's width whatever its size.
    new TableClickFilter(
        this, p->m_UserList, [this](const QModelIndex &index) { userListclicked(index); },
        [this] { averageUserTableViewColumnWidth(); });
    connect(p->m_UserList->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) { sortDescriptorsDidChange(column, order); });
    if (source_)
        connect(source_.get(), &PBSource::nodeSelected, this, [this](Node *node) { outlineViewSelectionIsChanging(node); });
    connect(p->popUpMenuOnCallButton_, &QMenu::triggered, this, [this](QAction *item) { clickMenuItemToCall(item); });
    connect(menuItemOfSaveNumberToPC_, &QAction::triggered, this, [this] { clickSavePhoneNumber(menuItemOfSaveNumberToPC_); });
    connect(menuItemOfSaveNumberToSim_, &QAction::triggered, this,
            [this] { clickSavePhoneNumber(menuItemOfSaveNumberToSim_); });
}

void PBWindow::setButtonAction(QAbstractButton *button, const QString &selector) { buttonActions_.insert(button, selector); }

bool PBWindow::perform(const QString &selector)
{
    const QHash<QString, std::function<void()>> table = {
        {QStringLiteral("newUser:"), [this] { actions_->newUser(); }},
        {QStringLiteral("editUser:"), [this] { actions_->editUser(); }},
        {QStringLiteral("deleteUser:"), [this] { actions_->deleteUser(); }},
        {QStringLiteral("addGroup:"), [this] { actions_->addGroup(); }},
        {QStringLiteral("deleteGroup:"), [this] { actions_->deleteGroup(); }},
        {QStringLiteral("editGroup:"), [this] { actions_->editGroup(); }},
        {QStringLiteral("exportContacts:"), [this] { actions_->exportContacts(); }},
        {QStringLiteral("importContacts:"), [this] { actions_->importContacts(); }},
        {QStringLiteral("updatePhonebook:"), [this] { actions_->updatePhonebook(); }},
        {QStringLiteral("restorePhonebook:"), [this] { actions_->restorePhonebook(); }},
        {QStringLiteral("callUser:"), [this] { actions_->callUser(); }},
        {QStringLiteral("move:"), [this] { actions_->move(); }},
        {QStringLiteral("moveAndDelcont:"), [this] { actions_->moveAndDelcont(); }},
        {QStringLiteral("saveAs:"), [this] { actions_->saveAs(); }},
        {QStringLiteral("sendSMS:"), [this] {
             if (m_bGroupsentSMS)
                 sendSMSToOneGroup();
             else
                 actions_->sendSMS();
         }},
        {QStringLiteral("sendSMSToOneGroup:"), [this] { sendSMSToOneGroup(); }},
        {QStringLiteral("showOrHideSearchbar:"), [this] { showOrHideSearchbar(); }},
        {QStringLiteral("searchUser:"), [this] { searchUser(); }},
        {QStringLiteral("selectSavePos:"), [this] { selectSavePos(); }},
    };
    const auto it = table.find(selector);
    if (it == table.end())
        return false;
    it.value()();
    return true;
}

// ---- choosing the side ----------------------------------------------------------------------

int PBWindow::savePositionTag() const
{
    const QAbstractButton *cell = page_ ? page_->m_SavePosition->selectedCell() : nullptr;
    return cell ? cell->property("tag").toInt() : -1;
}

void PBWindow::selectSavePositionCell(int tag)
{
    for (QAbstractButton *cell : page_->m_SavePosition->cells())
        if (cell->property("tag").toInt() == tag) {
            const QSignalBlocker blocker(cell);
            cell->setChecked(true);
        }
}

void PBWindow::selectSavePos()
{
    const int tag = savePositionTag();
    if (tag < 0 || tag == pb_->lastSelectSavePos_)
        return;
    pb_->phonebookOperate_ = PBController::OperationSelectSavePos;
    {
        const QSignalBlocker blocker(page_->m_SearchItem);
        page_->m_SearchItem->clear();
    }
    pb_->setSearchString(QString());
    page_->tvwContactInfo_->setPlainText(localized(kNoContactSelected));
    SetPopMenuItem(false, false, pasteStatus());
    pb_->setSelectedSavePosition(tag);
    const bool hasMe = pb_->configuration().HasMePosition;
    switch (tag) {
    case 0:
        selectAtPCSide();
        deselect(page_->m_GroupList);
        break;
    case 1:
    case 2: {
        const int storage = tag == 1 ? yov::kPbStorageSim : yov::kPbStorageMe;
        if (hasMe && pb_->currentStorage() != storage) {
            // The side shows once the device has switched its storage.
            buttonControl(false, false, false, false, false, false);
            pb_->setSavePosEnabled(false);
            pb_->setModemStorage(storage);
        } else if (tag == 1) {
            selectAtSimSide();
        } else {
            selectAtMeSide();
        }
        break;
    }
    case 3:
        selectAtTCardSide();
        break;
    default:
        break;
    }
}

void PBWindow::selectAtPCSide()
{
    PBPage *p = page_;
    pb_->lastSelectSavePos_ = 0;
    pb_->setSelectedSavePosition(0);
    {
        const QSignalBlocker blocker(p->m_SearchItem);
        p->m_SearchItem->clear();
    }
    pb_->setSearchString(QString());
    SetPopMenuItem(false, false, pasteStatus());
    SetMutexButton(false, false, false);
    p->m_GroupList->show();
    setButtonAction(p->m_AddGroupBtn, QStringLiteral("addGroup:"));
    setButtonAction(p->m_DeleteGroupBtn, QStringLiteral("deleteGroup:"));
    setButtonAction(p->m_EditGroupBtn, QStringLiteral("editGroup:"));
    p->m_AddGroupBtn->setText(localized(QStringLiteral("New Group")));
    p->m_DeleteGroupBtn->setText(localized(QStringLiteral("Delete Group")));
    p->m_EditGroupBtn->hide();
    for (QPushButton *b : {p->m_AddUserBtn, p->m_DeleteUserBtn, p->m_EditUserBtn})
        b->show();
    buttonControl(true, false, false, true, false, false);
    initUserTableViewColumnsAtPC();
    reloadBothTables();
    deselect(p->m_UserList);
    SetConpacityShow();
    actions_->setMoveMenu();
}

void PBWindow::selectNotPcSide()
{
    PBPage *p = page_;
    {
        const QSignalBlocker blocker(p->m_SearchItem);
        p->m_SearchItem->clear();
    }
    pb_->setSearchString(QString());
    SetPopMenuItem(false, false, pasteStatus());
    SetMutexButton(false, false, false);
    p->m_GroupList->hide(); // the contact table takes the group table's room
    setButtonAction(p->m_AddGroupBtn, QStringLiteral("newUser:"));
    setButtonAction(p->m_DeleteGroupBtn, QStringLiteral("deleteUser:"));
    setButtonAction(p->m_EditGroupBtn, QStringLiteral("editUser:"));
    p->m_AddGroupBtn->setText(localized(QStringLiteral("New")));
    p->m_DeleteGroupBtn->setText(localized(QStringLiteral("Delete")));
    p->m_EditGroupBtn->setText(localized(QStringLiteral("Edit")));
    p->m_EditGroupBtn->show();
    buttonControl(true, false, false, false, false, false);
    const bool customised = pb_->configuration().IsCustormizeControlSize;
    for (QPushButton *b : {p->m_AddUserBtn, p->m_DeleteUserBtn, p->m_EditUserBtn})
        b->setVisible(customised);
    if (customised)
        p->m_AddUserBtn->setEnabled(true);
    initUserTableViewColumnsAtNotPC();
    userModel_->reloadData();
    deselect(p->m_UserList);
    SetConpacityShow();
}

void PBWindow::selectAtSimSide() { selectDeviceSide(1); }

void PBWindow::selectAtMeSide() { selectDeviceSide(2); }

void PBWindow::selectAtTCardSide() { selectDeviceSide(3); }

bool PBWindow::deleteTCardRecord(const QVariantMap &contact) { return pb_->deleteRecordOfTCardContact(contact); }

void PBWindow::selectDeviceSide(int tag)
{
    pb_->lastSelectSavePos_ = tag;
    pb_->setSelectedSavePosition(tag);
    selectNotPcSide();
    actions_->setMoveMenu();
}

void PBWindow::showSideOfSavePosition(int tag)
{
    selectSavePositionCell(tag);
    switch (tag) {
    case 0:
        selectAtPCSide();
        break;
    case 1:
        selectAtSimSide();
        break;
    case 2:
        selectAtMeSide();
        break;
    case 3:
        selectAtTCardSide();
        break;
    default:
        break;
    }
}

// ---- columns --------------------------------------------------------------------------------

void PBWindow::clearUserTableViewColumns() { userModel_->setColumns({}); }

void PBWindow::addUserTableViewColumn(const QString &identifier, const QString &title, int width)
{
    QList<ContactColumn> columns = userModel_->columns();
    columns.append({identifier, title, width});
    userModel_->setColumns(columns);
}

void PBWindow::initUserTableViewColumnsAtPC()
{
    userModel_->setColumns(pb_->initUserTableViewColumnsAtPC());
    averageUserTableViewColumnWidth();
}

void PBWindow::initUserTableViewColumnsAtNotPC()
{
    clearUserTableViewColumns();
    if (pb_->configuration().SimFieldAutoDetectionEnabled) {
        for (const NotPcColumn &c : kNotPcColumns)
            if (pb_->m_simContactFiledsFlag & c.mask)
                addUserTableViewColumn(QLatin1String(c.identifier), QLatin1String(c.title), kNotPcColumnMinWidth);
    } else if (ConfigService(&pb_->config()).isSupportInterfaceInversionForPhoneBook()) {
        addUserTableViewColumn(QStringLiteral("mobilephone"), QStringLiteral("MobilePhone"), kNotPcColumnMinWidth);
        addUserTableViewColumn(QStringLiteral("username"), QStringLiteral("Name"), kNotPcColumnMinWidth);
    } else {
        addUserTableViewColumn(QStringLiteral("username"), QStringLiteral("Name"), kNotPcColumnMinWidth);
        addUserTableViewColumn(QStringLiteral("mobilephone"), QStringLiteral("MobilePhone"), kNotPcColumnMinWidth);
    }
    averageUserTableViewColumnWidth();
}

void PBWindow::averageUserTableViewColumnWidth()
{
    const int count = userModel_->columnCount();
    if (count == 0)
        return;
    const int width = page_->m_UserList->viewport()->width() / count;
    QHeaderView *header = page_->m_UserList->horizontalHeader();
    for (int i = 0; i < count; ++i)
        header->resizeSection(i, width);
}

// ---- the tables' data -----------------------------------------------------------------------

bool PBWindow::isSearching() const { return page_ && !page_->m_SearchItem->text().isEmpty(); }

int PBWindow::numberOfRowsInTableView(const PBTableModel *table) const
{
    const_cast<PBWindow *>(this)->SetConpacityShow();
    const int found = qMax(0, pb_->getCurSearchGroupCount());
    const bool searching = isSearching();
    if (table == groupModel_)
        return pb_->lastSelectSavePos_ == 0 && !searching ? pb_->sumOfGroupInPC() : 0;
    switch (pb_->lastSelectSavePos_) {
    case 0:
        return searching ? found : pb_->sumOfContactInCurrentGroup();
    case 1:
        return searching ? found : pb_->getSimUserNumber();
    case 2:
        return searching ? found : pb_->getMeUserNumber();
    case 3: // the search has no card results
        return searching ? 0 : pb_->getTCardUserNumber();
    default:
        return 0;
    }
}

QVariant PBWindow::objectValueForTableColumn(const PBTableModel *table, const QString &identifier, int row) const
{
    const bool searching = isSearching();
    if (table == groupModel_)
        return searching ? QVariant(QString()) : pb_->getPCUserByIndex(row, -1).value(identifier);
    if (searching)
        return pb_->getUserFromCurSearchGroup(row).value(identifier);
    switch (pb_->lastSelectSavePos_) {
    case 0:
        return pb_->getUserFromCurGroup(row).value(identifier);
    case 1:
        return pb_->getUserFromSim(row).value(identifier);
    case 2:
        return pb_->getUserFromMe(row).value(identifier);
    case 3:
        return pb_->m_TCardPhoneList.value(row).value(identifier);
    default:
        return {};
    }
}

bool PBWindow::shouldEditTableColumn(const PBTableModel *table, const QString &, int row) const
{
    if (table != groupModel_ || pb_->lastSelectSavePos_ != 0 || isSearching())
        return false;
    return !yov::nsBool(pb_->getPCUserByIndex(row, -1).value(QStringLiteral("bRes")));
}

void PBWindow::setObjectValue(PBTableModel *table, const QVariant &value, const QString &identifier, int row)
{
    if (table != groupModel_ || pb_->lastSelectSavePos_ != 0 || row < 0 || row >= pb_->sumOfGroupInPC())
        return;
    if (!shouldEditTableColumn(table, identifier, row))
        return;
    const QString name = value.toString();
    const FieldCheck check = pb_->checkGroupName(name, row);
    if (!check.passed()) {
        NSBeginAlertPanelExt(localized(QStringLiteral("Warning!")), check.localizedMessage(), localized(QStringLiteral("OK")),
                             QString());
        return;
    }
    PcGroup &group = pb_->m_PcPhoneList[row];
    group.header.insert(identifier, name);
    for (QVariantMap &contact : group.contacts)
        contact.insert(QStringLiteral("groupname"), name);
    if (!pb_->isEditing_)
        return;
    pb_->sortGroupInPC();
    pb_->savePhoneList2File();
    deselect(page_->m_GroupList);
    pb_->setCurrentgroup(0);
    groupModel_->reloadData();
    userModel_->reloadData();
    // The tree shows the groups by name.
    if (source_) {
        source_->nodeOfPc()->removeAllChildren();
        initialNodeOfPc();
    }
}

void PBWindow::sortDescriptorsDidChange(int column, Qt::SortOrder order)
{
    const QString key = userModel_->identifierOfColumn(column);
    if (key.isEmpty())
        return;
    const bool ascending = order == Qt::AscendingOrder;
    const int side = pb_->lastSelectSavePos_;
    if (isSearching() && (side == 0 || side == 1))
        pb_->sortSearchResultBy(key, ascending);
    else if (side == 0)
        pb_->sortCurrentGroupBy(key, ascending);
    else if (side == 1)
        pb_->sortSimListBy(key, ascending);
    userModel_->reloadData();
}

void PBWindow::reloadBothTables()
{
    groupModel_->reloadData();
    userModel_->reloadData();
}

void PBWindow::reloadContactTable()
{
    userModel_->reloadData();
    deselect(page_->m_UserList);
}

void PBWindow::deselect(QTableView *table)
{
    const QSignalBlocker blocker(table->selectionModel());
    table->selectionModel()->clearSelection();
    table->viewport()->update();
}

QList<int> PBWindow::getSelectedRowIndexes(const QTableView *table)
{
    QList<int> rows;
    for (const QModelIndex &index : table->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

// ---- enabling -------------------------------------------------------------------------------

void PBWindow::setButtonEnable(QAbstractButton *button, bool enabled)
{
    if (button)
        button->setEnabled(enabled);
}

void PBWindow::buttonControl(bool addGroup, bool deleteGroup, bool editGroup, bool addUser, bool deleteUser, bool editUser)
{
    PBPage *p = page_;
    p->m_AddGroupBtn->setEnabled(addGroup);
    p->m_DeleteGroupBtn->setEnabled(deleteGroup);
    p->m_EditGroupBtn->setEnabled(editGroup);
    p->m_AddUserBtn->setEnabled(addUser);
    p->m_DeleteUserBtn->setEnabled(deleteUser);
    p->deleteBtn_->setEnabled(deleteUser);
    p->m_EditUserBtn->setEnabled(editUser);
    p->editBtn_->setEnabled(editUser);
    // A contact is added or edited only while the SIM's names can be checked.
    if (pb_->configuration().ContactNameUniqueCheckingEnabled && pb_->m_nNetCardStatus != 12) {
        p->m_AddUserBtn->setEnabled(false);
        p->m_EditUserBtn->setEnabled(false);
        p->editBtn_->setEnabled(false);
    }
}

void PBWindow::allSixButtons(bool enabled) { buttonControl(enabled, enabled, enabled, enabled, enabled, enabled); }

void PBWindow::setPBMenuAndExportStatus(bool enabled)
{
    page_->moveMenu->setEnabled(enabled);
    page_->moveAndDelContMenu_->setEnabled(enabled);
    page_->btnExport_->setEnabled(enabled);
}

void PBWindow::SetMutexButton(bool moveCopyExport, bool call, bool sms)
{
    PBPage *p = page_;
    setPBMenuAndExportStatus(moveCopyExport);
    if (pb_->hasModuleWith(QStringLiteral("Call"))) {
        const bool enabled = call && pb_->simInitFinished_ && pb_->isCallModuleReady_;
        p->PBMainWindowCall_Btn->setEnabled(enabled);
        p->callBtn_->setEnabled(enabled);
        if (!enabled)
            p->popUpMenuOnCallButton_->clear();
    }
    if (pb_->hasModuleWith(QStringLiteral("SMS"))) {
        const bool enabled = sms && pb_->simInitFinished_;
        p->m_SendSMSBtn->setEnabled(enabled);
        p->smsBtn_->setEnabled(enabled);
    }
}

void PBWindow::SetPopMenuItem(bool cut, bool copy, bool paste)
{
    page_->cutmenu->setEnabled(cut);
    page_->copymenu->setEnabled(copy);
    page_->pastemenu->setEnabled(paste);
}

void PBWindow::savePositionsChanged(const SavePositionCells &cells)
{
    NSMatrix *matrix = page_->m_SavePosition;
    matrix->setEnabled(cells.enabled);
    for (QAbstractButton *cell : matrix->cells()) {
        switch (cell->property("tag").toInt()) {
        case 0:
            cell->setEnabled(cells.pc);
            break;
        case 1:
            cell->setEnabled(cells.sim);
            break;
        case 2:
            cell->setEnabled(cells.me);
            break;
        default:
            break;
        }
    }
    // A storage read or forgotten since is offered, or greyed, in the copy and move pop-ups; while
    // an operation runs they keep naming its destination.
    if (cells.enabled)
        actions_->setMoveMenu();
}

// ---- selection ------------------------------------------------------------------------------

void PBWindow::applySelectionRules(int side, int selected)
{
    const SelectionButtons rule = PBSelectionRules::forSelection(side, isSearching(), selected);
    SetMutexButton(rule.moveCopyExport, rule.call, shouldEnableSendSmsButton());
    const auto &b = rule.buttons;
    buttonControl(b[0], b[1], b[2], b[3], b[4], b[5]);
}

void PBWindow::tableViewSelectionDidChange(QTableView *table)
{
    if (reloading_)
        return;
    m_bGroupsentSMS = false;
    const QList<int> rows = getSelectedRowIndexes(table);
    const int row = rows.isEmpty() ? -1 : rows.first();
    if (table == page_->m_GroupList) {
        showTabViewSelectedPCGrpList(row);
        return;
    }
    switch (pb_->lastSelectSavePos_) {
    case 0:
        showTabViewSelectedPCUserList(row);
        break;
    case 1:
        showTabViewSelectedUSIMUserList(row);
        break;
    case 2:
        showTabViewSelectedMEUserList(row);
        break;
    case 3:
        showSelectedContactOfSide(3, row);
        break;
    default:
        break;
    }
    setContactInfo();
    setCallButtonPopMenu();
}

namespace {
// The selection of a table was cleared.
void selectionClearedOn(PBWindow &window, PBPage *page, bool searching)
{
    page->m_DeleteGroupBtn->setEnabled(false);
    page->m_EditGroupBtn->setEnabled(false);
    window.SetMutexButton(false, false, false);
    page->tvwContactInfo_->setPlainText(Map_Name_Item_of_IndexString(kNoContactSelected));
    if (searching) {
        window.buttonControl(false, false, false, false, false, false);
        window.searchUser();
    } else {
        window.buttonControl(true, false, false, true, false, false);
    }
}
} // namespace

void PBWindow::showTabViewSelectedPCGrpList(int row)
{
    SetMutexButton(false, false, false);
    if (row < 0) {
        selectionClearedOn(*this, page_, isSearching());
        return;
    }
    if (row >= pb_->sumOfGroupInPC())
        return;
    PBPage *p = page_;
    if (!isSearching()) {
        SetPopMenuItem(false, false, pasteStatus());
        pb_->setCurrentgroup(row);
        p->m_AddUserBtn->setEnabled(true);
        p->m_DeleteGroupBtn->setEnabled(true);
        p->m_DeleteUserBtn->setEnabled(false);
        p->deleteBtn_->setEnabled(false);
        userModel_->reloadData();
        deselect(p->m_UserList);
    } else {
        SetPopMenuItem(false, false, false);
        SetMutexButton(false, false, false);
        allSixButtons(false);
    }
    actions_->setMoveMenu();
    if (pb_->simInitFinished_) {
        p->m_SendSMSBtn->setEnabled(true);
        m_bGroupsentSMS = true;
    }
}

void PBWindow::showTabViewSelectedPCUserList(int row) { showSelectedContactOfSide(0, row); }

void PBWindow::showTabViewSelectedUSIMUserList(int row) { showSelectedContactOfSide(1, row); }

void PBWindow::showTabViewSelectedMEUserList(int row) { showSelectedContactOfSide(2, row); }

void PBWindow::showSelectedContactOfSide(int side, int row)
{
    std::optional<ContactPlace> place;
    if (row >= 0)
        place = isSearching() ? pb_->placeOfCurSearchGroup(row)
                              : ContactPlace{PBStorage(side), side == 0 ? pb_->currentGroupIndex() : -1, row};
    if (side == 0)
        pb_->setPcContact(place);
    else if (side == 1)
        pb_->setSimContact(place);
    else if (side == 3)
        pb_->setTCardContact(place);
    else
        pb_->setMeContact(place);
    if (row < 0) {
        selectionClearedOn(*this, page_, isSearching());
        return;
    }
    const int selected = int(getSelectedRowIndexes(page_->m_UserList).size());
    applySelectionRules(side, selected);
    if (selected == 1 && side != 2)
        displayPhonebookText();
    if (side == 0)
        deselect(page_->m_GroupList);
}

void PBWindow::groupListclicked(const QModelIndex &index)
{
    if (isSearching()) {
        SetPopMenuItem(false, false, false);
        return;
    }
    if (!m_bGroupsentSMS)
        SetMutexButton(false, false, false);
    const bool groupSelected = !getSelectedRowIndexes(page_->m_GroupList).isEmpty();
    buttonControl(true, index.isValid() || groupSelected, false, true, false, false);
    if (!index.isValid() && !groupSelected)
        reloadContactTable();
}

void PBWindow::userListclicked(const QModelIndex &index)
{
    deselect(page_->m_GroupList);
    if (source_)
        source_->deselectAll();
    if (isSearching()) {
        SetPopMenuItem(false, false, false);
        return;
    }
    if (index.isValid() || !getSelectedRowIndexes(page_->m_UserList).isEmpty()) {
        tableViewSelectionDidChange(page_->m_UserList);
        return;
    }
    PBPage *p = page_;
    SetPopMenuItem(false, false, pasteStatus());
    SetMutexButton(false, false, false);
    if (pb_->lastSelectSavePos_ == 0) {
        for (QPushButton *b : {p->m_DeleteUserBtn, p->deleteBtn_, p->m_EditUserBtn, p->editBtn_})
            b->setEnabled(false);
    } else {
        p->m_DeleteGroupBtn->setEnabled(false);
        p->m_EditGroupBtn->setEnabled(false);
    }
    p->tvwContactInfo_->setPlainText(localized(kNoContactSelected));
}

bool PBWindow::shouldEnableSendSmsButton() const
{
    for (int row : getSelectedRowIndexes(page_->m_UserList))
        if (!objectValueForTableColumn(userModel_, QStringLiteral("mobilephone"), row).toString().isEmpty())
            return true;
    return false;
}

// ---- texts ----------------------------------------------------------------------------------

QString PBWindow::capacityText() const
{
    struct SideCapacity {
        int (PBController::*count)() const;
        int PBController::*maximum;
        const char *hideKey;
    };
    // By side: computer, SIM, device memory, memory card (which shows the computer's maximum).
    // Only the shown side is counted: the table asks for this on every row count.
    static const SideCapacity sides[] = {
        {&PBController::sumOfContactInPC, &PBController::PCUserMaxCount, "HideMaxCountInPC"},
        {&PBController::getSimUserNumber, &PBController::simMaxIndex_, "HideMaxCountInSIM"},
        {&PBController::getMeUserNumber, &PBController::meMaxIndex_, "HideMaxCountInME"},
        {&PBController::getTCardUserNumber, &PBController::PCUserMaxCount, "HideMaxCountInSDCard"},
    };
    const int side = pb_->lastSelectSavePos_;
    if (side < 0 || side >= int(std::size(sides)))
        return yov::formatPlaceholders(localized(QStringLiteral("Cur %d  Maxcur %d")), {QStringLiteral("0"), QStringLiteral("0")});
    const SideCapacity &shown = sides[side];
    const QString count = QString::number((pb_->*shown.count)());
    if (pb_->getPhonebookSettingBoolValue(QLatin1String(shown.hideKey)))
        return yov::formatPlaceholders(localized(QStringLiteral("Cur %d")), {count});
    return yov::formatPlaceholders(localized(QStringLiteral("Cur %d  Maxcur %d")), {count, QString::number(pb_->*shown.maximum)});
}

void PBWindow::SetConpacityShow()
{
    if (!page_)
        return;
    const QString text = capacityText();
    if (page_->conpacity->text() != text)
        page_->conpacity->setText(text);
}

namespace {
QString contactValue(const QVariantMap &contact, const char *key) { return contact.value(QLatin1String(key)).toString(); }
} // namespace

void PBWindow::setContactInfo()
{
    QTextBrowser *view = page_->tvwContactInfo_;
    view->setReadOnly(true);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    if (getSelectedRowIndexes(page_->m_UserList).isEmpty()) {
        view->setPlainText(localized(kNoContactSelected));
        return;
    }
    const int side = pb_->lastSelectSavePos_;
    const std::optional<ContactPlace> place = side == 0 ? pb_->m_PcContact : side == 1 ? pb_->m_SimContact : std::nullopt;
    if (!place) {
        view->setPlainText(QString());
        return;
    }
    const QVariantMap contact = pb_->contactAt(*place);
    QString text = localized(side == 0 ? QStringLiteral("PC") : QStringLiteral("(U)SIM")) + QStringLiteral("\n\n");
    for (const ContactColumn &column : userModel_->columns())
        text += QStringLiteral("%1: %2\r\n").arg(localized(column.title), contact.value(column.identifier).toString());
    view->setPlainText(text);
}

void PBWindow::displayPhonebookText()
{
    if (!yov::nsBool(pb_->config().getConfigurationByModuleAndKey(QStringLiteral("Main"), QStringLiteral("initWindowForDidizu"))))
        return;
    const int side = pb_->lastSelectSavePos_;
    const std::optional<ContactPlace> place = side == 0 ? pb_->m_PcContact : pb_->m_SimContact;
    const QVariantMap contact = place ? pb_->contactAt(*place) : QVariantMap();
    QString text = QStringLiteral("Name:") + contactValue(contact, "username") + QStringLiteral("\nMobile Number:")
                   + contactValue(contact, "mobilephone");
    if (side == 0)
        text += QStringLiteral("\nHome Phone:") + contactValue(contact, "homephone") + QStringLiteral("\nOffice Phone:")
                + contactValue(contact, "officephone") + QStringLiteral("\nEmail:") + contactValue(contact, "email");
    page_->phonebookText->setPlainText(text);
}

// ---- search ---------------------------------------------------------------------------------

void PBWindow::searchUser()
{
    const QString text = page_->m_SearchItem->text();
    pb_->setSearchString(text);
    pb_->clearCurSearchGroup();
    if (!text.isEmpty()) {
        SetMutexButton(false, false, false);
        allSixButtons(false);
        switch (pb_->lastSelectSavePos_) {
        case 0:
            pb_->getSearchContactsFromPC();
            actions_->setMoveMenu();
            break;
        case 1:
            pb_->getSearchContactsFromSIM();
            break;
        case 2:
            pb_->getSearchContactsFromME();
            break;
        default:
            break;
        }
        pb_->sortSearchResultBy(QStringLiteral("username"), true);
    } else {
        buttonControl(true, false, false, true, false, false);
        if (pb_->lastSelectSavePos_ == 0)
            actions_->setMoveMenu();
    }
    reloadBothTables();
    deselect(page_->m_GroupList);
    deselect(page_->m_UserList);
}

void PBWindow::showSearchText(const QString &text)
{
    const QSignalBlocker blocker(page_->m_SearchItem);
    page_->m_SearchItem->setText(text);
}

void PBWindow::showOrHideSearchbar()
{
    searchBarShown_ = !searchBarShown_;
    page_->m_SearchItem->setVisible(searchBarShown_);
    page_->phonebookGoBtn_->setVisible(searchBarShown_);
}

QWidget *PBWindow::mainWindow() const { return pb_->wndMain; }

} // namespace ostrel
