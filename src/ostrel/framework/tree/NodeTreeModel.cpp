#include "ostrel/framework/tree/NodeTreeModel.h"

namespace ostrel {

NodeTreeModel::NodeTreeModel(Node *root, QObject *parent)
    : QAbstractItemModel(parent), root_(root)
{
}

void NodeTreeModel::setRootNode(Node *root)
{
    beginResetModel();
    root_ = root;
    endResetModel();
}

Node *NodeTreeModel::nodeFromIndex(const QModelIndex &index) const
{
    if (!index.isValid())
        return root_;
    if (index.model() != this)
        return nullptr;
    return static_cast<Node *>(index.internalPointer());
}

QModelIndex NodeTreeModel::indexForNode(const Node *node, int column) const
{
    if (!node || node == root_ || !node->owner())
        return {};
    return createIndex(node->row(), column, const_cast<Node *>(node));
}

QModelIndex NodeTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column < 0 || column >= ColumnCount || (parent.isValid() && parent.column() != 0))
        return {};
    Node *owner = nodeFromIndex(parent);
    Node *node = owner ? owner->child(row) : nullptr;
    return node ? createIndex(row, column, node) : QModelIndex();
}

QModelIndex NodeTreeModel::parent(const QModelIndex &child) const
{
    Node *node = child.isValid() ? nodeFromIndex(child) : nullptr;
    if (!node)
        return {};
    return indexForNode(node->owner());
}

int NodeTreeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    Node *node = nodeFromIndex(parent);
    return node ? node->childCount() : 0;
}

int NodeTreeModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

QVariant NodeTreeModel::data(const QModelIndex &index, int role) const
{
    Node *node = index.isValid() ? nodeFromIndex(index) : nullptr;
    if (!node)
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return index.column() == NameColumn ? node->name() : node->value();
    if (role == Qt::DecorationRole && index.column() == NameColumn && !node->image().isNull())
        return node->image();
    return {};
}

QVariant NodeTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == NameColumn)
        return tr("Name");
    if (section == ValueColumn)
        return tr("Value");
    return {};
}

Qt::ItemFlags NodeTreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool NodeTreeModel::insertNode(const QModelIndex &parent, int row, std::unique_ptr<Node> node)
{
    Node *owner = nodeFromIndex(parent);
    if (!owner || !node || row < 0 || row > owner->childCount() || (parent.isValid() && parent.column() != 0))
        return false;
    beginInsertRows(parent, row, row);
    owner->insertChild(row, std::move(node));
    endInsertRows();
    return true;
}

std::unique_ptr<Node> NodeTreeModel::takeNode(const QModelIndex &index)
{
    Node *node = index.isValid() ? nodeFromIndex(index) : nullptr;
    if (!node || !node->owner())
        return nullptr;
    const QModelIndex parentIndex = parent(index);
    const int row = node->row();
    beginRemoveRows(parentIndex, row, row);
    std::unique_ptr<Node> taken = node->owner()->takeChild(row);
    endRemoveRows();
    return taken;
}

bool NodeTreeModel::removeRows(int row, int count, const QModelIndex &parent)
{
    Node *owner = nodeFromIndex(parent);
    if (!owner || count <= 0 || row < 0 || row + count > owner->childCount())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    for (int i = 0; i < count; ++i)
        owner->takeChild(row);
    endRemoveRows();
    return true;
}

bool NodeTreeModel::moveNode(const QModelIndex &parent, int from, int to)
{
    Node *owner = nodeFromIndex(parent);
    if (!owner || from < 0 || from >= owner->childCount() || to < 0 || to >= owner->childCount())
        return false;
    if (from == to)
        return true;
    // Qt names the destination as the row before which the moved row lands.
    const int destination = to > from ? to + 1 : to;
    if (!beginMoveRows(parent, from, from, parent, destination))
        return false;
    owner->moveChild(from, to);
    endMoveRows();
    return true;
}

void NodeTreeModel::nodeChanged(const Node *node)
{
    const QModelIndex first = indexForNode(node, NameColumn);
    if (!first.isValid())
        return;
    emit dataChanged(first, indexForNode(node, ValueColumn));
}

} // namespace ostrel
