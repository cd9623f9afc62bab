#include "ostrel/framework/widgets/Items.h"

#include "ostrel/framework/widgets/WidgetUtilities.h"

#include <QTabWidget>

namespace ostrel {

NSTabViewItem::NSTabViewItem(const QString &identifier, QWidget *view, QObject *parent)
    : QObject(parent), identifier_(identifier), view_(view)
{
    setTabViewItemIdentifier(view, identifier);
}

void NSTabViewItem::setLabel(const QString &label)
{
    label_ = label;
    if (tabView_)
        setTabViewItemLabel(tabView_, label, identifier_);
}

void NSTabViewItem::addToTabView(QTabWidget *tabView)
{
    if (!tabView || !view_)
        return;
    tabView_ = tabView;
    tabView->addTab(view_, label_);
}

void NSTextFieldCell::setStringValue(const QString &text)
{
    if (text == stringValue_)
        return;
    stringValue_ = text;
    emit changed();
}

void NSTextFieldCell::setTextColor(const QColor &color)
{
    if (color == textColor_)
        return;
    textColor_ = color;
    emit changed();
}

void NSTextFieldCell::setHidden(bool hidden)
{
    if (hidden == hidden_)
        return;
    hidden_ = hidden;
    emit changed();
}

} // namespace ostrel
