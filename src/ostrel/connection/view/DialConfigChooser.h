#pragma once
// The profile chooser of the Internet view: item 0 opens the profile management, item i is
// profile i - 1. It reads the list from the connection controller and hands every pick to it.
#include <QComboBox>

namespace ostrel {

class DialController;

class DialConfigChooser : public QComboBox {
    Q_OBJECT
public:
    explicit DialConfigChooser(DialController *controller, QWidget *parent = nullptr);

    // Refills the items and selects the current profile (the sheet's item stays unselected).
    void reloadData();

private:
    void picked(int item);

    DialController *controller_;
    bool reloading_ = false;
};

} // namespace ostrel
