#pragma once
// The end-of-connection statistics window: duration, data sent, received and their total.
#include <QDialog>
#include <QLabel>

namespace ostrel {

class DialController;

class StatisticsWindow : public QDialog {
    Q_OBJECT
public:
    explicit StatisticsWindow(DialController *controller, QWidget *parent = nullptr);
    void showStatistics(const QString &duration, const QString &sent, const QString &received, const QString &total);
    // closeStatisticsWin:
    void closeStatisticsWin() { hide(); }

    QLabel *tfdDisplayDuration_ = nullptr;
    QLabel *tfdDisplayUpData_ = nullptr;
    QLabel *tfdDisplayDownData_ = nullptr;
    QLabel *tfdDisplayTotalData_ = nullptr;
};

} // namespace ostrel
