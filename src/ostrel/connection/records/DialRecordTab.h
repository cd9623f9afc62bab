#pragma once
// The records tab ("DialRecord" page of the main window): the records table, the period view
// (from and to days, Show, the period label), the totals, the duration accounting, Save, Delete
// and Reset, the way to the statistics page and to the limit settings. Its actions and texts
// belong to DialRecordController (DialRecordControllerTab.cpp, DialRecordControllerAlias.cpp);
// this class only builds the controls, each named after its role (objectName) for the skin, the
// controller and tests.
#include <QWidget>

class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ostrel {

class DialRecordController;
class DialRecordTableModel;
class NSTableViewExt;

class DialRecordTab : public QWidget {
    Q_OBJECT
public:
    explicit DialRecordTab(DialRecordController *controller, QWidget *parent = nullptr);

    DialRecordTableModel *model_ = nullptr;
    QGroupBox *boxDialRecord_ = nullptr;      // the record box around the table
    NSTableViewExt *tableDialRecord_ = nullptr;
    QGroupBox *boxPeriod_ = nullptr;          // "Statistics for period"
    QLabel *labelFrom_ = nullptr;
    QDateEdit *dateFrom_ = nullptr;
    QLabel *labelTo_ = nullptr;
    QDateEdit *dateTo_ = nullptr;
    QPushButton *btnShow_ = nullptr;
    QLabel *labelPeriod_ = nullptr;
    QGroupBox *boxMeter_ = nullptr;           // "Data and Time meter"
    QLabel *labelTotalData_ = nullptr;
    QLabel *textTotalData_ = nullptr;
    QLabel *labelTotalTime_ = nullptr;
    QLabel *textTotalTime_ = nullptr;
    QLabel *labelAdvanceTime_ = nullptr;
    QRadioButton *btnContinuous_ = nullptr;
    QRadioButton *btnIncrease15Min_ = nullptr;
    QPushButton *btnStatistics_ = nullptr;
    QPushButton *btnSetLimit_ = nullptr;
    QPushButton *btnSave_ = nullptr;
    QPushButton *btnDelete_ = nullptr;
    QPushButton *btnReset_ = nullptr;
    QLabel *labelNote_ = nullptr;
};

} // namespace ostrel
