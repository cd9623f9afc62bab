#include "ostrel/connection/view/DialConfigChooser.h"

#include "ostrel/connection/dial/DialController.h"

#include <QAbstractItemView>
#include <QSignalBlocker>
#include <QStylePainter>

namespace ostrel {

DialConfigChooser::DialConfigChooser(DialController *controller, QWidget *parent)
    : QComboBox(parent), controller_(controller)
{
    setObjectName(QStringLiteral("m_DialConfigList"));
    setMinimumContentsLength(18);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    view()->setTextElideMode(Qt::ElideRight);
    connect(this, &QComboBox::activated, this, &DialConfigChooser::picked);
    connect(controller_, &DialController::profilesChanged, this, &DialConfigChooser::reloadData);
    reloadData();
}

void DialConfigChooser::reloadData()
{
    const QSignalBlocker blocker(this);
    clear();
    const DialConfigList &list = controller_->profiles();
    for (int item = 0; item < list.chooserItemCount(); ++item) {
        const QString text = list.chooserItemText(item).value_or(QString());
        addItem(text);
        setItemData(item, text, Qt::ToolTipRole);
    }
    selectShownItem();
}

void DialConfigChooser::selectShownItem()
{
    const QSignalBlocker blocker(this);
    const DialConfigList &list = controller_->profiles();
    const int shown = controller_->display().chooserItem;
    if (shown >= 0 && shown < count())
        setCurrentIndex(shown);
    else
        setCurrentIndex(list.count() > 0 ? list.currentChooserItem() : 0);
    setToolTip(currentText());
}

void DialConfigChooser::paintEvent(QPaintEvent *)
{
    // As QComboBox paints itself, with the shown name cut to the room there is.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect room = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    option.currentText = option.fontMetrics.elidedText(option.currentText, Qt::ElideRight, room.width());
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void DialConfigChooser::picked(int item)
{
    controller_->dialConfigListSelectItemAtIndex(item);
    if (item == 0)
        reloadData(); // the sheet's item is an action, not a selection
}

} // namespace ostrel
