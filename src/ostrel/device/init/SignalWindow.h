#pragma once
// The signal window: the bars of the current signal level with the cell values the modem last
// reported (RSSI, LAC and cell ID), and the bar image shown in the main window's status area.
//
// Bar images are looked up by name ("rssi1" for no signal to "rssi6" for full); a skin that
// has no such image gets bars drawn here, so the level is always visible.
#include <QDialog>
#include <QPixmap>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;

namespace ostrel {

// The level (0 to 5) of a bar image name "rssi1" to "rssi6"; -1 for any other name.
int signalLevelOfImageName(const QString &imageName);
// Bars of a level (0 to 5) drawn in the given size: five rising bars, the first `level` filled.
// Each level and size is drawn once.
QPixmap signalBarsPixmap(int level, const QSize &size);
// Shows those bars in the label; nothing to do (and nothing to repaint) when it already does.
void showSignalBars(QLabel *label, int level, const QSize &size);

class SignalWindow : public QDialog {
    Q_OBJECT
public:
    explicit SignalWindow(QWidget *parent = nullptr);

    // Sets the localised texts (titles "RSSI:", "LAC:", "Cell ID:", button "OK").
    void setWording(const std::function<QString(const QString &)> &localise);

    void setLevel(int level);
    int level() const { return level_; }
    // The RSSI as the modem's magnitude, shown "%d".
    void setRssi(int magnitude);
    // LAC and cell ID as the modem reports them (hexadecimal digits); each is shown in decimal when
    // it reads as a number other than 0, otherwise its field is left as it was.
    void setLacAndCellId(const QString &lacHex, const QString &cellIdHex);

    QLabel *labelRssiLacCiWindowRssiTitle_ = nullptr;
    QLabel *labelRssiLacCiWindowLacTitle_ = nullptr;
    QLabel *labelRssiLacCiWindowCiTitle_ = nullptr;
    QLabel *labelRssiLacCiWindowRssiValue_ = nullptr;
    QLabel *labelRssiLacCiWindowLacValue_ = nullptr;
    QLabel *labelRssiLacCiWindowCiValue_ = nullptr;
    QLabel *imageSignalBars_ = nullptr;
    QPushButton *btnOK = nullptr;

private:
    int level_ = 0;
};

} // namespace ostrel
