#pragma once
// The record settings window: the reset period (every 30 days, or every N days from a start
// day), the data or time limit, the 80 % warning and the disconnect at the limit. Its actions
// belong to DialRecordController (DialRecordControllerSettings.cpp); this class only builds the
// controls, each named after its role (objectName) for the controller and for tests.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ostrel {

class DialRecordController;

class RecordSettingWindow : public QDialog {
    Q_OBJECT
public:
    explicit RecordSettingWindow(DialRecordController *controller, QWidget *parent = nullptr);

    // Sets the localised texts of every control.
    void setWording();

    QGroupBox *boxPeriod_ = nullptr;
    QCheckBox *btnThirtyDays_ = nullptr;   // reset every 30 days
    QCheckBox *btnEveryDays_ = nullptr;    // reset every N days
    QComboBox *popPeriodDays_ = nullptr;   // N: items "1" to "30"
    QLabel *labelDays_ = nullptr;
    QLabel *labelStartDay_ = nullptr;
    QDateEdit *dateStartDay_ = nullptr;
    QGroupBox *boxLimit_ = nullptr;
    QRadioButton *radioDataLimit_ = nullptr;
    QLineEdit *fieldDataLimit_ = nullptr;  // MB
    QLabel *labelMB_ = nullptr;
    QRadioButton *radioTimeLimit_ = nullptr;
    QLineEdit *fieldTimeLimit_ = nullptr;  // hours
    QLabel *labelHours_ = nullptr;
    QGroupBox *boxWarnings_ = nullptr;
    QCheckBox *btnLimitWarn_ = nullptr;
    QCheckBox *btnLimitDisconnect_ = nullptr;
    QPushButton *btnApply_ = nullptr;
    QPushButton *btnCancel_ = nullptr;
    QPushButton *btnBack_ = nullptr;

    // Escape closes the window; a view hosted in the settings window stays.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    DialRecordController *controller_;
};

} // namespace ostrel
