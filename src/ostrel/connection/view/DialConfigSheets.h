#pragma once
// The profile management sheet (the list of profiles with Add, Delete, Edit, Browse and Close,
// and the read-only browse panel) and the profile edit sheet, over the profile list of the
// connection controller. While the management sheet is open the main window's drawer items take
// no input.
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QHash>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <optional>

#include "ostrel/connection/profile/ProfileInput.h"

namespace ostrel {

class DialController;
class DialConfigEditSheet;

class DialConfigManagementSheet : public QDialog {
    Q_OBJECT
public:
    explicit DialConfigManagementSheet(DialController *controller, QWidget *parent = nullptr);

    // popUpDialConfigWindow: reloads the table, closes the browse panel, opens as a sheet and
    // disables the main window's drawer items until it closes.
    void popUpDialConfigWindow();
    void AddAPNInfo();
    // Asks "Delete item?" first.
    void DelAPNInfo();
    void editDialConfigSettings();
    void browseDialConfigSettings();
    // Saves, clamps the current profile and selects it in the chooser.
    void closeDialConfigSettings();

    QListWidget *table() const { return table_; }
    std::optional<int> selectedRow() const;
    QPushButton *editButton() const { return edit_; }
    QPushButton *deleteButton() const { return delete_; }
    QPushButton *browseButton() const { return browse_; }
    bool browseOpen() const { return browseOpen_; }
    DialConfigEditSheet *editSheet() const { return editSheet_; }
    // The browse panel's read-only controls.
    QLineEdit *browseField(const QString &key) const;
    QButtonGroup *browseGroup(const QString &key) const;
    QCheckBox *browseCheckBox(const QString &key) const;

private:
    void reloadTable();
    void setEidtStatusAtRow();
    void fillBrowse();

    DialController *controller_;
    QListWidget *table_ = nullptr;
    QPushButton *edit_ = nullptr;
    QPushButton *delete_ = nullptr;
    QPushButton *browse_ = nullptr;
    QWidget *browseView_ = nullptr;
    QLineEdit *browseName_ = nullptr;
    QHash<QString, QLineEdit *> browseFields_;
    QHash<QString, QButtonGroup *> browseGroups_;
    QHash<QString, QCheckBox *> browseChecks_;
    bool browseOpen_ = false;
    DialConfigEditSheet *editSheet_ = nullptr;
};

class DialConfigEditSheet : public QDialog {
    Q_OBJECT
public:
    explicit DialConfigEditSheet(DialController *controller, QWidget *parent = nullptr);

    // setEditWinValue: fills the sheet with the profile of row.
    void setEditWinValue(int row);
    ProfileEdit values() const;
    // editWindowOK: checks, saves and closes; a failed check shows its warning and keeps the sheet.
    bool editWindowOK();
    void editWindowCancel() { reject(); }

    QLineEdit *nameField = nullptr;
    QLineEdit *numberField = nullptr;
    QCheckBox *saveUsername = nullptr;
    QCheckBox *askUsername = nullptr; // only with the ask-before-connect feature
    QLineEdit *userField = nullptr;
    QLineEdit *passwordField = nullptr;
    QButtonGroup *apnGroup = nullptr;
    QLineEdit *apnField = nullptr;
    QButtonGroup *dnsGroup = nullptr;
    QLineEdit *preDnsField = nullptr;
    QLineEdit *altDnsField = nullptr;
    QButtonGroup *pdpGroup = nullptr;
    QLineEdit *pdpAddressField = nullptr;
    QButtonGroup *authGroup = nullptr;

    // Which controls take input for the profile being edited.
    const EditSheetControls &controls() const { return controls_; }

signals:
    void saved();

private:
    // Each dependent field follows its check box or radio group while that control takes input.
    void followControls();
    void filterTexts();
    // A static address field takes dotted IPv4 text only while it starts empty.
    void setAddressFormatter(QLineEdit *field, bool attach);

    DialController *controller_;
    int row_ = -1;
    EditSheetControls controls_;
};

} // namespace ostrel
