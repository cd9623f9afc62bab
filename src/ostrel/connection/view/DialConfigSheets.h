#pragma once
// The profile management sheet (the list of profiles with Add, Delete, Edit, Browse and Close,
// and the read-only browse panel) and the profile edit sheet, over the profile list of the
// connection controller. While the management sheet is open the main window's drawer items take
// no input.
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFormLayout>
#include <QHash>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include <optional>

#include "ostrel/connection/profile/ProfileInput.h"

namespace ostrel {

class DialController;
class DialConfigEditSheet;
class NSMatrix;

// The PDP-type group of a profile window: a radio matrix of 2 x 2 (four choices) or 1 x 3 (three
// choices) cells; the codes behind the cells are PdpTypeRules'.
NSMatrix *makePdpTypeGroup(int rows, int columns, const DialController *controller, QWidget *parent);
// The type the group's selected cell stands for (getPDPType).
int pdpTypeOfGroup(const NSMatrix *group);
// Selects the cell of the type (displayPDPAt); a type without a cell selects nothing.
void displayPdpTypeInGroup(NSMatrix *group, int type);

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
    // The browse panel's PDP-type group: shows the type, takes no input.
    NSMatrix *bPDPTypeGroup_ = nullptr;
    // saveDialConfigForIPv6: the browse panel's IPv6 APN, DNS texts and DNS mode into the profile
    // of the selected row (double PDP only); false when nothing was stored or the file not written.
    bool saveDialConfigForIPv6();

private:
    void reloadTable();
    void setEidtStatusAtRow();
    void fillBrowse();
    void applyWcdmaHidden();
    // The IPv6 rows of the browse panel (double PDP only).
    void displyEditDialParamsForIPv6();
    QFormLayout *browseForm_ = nullptr;
    QList<QLayout *> wcdmaGroupRows_;

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

    // The APN settings: a Common/Advanced tab strip over the IPv4 tab view and the IPv6 box. Its
    // tab bar does not switch by itself: a click is carried to the IPv4 and IPv6 tab actions.
    QTabWidget *tabviewApnSettings_ = nullptr;
    // The IPv4 half: Common (credentials, APN, authentication) and Advanced (DNS, PDP address).
    QTabWidget *tabviewIpv4ApnConfig_ = nullptr;
    void advancedApnConfigForIPv4();
    void commonApnConfigForIPv4();
    // Whether a tab view's own tab bar may change its page: not for the APN settings strip.
    bool shouldSelectTab(const QTabWidget *view) const { return view != tabviewApnSettings_; }

    // The PDP type (shown with Internet/SupportIPv6) and the IPv6 half of the profile (with
    // double-PDP settings), on the Common and Advanced tabs of the IPv6 settings.
    NSMatrix *ePDPTypeGroup_ = nullptr;
    QCheckBox *checkSinglePdp_ = nullptr;
    QWidget *ipv6Settings = nullptr;
    QTabWidget *tabviewIpv6ApnConfig_ = nullptr;
    QCheckBox *checkSavePasswordForIPv6_ = nullptr;
    QLineEdit *tfUsernameForIPv6_ = nullptr;
    QLineEdit *tfPasswordForIPv6_ = nullptr;
    QButtonGroup *radioObtainApnIPv6_ = nullptr;
    QLineEdit *tfApnIPv6_ = nullptr;
    QButtonGroup *radioAuthModeIPv6_ = nullptr;
    QButtonGroup *radioObtainPdpIPv6_ = nullptr;
    QLineEdit *tfPdpAddrIPv6_ = nullptr;
    QButtonGroup *radioObtainDNSIPv6_ = nullptr;
    QLineEdit *tfPreferDNSIPv6_ = nullptr;
    QLineEdit *tfAltDNSIPv6_ = nullptr;

    // Rebuilds the PDP-type group in another shape (2 x 2 or 1 x 3), keeping the shown type.
    void setPdpTypeGroupShape(int rows, int columns);
    // setPdpTypeStatus: which APN groups take input for the selected type.
    void setPdpTypeStatus();
    // pdpTypeSelect: which APN fields take input, while the IPv4 APN is typed.
    void pdpTypeSelect();
    // Type 3 only: the IPv6 group takes input while the single-PDP box is off.
    void setUseSinglePdpForIPv6();
    void saveAPNPasswordIPv6();
    void selectObtainAPNTypeIPv6();
    void selectObtainPDPTypeIPv6();
    void selectObtainDNSTypeIPv6();
    void setIPv6ApnEnabled(bool enabled);
    void setIPv4ApnEnabled(bool enabled);
    // When the sheet opens: credentials, DNS, address, then the APN fields by type.
    void setApnEditWinCtrlStatusForIPv6();
    // With Internet_ForbiddenIPV6APN_WhileChooseRAS and a three-choice group: the IPv6 cells take
    // no input under PPP.
    void forbiddenOperateIpv6Apn();
    void advancedApnConfigForIPv6();
    void commonApnConfigForIPv6();

    // Which controls take input for the profile being edited.
    const EditSheetControls &controls() const { return controls_; }

signals:
    void saved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Each dependent field follows its check box or radio group while that control takes input.
    void followControls();
    void filterTexts();
    // A static address field takes dotted IPv4 text only while it starts empty.
    void setAddressFormatter(QLineEdit *field, bool attach);
    QWidget *makeIPv6Settings();
    QWidget *makeIPv4Settings();
    // A click on the APN settings strip: both halves show the chosen tab, then the strip follows.
    void showApnSettingsTab(int index);
    // The APN, address and DNS rows hidden in a device mode without them; the form closes the gap.
    void applyWcdmaHidden();
    QFormLayout *form_ = nullptr;
    QList<QLayout *> wcdmaGroupRows_;

    DialController *controller_;
    int row_ = -1;
    EditSheetControls controls_;
};

} // namespace ostrel
