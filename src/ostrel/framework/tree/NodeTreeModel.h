#pragma once
// A Qt item model over a Node tree, for outline views.
//
// Column 0 shows the node's name (with its image as decoration), column 1 its value. The model
// does not own the root; changes to the tree made while a view is attached go through the
// model's own insert/remove/move methods so that views follow them.

#include "ostrel/framework/tree/Node.h"

#include <QAbstractItemModel>

namespace ostrel {

class NodeTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { NameColumn = 0, ValueColumn = 1, ColumnCount = 2 };

    explicit NodeTreeModel(Node *root = nullptr, QObject *parent = nullptr);

    // Replaces the shown tree (not owned; null shows nothing).
    void setRootNode(Node *root);
    Node *rootNode() const { return root_; }

    Node *nodeFromIndex(const QModelIndex &index) const; // the root for an invalid index
    QModelIndex indexForNode(const Node *node, int column = 0) const;

    // Tree changes with view notification. Each returns false (and changes nothing) on a bad
    // parent or row.
    bool insertNode(const QModelIndex &parent, int row, std::unique_ptr<Node> node);
    std::unique_ptr<Node> takeNode(const QModelIndex &index);
    bool moveNode(const QModelIndex &parent, int from, int to);
    // Tells views that a node's name, value or image changed.
    void nodeChanged(const Node *node);

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;

private:
    Node *root_ = nullptr;
};

} // namespace ostrel
