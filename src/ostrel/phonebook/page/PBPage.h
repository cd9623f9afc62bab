#pragma once
// The controls of the phonebook tab, built in code: the save-position matrix, the optional tree,
// the group and contact tables, the information texts, the capacity label, the search, the
// buttons, pop-ups and the page's edit menu. Its behaviour belongs to PBWindow; this class only
// builds the controls, each named after its role (objectName) for the skin, PBWindow and tests.
#include <QWidget>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTextBrowser;

namespace ostrel {

class NSMatrix;
class NSOutlineViewExt;
class NSTableViewExt;

class PBPage : public QWidget {
    Q_OBJECT
public:
    struct Layout {
        // The save-position matrix's grid (its cells go down the column when it has one column,
        // else along the first row).
        int matrixRows = 1;
        int matrixColumns = 4;
        // The storage tree beside the tables.
        bool tree = false;
    };

    explicit PBPage(const Layout &layout, QWidget *parent = nullptr);
    const Layout &layoutOptions() const { return layout_; }

    NSMatrix *m_SavePosition = nullptr;
    NSOutlineViewExt *outlineView_ = nullptr; // null without a tree
    QPushButton *newMenuBtn_ = nullptr;       // the tree's "new" menu (null without a tree)
    QMenu *popUpMenuOfNewGroupAndUser_ = nullptr;
    QMenu *popUpMenuOnNode_ = nullptr;
    NSTableViewExt *m_GroupList = nullptr;
    NSTableViewExt *m_UserList = nullptr;
    QTextBrowser *tvwContactInfo_ = nullptr;
    QTextBrowser *phonebookText = nullptr;
    QLabel *conpacity = nullptr;
    static constexpr int kProgressMaximum = 20;
    QProgressBar *curOperationProcessBar_ = nullptr;
    QLineEdit *m_SearchItem = nullptr;
    QPushButton *phonebookSearchBtn_ = nullptr;
    QPushButton *phonebookGoBtn_ = nullptr;

    QPushButton *m_AddGroupBtn = nullptr;
    QPushButton *m_DeleteGroupBtn = nullptr;
    QPushButton *m_EditGroupBtn = nullptr;
    QPushButton *m_AddUserBtn = nullptr;
    QPushButton *m_DeleteUserBtn = nullptr;
    QPushButton *m_EditUserBtn = nullptr;
    QPushButton *newBtn_ = nullptr;
    QPushButton *editBtn_ = nullptr;
    QPushButton *deleteBtn_ = nullptr;
    QPushButton *callBtn_ = nullptr;
    QMenu *popUpMenuOnCallButton_ = nullptr;
    QPushButton *smsBtn_ = nullptr;
    QPushButton *m_SendSMSBtn = nullptr;
    QPushButton *PBMainWindowCall_Btn = nullptr;
    QPushButton *m_SaveBtn = nullptr;
    QPushButton *btnExport_ = nullptr;
    QPushButton *btnImport_ = nullptr;
    QPushButton *btnUpdate_ = nullptr;  // the number-plan update
    QPushButton *btnRestore_ = nullptr; // the restore from its backup
    QLabel *PBMainWindowCopyTo_Btn = nullptr;
    QComboBox *moveMenu = nullptr;
    QLabel *moveAndDelContLbl_ = nullptr;
    QComboBox *moveAndDelContMenu_ = nullptr;
    QMenu *editMenu_ = nullptr;
    QAction *cutmenu = nullptr;
    QAction *copymenu = nullptr;
    QAction *pastemenu = nullptr;

private:
    Layout layout_;
};

} // namespace ostrel
