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

} // namespace ostrel
