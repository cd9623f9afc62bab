#pragma once
// The profile chooser of the Internet view: item 0 opens the profile management, item i is
// profile i - 1. It reads the list from the connection controller and hands every pick to it.
// Its width does not follow the names: a long name is shown cut with an ellipsis.
#include <QComboBox>

namespace ostrel {

class DialController;

class DialConfigChooser : public QComboBox {
    Q_OBJECT
public:
    explicit DialConfigChooser(DialController *controller, QWidget *parent = nullptr);

    // Refills the items and selects the item to show (the sheet's item stays unselected).
    void reloadData();
    // Selects the item the controller shows: the current profile's, or the one it stands in for
    // it (item 1 while no SIM's profiles are known).
    void selectShownItem();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void picked(int item);

    DialController *controller_;
};

} // namespace ostrel
