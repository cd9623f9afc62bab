#pragma once
// The connect-warning sheet of operators that ask before the first connection: OK goes on with the
// request (and the sheet does not show again until the device is removed), Cancel ends it.
#include <QDialog>

namespace ostrel {

class DialController;

class ConnectWarningSheet : public QDialog {
    Q_OBJECT
public:
    explicit ConnectWarningSheet(DialController *controller, QWidget *parent = nullptr);
    void connectWarningWinOKClicked();

private:
    DialController *controller_;
};

} // namespace ostrel
