#pragma once
// The node of the outline trees (SMS storage and boxes, phonebook groups, statistics).
//
// A node owns its children, kept in display order. Besides that ownership, which the tree model
// uses to find a node's row, a node carries the back link parent_Node(): it is set by
// addChildWithNameAndImage() and by callers, not by addChild() or addChildWithName(), because
// the trees that use it set it themselves where they need it.

#include <QIcon>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace ostrel {

class Node {
public:
    Node();
    ~Node();
    Node(const Node &) = delete;
    Node &operator=(const Node &) = delete;

    void setNodeName(const QString &name);
    const QString &name() const { return name_; }
    void setValue(const QString &value);
    const QString &value() const { return value_; }
    void setImage(const QIcon &image) { image_ = image; }
    const QIcon &image() const { return image_; }

    // Appends child (ownership taken); null is ignored. No parent link is set.
    void addChild(std::unique_ptr<Node> child);
    // Appends a new child with that name and value; nothing when either is null. No parent link.
    Node *addChildWithName(const QString &name, const QString &value);
    // Appends a new child with that name and the application image of that name and sets the
    // child's parent link to this node; nothing when either is null.
    Node *addChildWithNameAndImage(const QString &name, const QString &imageName);

    // Children in display order.
    int childCount() const { return int(children_.size()); }
    Node *child(int row) const;
    int indexOfChild(const Node *child) const; // -1 when not a child
    // Inserts child at row (clamped to 0..childCount()); null is ignored. Returns the node.
    Node *insertChild(int row, std::unique_ptr<Node> child);
    // Removes the child at row and hands it back (null for a bad row).
    std::unique_ptr<Node> takeChild(int row);
    // Moves the child at from so that it ends at index to. False for a bad index.
    bool moveChild(int from, int to);
    void removeAllChildren();

    // The node that owns this one (null for a root).
    Node *owner() const { return owner_; }
    // Row of this node in its owner (-1 for a root).
    int row() const;

    void setParent_Node(Node *parent) { parentNode_ = parent; }
    Node *parent_Node() const { return parentNode_; }
    void setOrderInParentNode(quint32 order) { orderInParentNode_ = order; }
    quint32 orderInParentNode() const { return orderInParentNode_; }
    void setPositionNameInParentNode(const QString &name) { positionNameInParentNode_ = name; }
    const QString &positionNameInParentNode() const { return positionNameInParentNode_; }
    void setPositonInParentNode(quint32 position) { positonInParentNode_ = position; }
    quint32 positonInParentNode() const { return positonInParentNode_; }

    // How an image name becomes an image; by default the icon theme, then the ":/images/<name>"
    // resource. In the program the skin manager replaces it at start: the skin in use first, then
    // the program's resources (YOVUIManager::installNodeImageResolver).
    using ImageResolver = std::function<QIcon(const QString &)>;
    static void setImageResolver(ImageResolver resolver);
    static QIcon imageNamed(const QString &name);

private:
    QString name_;
    QString value_;
    QIcon image_;
    std::vector<std::unique_ptr<Node>> children_;
    Node *owner_ = nullptr;
    Node *parentNode_ = nullptr;
    quint32 orderInParentNode_ = 0;
    QString positionNameInParentNode_;
    quint32 positonInParentNode_ = 0;
};

} // namespace ostrel
