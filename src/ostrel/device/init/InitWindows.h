#pragma once
// The windows of the device-state controller, built in code: the PIN and PUK entry sheets, the
// confirmation sheet for cancelling them, the SIM-update notice and the device-unlock sheet.
//
// Each is a dialog that begins as a sheet: window-modal, attached to a parent window (the main
// window or its topmost sheet) and shown without blocking; ending the sheet hides it. Escape and
// the window's close button act as the window's Cancel action, never as a silent close.
#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ostrel {

class InitSheet : public QDialog {
    Q_OBJECT
public:
    explicit InitSheet(const QString &skinKey, QWidget *parent = nullptr);

    // Shows the window as a sheet on the window (null: as a window of its own).
    void beginSheetOn(QWidget *window);
    // Ends the sheet: the window is hidden and its parent released for input.
    void endSheet();
    bool isSheetOpen() const { return isVisible(); }

    // What Escape and the close button do; by default the sheet ends.
    std::function<void()> onCancel;

    void reject() override;
};

// The window on which a sheet is to begin: the window's topmost visible window-modal child,
// following attached sheets from the window; the window itself when it has none.
QWidget *topmostSheetOf(QWidget *window);

class PinWindow : public InitSheet {
    Q_OBJECT
public:
    explicit PinWindow(QWidget *parent = nullptr);
    QLabel *labelPinCode = nullptr;
    QLineEdit *m_PinCode = nullptr;
    QLabel *m_PinTimeLeft = nullptr;
    QCheckBox *btnSavePinNum_ = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;
};

class PukWindow : public InitSheet {
    Q_OBJECT
public:
    explicit PukWindow(QWidget *parent = nullptr);
    QLineEdit *m_PukCode = nullptr;
    QLineEdit *m_NewPinCode = nullptr;
    QLineEdit *m_RepNewPinCode = nullptr;
    QLabel *m_PukTimeLeft = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;
};

class ReAlertWindow : public InitSheet {
    Q_OBJECT
public:
    explicit ReAlertWindow(QWidget *parent = nullptr);
    QLabel *labelMessage = nullptr;
    QPushButton *btnYES = nullptr;
    QPushButton *btnNO = nullptr;
};

class SimCardUpdateWindow : public InitSheet {
    Q_OBJECT
public:
    explicit SimCardUpdateWindow(QWidget *parent = nullptr);
    QLabel *labelSimCardUpdate_ = nullptr;
};

// The white-list sheet (winD3uWhiteCheck_): on a roaming network of the operator's white list,
// two texts, OK, and the check box that keeps the roaming tip before connecting.
class WhiteListCheckWindow : public InitSheet {
    Q_OBJECT
public:
    explicit WhiteListCheckWindow(QWidget *parent = nullptr);
    QLabel *tfdD3uRoamInWhiteList_ = nullptr;
    QLabel *tfdD3uRemindNextConnect_ = nullptr;
    QCheckBox *checkboxD3uWhiteCheck_ = nullptr;
    QPushButton *btnD3uWhiteCheck_ = nullptr;
};

class UnlockDeviceWindow : public InitSheet {
    Q_OBJECT
public:
    explicit UnlockDeviceWindow(QWidget *parent = nullptr);
    QLabel *labelUnlockDeviceCode_ = nullptr;
    QLineEdit *tfdUnlockDeviceCode_ = nullptr;
    QLabel *labelUnlockDeviceCount_ = nullptr;
    QPushButton *btnUnlockDeviceOK_ = nullptr;
    QPushButton *btnUnlockDeviceCancel_ = nullptr;
};

} // namespace ostrel
