#include "ostrel/phonebook/page/PBSource.h"

#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/phonebook/ContactLists.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QMenu>
#include <QSignalBlocker>

namespace ostrel {

namespace {

const QString kFolderImage = QStringLiteral("Folder");
const QString kNewGroupTitle = QStringLiteral("New Group");
const QString kDeleteGroupTitle = QStringLiteral("Delete Group");
const QString kRenameGroupTitle = QStringLiteral("Rename Group");

QString pcNodeName() { return Map_Name_Item_of_IndexString(QStringLiteral("PC")); }
QString simNodeName() { return Map_Name_Item_of_IndexString(QStringLiteral("(U)SIM")); }

} // namespace

PBSource::PBSource(NSOutlineViewExt *outline, QMenu *newMenu, QMenu *nodeMenu, Perform perform, QObject *parent)
    : QObject(parent), outlineView_(outline), newMenu_(newMenu), nodeMenu_(nodeMenu), perform_(std::move(perform)),
      root_(std::make_unique<Node>())
{
    nodeOfPc_ = root_->addChildWithNameAndImage(pcNodeName(), kFolderImage);
    detachedSim_ = std::make_unique<Node>();
    nodeOfSim_ = detachedSim_.get();
    model_ = new NodeTreeModel(root_.get(), this);
    if (outlineView_) {
        outlineView_->setModel(model_);
        outlineView_->setColumnHidden(NodeTreeModel::ValueColumn, true);
        outlineView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        connect(outlineView_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
            const QModelIndexList rows = outlineView_->selectionModel()->selectedRows();
            if (rows.isEmpty())
                return;
            selectedNode_ = model_->nodeFromIndex(rows.first());
            emit nodeSelected(selectedNode_);
        });
        connect(outlineView_, &QWidget::customContextMenuRequested, this, [this](const QPoint &) {
            Node *node = model_->nodeFromIndex(outlineView_->itemAtMouseRightDown());
            if (!outlineView_->itemAtMouseRightDown().isValid() || !nodeMenu_)
                return;
            menuWillOpen(node, outlineView_->selectionModel()->isRowSelected(outlineView_->itemAtMouseRightDown().row(),
                                                                               outlineView_->itemAtMouseRightDown().parent()));
            nodeMenu_->popup(QCursor::pos());
        });
        outlineView_->setContextMenuPolicy(Qt::CustomContextMenu);
    }
}

PBSource::~PBSource()
{
    if (outlineView_)
        outlineView_->setModel(nullptr);
}

void PBSource::initializeNibResources()
{
    if (newMenu_ && newMenu_->actions().isEmpty()) {
        menuItemOfNewUser_ = newMenu_->addAction(Map_Name_Item_of_IndexString(QStringLiteral("New Contact")));
        menuItemOfNewGroup_ = newMenu_->addAction(Map_Name_Item_of_IndexString(QStringLiteral("New Group")));
        for (QAction *item : {menuItemOfNewUser_, menuItemOfNewGroup_}) {
            // One dispatch per item: setItemAction later changes only the selector.
            item->setProperty("dispatching", true);
            connect(item, &QAction::triggered, this, [this, item] {
                const QString selector = item->property("selector").toString();
                if (!selector.isEmpty() && perform_)
                    perform_(selector);
            });
        }
    }
    if (nodeMenu_ && nodeMenu_->actions().isEmpty()) {
        setItemAction(nodeMenu_->addAction(QStringLiteral("Send SMS to Group")), QStringLiteral("sendSMSToOneGroup:"));
        for (const QString &title : {kNewGroupTitle, kDeleteGroupTitle, kRenameGroupTitle})
            nodeMenu_->addAction(title);
    }
    if (outlineView_) {
        reload();
        selectRow(0);
    }
}

void PBSource::setItemAction(QAction *item, const QString &selector)
{
    item->setProperty("selector", selector);
    item->setEnabled(!selector.isEmpty());
    if (item->property("dispatching").toBool())
        return;
    item->setProperty("dispatching", true);
    connect(item, &QAction::triggered, this, [this, item] {
        const QString s = item->property("selector").toString();
        if (!s.isEmpty() && perform_)
            perform_(s);
    });
}

PBSource::NodeType PBSource::typeOfNode(const Node *node) const
{
    if (!node)
        return OtherNode;
    if (node == nodeOfPc_ || node->name() == pcNodeName())
        return PcNode;
    if (node == nodeOfSim_ || node->name() == simNodeName())
        return SimNode;
    if (node->parent_Node() == nodeOfPc_)
        return GroupNode;
    return OtherNode;
}

