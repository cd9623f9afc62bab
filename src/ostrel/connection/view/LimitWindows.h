#pragma once
// The two windows of the user's data or time limit: the 80 % warning (runLimitWarning) and the
// message that the limit was reached and the connection ends. Both stand in front of the other
// windows without being modal: the dashboard goes on while they are open.
#include <QDialog>

class QLabel;
class QPushButton;

namespace ostrel {

class DialController;

class LimitMessageWindow : public QDialog {
    Q_OBJECT
public:
    LimitMessageWindow(DialController *controller, const QString &objectName, QWidget *parent = nullptr);
    // Shows the text in front of the other windows.
    void showText(const QString &text);
    // closeLimitWarningPanel: / reachLimitsMsgOK:
    void closeMessage() { hide(); }

    QLabel *labelText_ = nullptr;
    QPushButton *btnOK_ = nullptr;
};

// Opens the windows when the controller asks for them; they belong to parent (the main window).
void installLimitWindows(DialController *controller, QWidget *parent);

} // namespace ostrel
