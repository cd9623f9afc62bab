#include "ostrel/device/picker/SelectWindowControl.h"

#include "common/ValueConversion.h"
#include "ostrel/device/picker/ContactNumbers.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/neighbours/NeighbourNotifications.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/placement/FrameAdapter.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/NSViewExt.h"

#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

namespace ostrel {

namespace {

QSizeF &sharedSelectWindowSize()
{
    static QSizeF size(580, 400);
    return size;
}

QString pickerText(const QString &english) { return Map_Name_Item_of_IndexString(english); }

const QString kUserNameKey = QStringLiteral("username");
const QString kMobilePhoneKey = QStringLiteral("mobilephone");

} // namespace

void SelectWindowControl::setSelectWindowSize(const QSizeF &size) { sharedSelectWindowSize() = size; }
QSizeF SelectWindowControl::selectWindowSize() { return sharedSelectWindowSize(); }

SelectWindowControl::SelectWindowControl(const ControllerContext &context, QObject *parent)
    : YOVUIController(context, parent), layoutSize_(sharedSelectWindowSize())
{
    buildWindow();
}

SelectWindowControl::~SelectWindowControl()
{
    // A shown sheet's window owns the picker and is going; otherwise the window is the picker's.
    if (!ownedByWindow_)
        delete selectContactWin.data();
}

// --- building ---------------------------------------------------------------------------------

void SelectWindowControl::buildWindow()
{
    groupSending_ = yov::nsBool(setting(QStringLiteral("PhoneBook"), QStringLiteral("SMStoGroup")));
    layout_ = SelectWindowLayout::compute(layoutSize_, groupSending_);

    auto *window = new QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->setObjectName(QStringLiteral("selectContactWin"));
    window->setWindowTitle(pickerText(QStringLiteral("Select Contact Window")));
    window->setFixedSize(layoutSize_.toSize());
    selectContactWin = window;
    QObject::connect(window, &QDialog::rejected, this, [this] {
        if (!quitting_)
            quitWindow(0); // the close box acts as Cancel
    });

    auto *background = new NSViewExt(window);
    background->setObjectName(QStringLiteral("wndSelectionBg"));
    background->setGeometry(0, 0, window->width(), window->height());
    background->lower();
    if (yovSkinManager() && yovSkinManager()->hasKey(QStringLiteral("wndSelectionBg")))
        yovSkinManager()->registerController(background, QStringLiteral("wndSelectionBg"), false);

    storeMediumComb = new QComboBox(window);
    storeMediumComb->setObjectName(QStringLiteral("storeMediumComb"));
    storeMediumComb->setEditable(false);
    storeMediumComb->addItem(pickerText(QStringLiteral("PC")));
    storeMediumComb->addItem(pickerText(QStringLiteral("(U)SIM")));
    if (hasMePosition())
        storeMediumComb->addItem(pickerText(QStringLiteral("Data Card")));
    storeMediumComb->setMaxVisibleItems(storeMediumComb->count());
    if (font())
        storeMediumComb->setFont(*font());
    place(storeMediumComb, layout_.storeMedium);
    setDefaultSelectMemory();
    QObject::connect(storeMediumComb, &QComboBox::activated, this,
                     [this](int index) { storeMediumSelectionDidChange(index); });

    contactTextField = makeLabel(QStringLiteral("Contact(s)"), layout_.contactLabel);
    contactTableView = makeTable(layout_.contactList);
    contactTableView->setObjectName(QStringLiteral("contactTableView"));
    QObject::connect(contactTableView, &QTableWidget::cellDoubleClicked, this,
                     [this](int row, int) {
                         // Only the call form chooses on a double click; elsewhere it would end
                         // the picker with whatever the selected list holds.
                         if (callForm_)
                             doubleClickTableRow(row);
                     });
    selectedTextField = makeLabel(QStringLiteral("Selected contact(s)"), layout_.selectedLabel);
    selectedTableView = makeTable(layout_.selectedList);
    selectedTableView->setObjectName(QStringLiteral("selectedTableView"));

    if (groupSending_) {
        combPCGroup_ = new QComboBox(window);
        combPCGroup_->setObjectName(QStringLiteral("combPCGroup"));
        combPCGroup_->setEditable(false);
        for (int group = 0; group < Neighbours::phonebook().sumOfGroupInPC(); ++group)
            combPCGroup_->addItem(yov::nsString(Neighbours::phonebook().getPCUserByIndex(group, -1).value(QStringLiteral("groupname"))));
        combPCGroup_->setCurrentIndex(-1);
        if (font())
            combPCGroup_->setFont(*font());
        combPCGroup_->setEnabled(currentStoreMedium == PC);
        place(combPCGroup_, layout_.groupBox);
        QObject::connect(combPCGroup_, &QComboBox::activated, this, [this](int index) { groupSelectionDidChange(index); });
        labelLocation_ = makeLabel(QStringLiteral("Location:"), layout_.locationLabel);
        labelGroup_ = makeLabel(QStringLiteral("Group:"), layout_.groupLabel);
    }

    addToSelectedBtn = makeButton(QStringLiteral(">>"), layout_.addButton, &SelectWindowControl::addToSelected);
    removeFromSelectedBtn = makeButton(QStringLiteral("<<"), layout_.removeButton, &SelectWindowControl::removeFromSelected);
    cancelBtn = makeButton(QStringLiteral("Cancel"), layout_.cancelButton, &SelectWindowControl::cancelAction);
    okBtn = makeButton(QStringLiteral("OK"), layout_.okButton, &SelectWindowControl::doSelectAction);
    okBtn->setObjectName(QStringLiteral("okBtn"));
    cancelBtn->setObjectName(QStringLiteral("cancelBtn"));
    addToSelectedBtn->setObjectName(QStringLiteral("addToSelectedBtn"));
    removeFromSelectedBtn->setObjectName(QStringLiteral("removeFromSelectedBtn"));
    // Both take the same width, at least 100; their origins stay.
    const qreal width = SelectWindowLayout::commonButtonWidth(okBtn->sizeHint().width(), cancelBtn->sizeHint().width());
    for (QAbstractButton *button : {okBtn.data(), cancelBtn.data()}) {
        QRectF frame = skinFrameOf(button);
        frame.setWidth(width);
        place(button, frame);
    }

    const std::pair<QWidget *, const char *> skinned[] = {
        {contactTextField, "labelSelectWndContact"}, {selectedTextField, "labelSelectWndSelected"},
        {addToSelectedBtn, "btnSelectWndAdd"},       {removeFromSelectedBtn, "btnSelectWndRemove"},
        {cancelBtn, "btnSelectWndCancel"},           {okBtn, "btnSelectWndOK"},
    };
    if (SkinManagerAccess *skin = yovSkinManager()) {
        for (const auto &[widget, key] : skinned)
            if (skin->hasKey(QLatin1String(key)))
                skin->registerController(widget, QLatin1String(key), true);
    }
}

QLabel *SelectWindowControl::makeLabel(const QString &english, const QRectF &frame)
{
    auto *label = new QLabel(pickerText(english), selectContactWin);
    label->setProperty("englishTitle", english);
    if (font())
        label->setFont(*font());
    place(label, frame);
    return label;
}

QAbstractButton *SelectWindowControl::makeButton(const QString &english, const QRectF &frame,
                                                 void (SelectWindowControl::*action)())
{
    auto *button = new NSFlickerButton(selectContactWin);
    button->setText(pickerText(english));
    button->setProperty("englishTitle", english);
    if (font())
        button->setFont(*font());
    place(button, frame);
    QObject::connect(button, &QAbstractButton::clicked, this, [this, action] { (this->*action)(); });
    return button;
}

QTableWidget *SelectWindowControl::makeTable(const QRectF &frame)
{
    auto *table = new QTableWidget(0, 2, selectContactWin);
    const qreal C = SelectWindowLayout::listWidth(layoutSize_);
    table->setHorizontalHeaderLabels({pickerText(QStringLiteral("Name")), pickerText(QStringLiteral("Phone"))});
    table->horizontalHeaderItem(0)->setData(Qt::UserRole, kUserNameKey);
    table->horizontalHeaderItem(1)->setData(Qt::UserRole, kMobilePhoneKey);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setAlternatingRowColors(true);
    table->setShowGrid(true);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setMinimumSectionSize(int(C / 4));
    table->horizontalHeader()->setMaximumSectionSize(500);
    table->setColumnWidth(0, int(C / 2));
    table->setColumnWidth(1, int(C / 2));
    const QVariant rowHeight = setting(QStringLiteral("Main"), QStringLiteral("TableViewRowHeight"));
    if (rowHeight.isValid())
        table->verticalHeader()->setDefaultSectionSize(yov::nsInt(rowHeight));
    if (font())
        table->setFont(*font());
    place(table, frame);
    return table;
}

void SelectWindowControl::place(QWidget *widget, const QRectF &frame)
{
    frames_.insert(widget, frame);
    if (selectContactWin)
        widget->setGeometry(FrameAdapter::toQt(frame, selectContactWin->height()).toRect());
}

void SelectWindowControl::placeAll()
{
    for (QObject *child : selectContactWin->children())
        if (auto *widget = qobject_cast<QWidget *>(child); widget && frames_.contains(widget))
            place(widget, frames_.value(widget));
}

QRectF SelectWindowControl::skinFrameOf(const QWidget *widget) const
{
    return frames_.value(widget);
}

void SelectWindowControl::resizeContent(const QSizeF &size)
{
    if (!selectContactWin)
        return;
    selectContactWin->setFixedSize(size.toSize());
    if (QWidget *background = selectContactWin->findChild<QWidget *>(QStringLiteral("wndSelectionBg")))
        background->setGeometry(0, 0, selectContactWin->width(), selectContactWin->height());
    placeAll();
    selectContactWin->update();
}

// --- forms --------------------------------------------------------------------------------------

bool SelectWindowControl::hasMePosition() const
{
    return yov::nsBool(setting(QStringLiteral("HasMePosition")));
}

void SelectWindowControl::setDefaultSelectMemory()
{
    const bool sim = yov::nsInt(setting(QStringLiteral("SMS"), QStringLiteral("defaultSelectMemory"))) == 1;
    currentStoreMedium = sim ? SIM : PC;
    if (storeMediumComb)
        storeMediumComb->setCurrentIndex(currentStoreMedium);
}

void SelectWindowControl::allowsContactTableMultiSelection(bool allow)
{
    allowsMultipleSel = allow;
    if (contactTableView)
        contactTableView->setSelectionMode(allow ? QAbstractItemView::ExtendedSelection
                                                 : QAbstractItemView::SingleSelection);
}

void SelectWindowControl::setAvailableContactNumbers(const QVariantList &entries)
{
    m_availableContactNumbers = entries;
}

void SelectWindowControl::ResizeWindowForCall()
{
    resizeContent(QSizeF(SelectWindowLayout::callFormWidth(layoutSize_), layoutSize_.height()));
    QRectF cancel = skinFrameOf(cancelBtn);
    cancel.moveLeft(SelectWindowLayout::narrowCancelX());
    place(cancelBtn, cancel);
    QRectF ok = skinFrameOf(okBtn);
    ok.moveLeft(SelectWindowLayout::narrowOkX(layoutSize_));
    place(okBtn, ok);
    addToSelectedBtn->hide();
    removeFromSelectedBtn->hide();
    callForm_ = true;
}

void SelectWindowControl::simpliedSelectWnd(const QSizeF &size)
{
    resizeContent(size);
    QRectF cancel = skinFrameOf(cancelBtn);
    cancel.moveLeft(SelectWindowLayout::narrowCancelX());
    place(cancelBtn, cancel);
    QRectF ok = skinFrameOf(okBtn);
    ok.moveLeft(SelectWindowLayout::narrowOkX(layoutSize_));
    place(okBtn, ok);
    contactTableView->setSelectionMode(QAbstractItemView::SingleSelection);
    addToSelectedBtn->hide();
    removeFromSelectedBtn->hide();
    cancelBtn->show();
    storeMediumComb->hide();
    storeMediumComb->setCurrentIndex(SIM);
    storeMediumSelectionDidChange(SIM);
    hasNoSelectedTableView = true;
}

void SelectWindowControl::showWindow(QWidget *hostWindow)
{
    loadList();
    // The sheet owns the picker from now on: closing the window deletes both.
    if (hostWindow) {
        selectContactWin->setParent(hostWindow, selectContactWin->windowFlags());
        selectContactWin->setWindowModality(Qt::WindowModal);
    }
    ownedByWindow_ = true;
    setParent(selectContactWin);
    selectContactWin->show();
}

int SelectWindowControl::showModalWindow()
{
    m_sourceRange = ModalRange;
    storeMediumComb->hide();
    loadSubList();
    quitting_ = false;
    return selectContactWin->exec();
}

// --- lists --------------------------------------------------------------------------------------

void SelectWindowControl::appendPCContacts()
{
    PBControllerInterface &phonebook = Neighbours::phonebook();
    const bool split = yov::nsBool(setting(QStringLiteral("SMS"), QStringLiteral("ContactNumbersSelectionEnabled")));
    for (int group = 0; group < phonebook.sumOfGroupInPC(); ++group) {
        for (int row = 0; row < phonebook.sumOfContactInGroup(group); ++row) {
            const QVariantMap contact = phonebook.getPCUserByIndex(group, row);
            if (split)
                contactTableViewList.append(ContactNumbers::numberEntriesOf(contact));
            else
                contactTableViewList.append(contact);
        }
    }
}

bool SelectWindowControl::loadList()
{
    contactTableViewList.clear();
    PBControllerInterface &phonebook = Neighbours::phonebook();
    switch (currentStoreMedium) {
    case PC:
        appendPCContacts();
        break;
    case SIM:
        for (int i = 0; i < phonebook.getSimUserNumber(); ++i)
            contactTableViewList.append(phonebook.getUserFromSim(i));
        break;
    case DataCard:
        if (hasMePosition())
            for (int i = 0; i < phonebook.getMeUserNumber(); ++i)
                contactTableViewList.append(phonebook.getUserFromMe(i));
        break;
    default:
        break;
    }
    reloadTable(contactTableView, contactTableViewList);
    return true;
}

bool SelectWindowControl::loadSubList()
{
    contactTableViewList = m_availableContactNumbers;
    reloadTable(contactTableView, contactTableViewList);
    return true;
}

void SelectWindowControl::reloadTable(QTableWidget *table, const QVariantList &entries)
{
    if (!table)
        return;
    table->clearSelection();
    table->setRowCount(int(entries.size()));
    for (int row = 0; row < entries.size(); ++row) {
        const QVariantMap entry = yov::nsDict(entries.at(row));
        for (int column = 0; column < 2; ++column) {
            const QString key = table->horizontalHeaderItem(column)->data(Qt::UserRole).toString();
            auto *cell = new QTableWidgetItem(yov::nsString(entry.value(key)));
            if (font())
                cell->setFont(*font());
            table->setItem(row, column, cell);
        }
    }
}

QList<int> SelectWindowControl::selectedRows(QTableWidget *table) const
{
    QList<int> rows;
    if (!table)
        return rows;
    for (const QModelIndex &index : table->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

static void selectTableRows(QTableWidget *table, const QList<int> &rows)
{
    table->clearSelection();
    const auto mode = table->selectionMode();
    table->setSelectionMode(QAbstractItemView::MultiSelection);
    for (int row : rows)
        if (row >= 0 && row < table->rowCount())
            table->selectRow(row);
    table->setSelectionMode(mode);
}

void SelectWindowControl::selectContactRows(const QList<int> &rows) { selectTableRows(contactTableView, rows); }
void SelectWindowControl::selectSelectedRows(const QList<int> &rows) { selectTableRows(selectedTableView, rows); }

void SelectWindowControl::addToSelected()
{
    const QList<int> rows = selectedRows(contactTableView);
    if (rows.isEmpty())
        return;
    for (int row : rows)
        selectedTableViewList.append(contactTableViewList.at(row));
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        contactTableViewList.removeAt(*it);
    if (m_sourceRange == ModalRange)
        m_availableContactNumbers = contactTableViewList;
    reloadTable(contactTableView, contactTableViewList);
    reloadTable(selectedTableView, selectedTableViewList);
}

void SelectWindowControl::removeFromSelected()
{
    const QList<int> rows = selectedRows(selectedTableView);
    if (rows.isEmpty())
        return;
    for (int row : rows) {
        const QVariant entry = selectedTableViewList.at(row);
        if (!contactTableViewList.contains(entry))
            contactTableViewList.append(entry);
    }
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        selectedTableViewList.removeAt(*it);
    if (m_sourceRange == ModalRange)
        m_availableContactNumbers = contactTableViewList;
    reloadTable(contactTableView, contactTableViewList);
    reloadTable(selectedTableView, selectedTableViewList);
}

void SelectWindowControl::storeMediumSelectionDidChange(int index)
{
    if (index == currentStoreMedium || index < 0)
        return;
    currentStoreMedium = index;
    loadList();
    if (combPCGroup_) {
        combPCGroup_->setEnabled(currentStoreMedium == PC);
        combPCGroup_->setCurrentIndex(-1);
    }
}

void SelectWindowControl::groupSelectionDidChange(int index)
{
    PBControllerInterface &phonebook = Neighbours::phonebook();
    if (index < 0 || index >= phonebook.sumOfGroupInPC())
        return;
    for (int row = 0; row < phonebook.sumOfContactInGroup(index); ++row)
        selectedTableViewList.append(ContactNumbers::numberEntriesOf(phonebook.getPCUserByIndex(index, row)));
    reloadTable(selectedTableView, selectedTableViewList);
}

// --- OK, Cancel, call ---------------------------------------------------------------------------

bool SelectWindowControl::warnNoNumberChosen()
{
    NSRunAlertPanelExt(pickerText(QStringLiteral("Warning")), pickerText(QStringLiteral("Please select a phone number!")),
                       pickerText(QStringLiteral("STRING_OK_LABEL")));
    return false;
}

void SelectWindowControl::doSelectAction()
{
    if (allowsMultipleSel || m_sourceRange == ModalRange) {
        QVariantList chosen = selectedTableViewList;
        if (hasNoSelectedTableView) {
            const QList<int> rows = selectedRows(contactTableView);
            if (rows.isEmpty()) {
                warnNoNumberChosen();
                return;
            }
            chosen.append(contactTableViewList.at(rows.first()));
        }
        const QStringList numbers = ContactNumbers::numbersOf(chosen);
        m_selectedContactNumbers = numbers;
        Neighbours::sms().setTheSearchFieldText(numbers);
        if (hasModuleWith(QStringLiteral("MMS")))
            Neighbours::mms().setTheSearchFieldText(numbers);
        QVariantMap info;
        info.insert(notifications::kSendListKey, numbers);
        notificationCenter().post(notifications::kSelectContactFinished, this, info);
        quitWindow(1);
        return;
    }
    const QList<int> rows = selectedRows(contactTableView);
    if (rows.isEmpty()) {
        warnNoNumberChosen();
        return;
    }
    makeCallWithPhoneNum(rows.first());
}

void SelectWindowControl::doubleClickTableRow(int row)
{
    if (row < 0 || row >= contactTableViewList.size())
        return;
    selectContactRows({row});
    doSelectAction();
}

void SelectWindowControl::makeCallWithPhoneNum(int row)
{
    if (row < 0 || row >= contactTableViewList.size())
        return;
    const QString number = yov::nsString(yov::nsDict(contactTableViewList.at(row)).value(kMobilePhoneKey));
    QVariantMap info;
    info.insert(notifications::kMakeCallNumberKey, ContactNumbers::withoutLabel(number));
    notificationCenter().post(notifications::kMakeCallWithPhoneNumber, this, info);
    quitWindow(1);
}

void SelectWindowControl::quitWindow(int code)
{
    if (!selectContactWin || quitting_)
        return;
    if (m_sourceRange == SheetRange) {
        quitting_ = true;
        selectContactWin->hide();
        ownedByWindow_ = true;
        setParent(selectContactWin);
        selectContactWin->deleteLater(); // the picker with it
    } else if (m_sourceRange == ModalRange) {
        quitting_ = true;
        selectContactWin->done(code);
        selectContactWin->hide();
        quitting_ = false;
    }
}

} // namespace ostrel