void PBSource::reload()
{
    model_->setRootNode(root_.get());
    if (!outlineView_)
        return;
    outlineView_->expandAll();
    // The selected node stays selected while it is in the tree (quietly: nothing new was chosen).
    const QModelIndex selected = selectedNode_ && selectedNode_ != root_.get() ? model_->indexForNode(selectedNode_) : QModelIndex();
    if (selected.isValid()) {
        const QSignalBlocker blocker(outlineView_->selectionModel());
        outlineView_->selectionModel()->select(selected, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        outlineView_->viewport()->update();
    }
}

void PBSource::initialNodeOfPc(const QStringList &groupNames)
{
    for (const QString &name : groupNames)
        if (!name.isEmpty())
            nodeOfPc_->addChildWithNameAndImage(name, kFolderImage);
    selectedNode_ = nodeOfPc_;
    reload();
}

void PBSource::createNodeOfSimWhenSimCardvalid()
{
    if (isSimNodeAttached())
        return;
    nodeOfSim_->setNodeName(simNodeName());
    nodeOfSim_->setImage(Node::imageNamed(kFolderImage));
    nodeOfSim_->setParent_Node(root_.get());
    root_->addChild(std::move(detachedSim_));
    reload();
}

void PBSource::retitleStorageNodes()
{
    nodeOfPc_->setNodeName(pcNodeName());
    model_->nodeChanged(nodeOfPc_);
    nodeOfSim_->setNodeName(simNodeName());
    model_->nodeChanged(nodeOfSim_); // nothing while it is not in the tree
}

void PBSource::deleteNodeOfSimWhenSimCardInvalid()
{
    const int row = root_->indexOfChild(nodeOfSim_);
    if (row < 0)
        return;
    if (selectedNode_ == nodeOfSim_)
        selectedNode_ = nodeOfPc_;
    detachedSim_ = root_->takeChild(row);
    reload();
}

void PBSource::addGroupNodeWithGroupName(const QString &name)
{
    if (!selectedNode_)
        return;
    const NodeType type = typeOfNode(selectedNode_);
    if (type == PcNode || type == GroupNode)
        nodeOfPc_->addChildWithNameAndImage(name, kFolderImage);
    sortGroupNodeInPC();
    reload();
    deselectAll();
    selectRow(0);
}

void PBSource::deleteSeletedGroupNode()
{
    const int row = nodeOfPc_->indexOfChild(selectedNode_);
    if (row >= 0) {
        nodeOfPc_->takeChild(row);
        selectedNode_ = nodeOfPc_;
    }
    reload();
    deselectAll();
    selectRow(0);
}

void PBSource::sortGroupNodeInPC()
{
    // Ascending in the current language's order; equal names keep their order.
    const int count = nodeOfPc_->childCount();
    for (int i = 1; i < count; ++i)
        for (int j = i; j > 0 && ContactLists::localizedCompare(nodeOfPc_->child(j - 1)->name(), nodeOfPc_->child(j)->name()) > 0; --j)
            nodeOfPc_->moveChild(j, j - 1);
}

void PBSource::selectRow(int row)
{
    if (!outlineView_)
        return;
    int visible = 0;
    std::function<QModelIndex(const QModelIndex &)> find = [&](const QModelIndex &parent) -> QModelIndex {
        for (int r = 0; r < model_->rowCount(parent); ++r) {
            const QModelIndex index = model_->index(r, 0, parent);
            if (visible++ == row)
                return index;
            if (outlineView_->isExpanded(index)) {
                const QModelIndex inner = find(index);
                if (inner.isValid())
                    return inner;
            }
        }
        return {};
    };
    const QModelIndex index = find(QModelIndex());
    if (index.isValid())
        outlineView_->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void PBSource::deselectAll()
{
    if (outlineView_)
        outlineView_->selectionModel()->clearSelection();
}

int PBSource::selectedRow() const
{
    if (!outlineView_)
        return -1;
    const QModelIndexList rows = outlineView_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : outlineView_->visibleRowOf(rows.first());
}

void PBSource::flashNewPopUpMenuStatusByNodeType(int type)
{
    if (!newMenu_ || !menuItemOfNewUser_ || !menuItemOfNewGroup_)
        return;
    const bool pcOrGroup = type == PcNode || type == GroupNode;
    setItemAction(menuItemOfNewUser_, pcOrGroup || type == SimNode ? QStringLiteral("newUser:") : QString());
    setItemAction(menuItemOfNewGroup_, pcOrGroup ? QStringLiteral("addGroup:") : QString());
}

void PBSource::menuWillOpen(Node *node, bool rowSelected)
{
    switch (typeOfNode(node)) {
    case PcNode:
        flashNodeMenuStatusByFlag(true, true, false, false, rowSelected);
        break;
    case SimNode:
        flashNodeMenuStatusByFlag(true, false, false, false, rowSelected);
        break;
    default:
        flashNodeMenuStatusByFlag(true, true, true, true, rowSelected);
        break;
    }
}

void PBSource::flashNodeMenuStatusByFlag(bool, bool newGroup, bool deleteGroup, bool rename, bool rowSelected)
{
    if (!nodeMenu_)
        return;
    auto itemTitled = [this](int position, const QString &title) {
        const QList<QAction *> items = nodeMenu_->actions();
        return items.size() > position && items.at(position)->text() == title;
    };
    auto removeItem = [this](int position) {
        QAction *item = nodeMenu_->actions().at(position);
        nodeMenu_->removeAction(item);
        item->deleteLater();
    };
    if (!rename && itemTitled(3, kRenameGroupTitle))
        removeItem(3);
    if (!deleteGroup && itemTitled(2, kDeleteGroupTitle))
        removeItem(2);
    if (!newGroup && itemTitled(1, kNewGroupTitle))
        removeItem(1);
    auto insertItem = [this, &itemTitled](int position, const QString &title) {
        if (itemTitled(position, title))
            return;
        auto *item = new QAction(title, nodeMenu_);
        const QList<QAction *> items = nodeMenu_->actions();
        nodeMenu_->insertAction(items.value(position, nullptr), item);
    };
    if (newGroup)
        insertItem(1, kNewGroupTitle);
    if (deleteGroup)
        insertItem(2, kDeleteGroupTitle);
    if (rename)
        insertItem(3, kRenameGroupTitle);
    const QString selectors[] = {QStringLiteral("addGroup:"), QStringLiteral("deleteGroup:"), QStringLiteral("editGroup:")};
    const QList<QAction *> items = nodeMenu_->actions();
    for (int position = 1; position <= 3 && position < items.size(); ++position)
        setItemAction(items.at(position), rowSelected ? selectors[position - 1] : QString());
}

} // namespace ostrel
