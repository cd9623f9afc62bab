#include "ostrel/connection/statistics/StatisticsOutlineSource.h"

#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/widgets/TableViews.h"

#include <QHeaderView>

namespace ostrel {

namespace {

// Depth-first over the expanded tree: *row counts down to the node wanted.
Node *statisticsNodeAtRow(Node *parent, int *row)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        Node *child = parent->child(i);
        if ((*row)-- == 0)
            return child;
        if (Node *found = statisticsNodeAtRow(child, row))
            return found;
    }
    return nullptr;
}

} // namespace

StatisticsOutlineSource::StatisticsOutlineSource(const ControllerContext &context, QObject *parent)
    : YOVUIController(context, parent), model_(&root_)
{
}

NSOutlineViewExt *StatisticsOutlineSource::outlineView() const { return outlineView_; }

void StatisticsOutlineSource::setOutlineView(NSOutlineViewExt *view)
{
    outlineView_ = view;
    if (!view)
        return;
    view->setModel(&model_);
    view->setHeaderHidden(true);
    view->header()->setSectionsMovable(false);
    view->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    view->header()->setStretchLastSection(true);
    view->setItemsExpandable(false);
    view->setRootIsDecorated(false);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setFocusPolicy(Qt::NoFocus);
    // Nothing folds: no branch marks.
    view->setStyleSheet(QStringLiteral("QTreeView::branch { image: none; border-image: none; }"));
    expandOutline();
    // Tall enough for every row.
    int rows = 0;
    while (nodeAtRow(rows))
        ++rows;
    view->setMinimumHeight(rows * qMax(view->sizeHintForRow(0), view->fontMetrics().height() + 2) + 2 * view->frameWidth() + 4);
}

void StatisticsOutlineSource::expandOutline()
{
    if (outlineView_)
        outlineView_->expandAll();
}

Node *StatisticsOutlineSource::nodeAtRow(int row) const
{
    if (row < 0)
        return nullptr;
    return statisticsNodeAtRow(const_cast<Node *>(&root_), &row);
}

QString StatisticsOutlineSource::nameOfRow(int row) const
{
    const Node *node = nodeAtRow(row);
    return node ? node->name() : QString();
}

QString StatisticsOutlineSource::valueOfRow(int row) const
{
    const Node *node = nodeAtRow(row);
    return node ? node->value() : QString();
}

void StatisticsOutlineSource::setNodeValue(Node *node, const QString &value)
{
    if (!node || node->value() == value)
        return;
    node->setValue(value);
    model_.nodeChanged(node);
}

void StatisticsOutlineSource::renameRows(const QStringList &englishNames)
{
    for (int row = 0; row < englishNames.size(); ++row) {
        Node *node = nodeAtRow(row);
        if (!node || englishNames.at(row).isEmpty())
            continue;
        node->setNodeName(localizedText(englishNames.at(row)));
        model_.nodeChanged(node);
    }
    expandOutline();
}

QString StatisticsOutlineSource::localizedText(const QString &english) const
{
    return Map_Name_Item_of_IndexString(english);
}

} // namespace ostrel
