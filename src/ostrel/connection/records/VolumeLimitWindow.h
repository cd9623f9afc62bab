#pragma once
// The operator's "Volume Limit" window: the recurring reset of the records (daily, weekly on a
// weekday, monthly on a day), the data-volume or time limit, and the warnings. Its actions and
// texts belong to DialRecordController (DialRecordControllerAlias.cpp); this class only builds the
// controls, each named after its role (objectName) for the controller and for tests.
#include <QDialog>

class QButtonGroup;
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

class VolumeLimitWindow : public QDialog {
    Q_OBJECT
public:
    explicit VolumeLimitWindow(DialRecordController *controller, QWidget *parent = nullptr);

    QGroupBox *boxSetPeriod_ = nullptr;
    QCheckBox *checkBoxRecordReset_ = nullptr;     // the recurrence is on
    QGroupBox *boxSetRecurrence_ = nullptr;
    QButtonGroup *radioResetGroup_ = nullptr;      // ids 0 daily, 1 weekly, 2 monthly
    QRadioButton *radioDaily_ = nullptr;
    QRadioButton *radioWeekly_ = nullptr;
    QRadioButton *radioMonthly_ = nullptr;
    QComboBox *comBoxWeek_ = nullptr;              // Sunday ... Saturday
    QComboBox *comBoxMonth_ = nullptr;             // 1 ... 31
    QLabel *labelSetDate_ = nullptr;
    QDateEdit *recordResetDate_ = nullptr;
    QGroupBox *boxSetLimits_ = nullptr;
    QCheckBox *checkDataVolumeSet_ = nullptr;      // the limit is on
    QButtonGroup *limitTypeGroup_ = nullptr;       // ids 0 data, 1 time
    QRadioButton *radioDataLimit_ = nullptr;
    QRadioButton *radioTimeLimit_ = nullptr;
    QLineEdit *textDataLimit_ = nullptr;           // MB
    QLineEdit *textTimeLimit_ = nullptr;           // hours
    QLabel *labelMB_ = nullptr;
    QLabel *labelHours_ = nullptr;
    QGroupBox *boxSetWarnings_ = nullptr;
    QCheckBox *checkBox25LimitWarn_ = nullptr;
    QCheckBox *checkBox50LimitWarn_ = nullptr;
    QCheckBox *checkBox75LimitWarn_ = nullptr;
    QCheckBox *checkBox80LimitWarn_ = nullptr;
    QCheckBox *checkBox100LimitWarn_ = nullptr;
    // No setting keeps it and it would read as the 100 % box: built, never shown.
    QCheckBox *checkBoxDisconnectWarn_ = nullptr;
    QCheckBox *checkBoxplaySoundWran_ = nullptr;
    QPushButton *btnSetRecordApply_ = nullptr;
    QPushButton *btnSetRecordCancel_ = nullptr;
};

} // namespace ostrel
