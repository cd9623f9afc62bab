#include "ostrel/phonebook/page/PBPage.h"

#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace ostrel {

namespace {

template <typename T>
T *namedControl(T *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

QPushButton *pageButton(QWidget *parent, const char *name)
{
    return namedControl(new QPushButton(parent), name);
}

NSTableViewExt *pageTable(QWidget *parent, const char *name)
{
    auto *table = namedControl(new NSTableViewExt(parent), name);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    return table;
}

} // namespace

PBPage::PBPage(const Layout &layout, QWidget *parent) : QWidget(parent), layout_(layout)
{
    setObjectName(QStringLiteral("viewPhonebookTab"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(10, 8, 10, 8);

    // The tool row: new, edit, delete, call, SMS, then the search.
    auto *tools = new QHBoxLayout;
    newBtn_ = pageButton(this, "btnPBNew");
    editBtn_ = pageButton(this, "btnPBEdit");
    deleteBtn_ = pageButton(this, "btnPBDelete");
    callBtn_ = pageButton(this, "btnPBCall");
    popUpMenuOnCallButton_ = namedControl(new QMenu(callBtn_), "menuPBCall");
    callBtn_->setMenu(popUpMenuOnCallButton_);
    smsBtn_ = pageButton(this, "btnPBSMS");
    for (QPushButton *b : {newBtn_, editBtn_, deleteBtn_, callBtn_, smsBtn_})
        tools->addWidget(b);
    tools->addStretch();
    phonebookSearchBtn_ = pageButton(this, "btnPBSearch");
    m_SearchItem = namedControl(new QLineEdit(this), "textSearchPB");
    m_SearchItem->setClearButtonEnabled(true);
    phonebookGoBtn_ = pageButton(this, "btnPBGo");
    tools->addWidget(phonebookSearchBtn_);
    tools->addWidget(m_SearchItem);
    tools->addWidget(phonebookGoBtn_);
    column->addLayout(tools);

    // The save positions.
    m_SavePosition = namedControl(new NSMatrix(layout.matrixRows, layout.matrixColumns, this), "matrixPBSavePosition");
    auto *positions = new QHBoxLayout;
    positions->addWidget(m_SavePosition);
    positions->addStretch();
    column->addLayout(positions);

    // The tree (optional), the group table with its buttons, the contact table.
    auto *lists = new QHBoxLayout;
    if (layout.tree) {
        auto *treeColumn = new QVBoxLayout;
        outlineView_ = namedControl(new NSOutlineViewExt(this), "outlinePBSource");
        outlineView_->setHeaderHidden(true);
        outlineView_->setContextMenuPolicy(Qt::DefaultContextMenu);
        popUpMenuOnNode_ = namedControl(new QMenu(outlineView_), "menuPBNode");
        popUpMenuOfNewGroupAndUser_ = namedControl(new QMenu(this), "menuPBNew");
        newMenuBtn_ = pageButton(this, "btnPBNewMenu");
        newMenuBtn_->setMenu(popUpMenuOfNewGroupAndUser_);
        treeColumn->addWidget(outlineView_);
        treeColumn->addWidget(newMenuBtn_);
        lists->addLayout(treeColumn, 2);
    }
    m_GroupList = pageTable(this, "tableGroupListPB");
    m_GroupList->setSelectionMode(QAbstractItemView::SingleSelection);
    lists->addWidget(m_GroupList, 2);
    m_UserList = pageTable(this, "tableUserListPB");
    m_UserList->setSortingEnabled(false);
    m_UserList->horizontalHeader()->setSortIndicatorShown(true);
    m_UserList->horizontalHeader()->setSectionsClickable(true);
    m_UserList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lists->addWidget(m_UserList, 5);
    column->addLayout(lists, 1);

    // The group-area buttons and the contact buttons.
    auto *buttons = new QHBoxLayout;
    m_AddGroupBtn = pageButton(this, "btnPBAddGroup");
    m_DeleteGroupBtn = pageButton(this, "btnPBDeleteGroup");
    m_EditGroupBtn = pageButton(this, "btnPBEditGroup");
    m_AddUserBtn = pageButton(this, "btnPBAddUser");
    m_DeleteUserBtn = pageButton(this, "btnPBDeleteUser");
    m_EditUserBtn = pageButton(this, "btnPBEditUser");
    m_SendSMSBtn = pageButton(this, "btnPBSendSMS");
    PBMainWindowCall_Btn = pageButton(this, "BtnCallForPB");
    m_SaveBtn = pageButton(this, "btnPBSave");
    for (QPushButton *b : {m_AddGroupBtn, m_DeleteGroupBtn, m_EditGroupBtn, m_AddUserBtn, m_DeleteUserBtn, m_EditUserBtn,
                           m_SendSMSBtn, PBMainWindowCall_Btn, m_SaveBtn})
        buttons->addWidget(b);
    buttons->addStretch();
    column->addLayout(buttons);

    // Copy, move, export and import.
    auto *transfer = new QHBoxLayout;
    PBMainWindowCopyTo_Btn = namedControl(new QLabel(this), "tfPBCopyTo");
    moveMenu = namedControl(new QComboBox(this), "labelMoveMenuPB");
    moveAndDelContLbl_ = namedControl(new QLabel(this), "labelPBMoveTo");
    moveAndDelContMenu_ = namedControl(new QComboBox(this), "popupPBMoveTo");
    btnExport_ = pageButton(this, "btnPBExport");
    btnImport_ = pageButton(this, "btnPBImport");
    btnUpdate_ = pageButton(this, "btnPBUpdate");
    btnRestore_ = pageButton(this, "btnPBRestore");
    transfer->addWidget(PBMainWindowCopyTo_Btn);
    transfer->addWidget(moveMenu);
    transfer->addWidget(moveAndDelContLbl_);
    transfer->addWidget(moveAndDelContMenu_);
    transfer->addStretch();
    transfer->addWidget(btnExport_);
    transfer->addWidget(btnImport_);
    transfer->addWidget(btnUpdate_);
    transfer->addWidget(btnRestore_);
    column->addLayout(transfer);

    // The information texts and the capacity.
    auto *info = new QHBoxLayout;
    tvwContactInfo_ = namedControl(new QTextBrowser(this), "textPBContactInfo");
    tvwContactInfo_->setMaximumHeight(110);
    phonebookText = namedControl(new QTextBrowser(this), "textPBPhonebookText");
    phonebookText->setMaximumHeight(110);
    phonebookText->hide();
    info->addWidget(tvwContactInfo_, 1);
    info->addWidget(phonebookText, 1);
    column->addLayout(info);
    conpacity = namedControl(new QLabel(this), "tfPBCapacity");
    column->addWidget(conpacity);
    // The progress of an operation that writes many device records (0 to 20), hidden between them.
    curOperationProcessBar_ = namedControl(new QProgressBar(this), "levelPBOperation");
    curOperationProcessBar_->setRange(0, kProgressMaximum);
    curOperationProcessBar_->setTextVisible(false);
    curOperationProcessBar_->hide();
    column->addWidget(curOperationProcessBar_);

    // The page's edit menu (on the contact table).
    editMenu_ = namedControl(new QMenu(this), "menuPBEdit");
    cutmenu = editMenu_->addAction(QStringLiteral("Cut"));
    copymenu = editMenu_->addAction(QStringLiteral("Copy"));
    pastemenu = editMenu_->addAction(QStringLiteral("Paste"));
    cutmenu->setObjectName(QStringLiteral("menuPBCut"));
    copymenu->setObjectName(QStringLiteral("menuPBCopy"));
    pastemenu->setObjectName(QStringLiteral("menuPBPaste"));
    m_UserList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_UserList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { editMenu_->popup(m_UserList->viewport()->mapToGlobal(pos)); });
}

} // namespace ostrel
