#include "ostrel/connection/view/DialConfigChooser.h"

#include "ostrel/connection/dial/DialController.h"

#include <QSignalBlocker>

namespace ostrel {

DialConfigChooser::DialConfigChooser(DialController *controller, QWidget *parent)
    : QComboBox(parent), controller_(controller)
{
    setObjectName(QStringLiteral("m_DialConfigList"));
    setMinimumContentsLength(18);
    connect(this, &QComboBox::activated, this, &DialConfigChooser::picked);
    connect(controller_, &DialController::profilesChanged, this, &DialConfigChooser::reloadData);
    reloadData();
}

void DialConfigChooser::reloadData()
{
    const QSignalBlocker blocker(this);
    clear();
    const DialConfigList &list = controller_->profiles();
    for (int item = 0; item < list.chooserItemCount(); ++item)
        addItem(list.chooserItemText(item).value_or(QString()));
    setCurrentIndex(list.count() > 0 ? list.currentChooserItem() : 0);
}

void DialConfigChooser::picked(int item)
{
    controller_->dialConfigListSelectItemAtIndex(item);
    if (item == 0)
        reloadData(); // the sheet's item is an action, not a selection
}

} // namespace ostrel
