#pragma once
// The operator's connect-state window (a progress animation and Cancel while connecting or
// disconnecting) and connect-failed window (a message, Redial and Close). Both follow the
// controller's display state.
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace ostrel {

class DialController;

class ConnectStateWindow : public QDialog {
    Q_OBJECT
public:
    explicit ConnectStateWindow(DialController *controller, QWidget *parent = nullptr);
    void refresh();

    QLabel *imageViewOfProgressIndicator_ = nullptr;
    QLabel *labelConnectStateOfForDidizu_ = nullptr;
    QPushButton *btnOfCancelConnectOperateForDidizu_ = nullptr;

private:
    DialController *controller_;
};

class ConnectFailedWindow : public QDialog {
    Q_OBJECT
public:
    explicit ConnectFailedWindow(DialController *controller, QWidget *parent = nullptr);
    void refresh();

    QLabel *imageViewOfConnectFailed_ = nullptr;
    QLabel *labelOfConnectStateWhenConnectFailed_ = nullptr;

private:
    DialController *controller_;
};

// The progress image of step 1 ... 10 ("Stategif%d.png"); empty for 0.
QString progressImageName(int step);

} // namespace ostrel
