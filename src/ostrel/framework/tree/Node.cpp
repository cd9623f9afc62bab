#include "ostrel/framework/tree/Node.h"

#include <QMutex>

#include <algorithm>

namespace ostrel {

namespace {
QMutex resolverMutex;
Node::ImageResolver &resolverSlot()
{
    static Node::ImageResolver resolver;
    return resolver;
}
} // namespace

Node::Node() = default;

Node::~Node()
{
    // Children may point back at this node through parent_Node(); they go first.
    removeAllChildren();
}

void Node::setNodeName(const QString &name)
{
    if (name_ != name || name_.isNull() != name.isNull())
        name_ = name;
}

void Node::setValue(const QString &value)
{
    if (value_ != value || value_.isNull() != value.isNull())
        value_ = value;
}

void Node::addChild(std::unique_ptr<Node> child)
{
    if (!child)
        return;
    insertChild(childCount(), std::move(child));
}

Node *Node::addChildWithName(const QString &name, const QString &value)
{
    if (name.isNull() || value.isNull())
        return nullptr;
    auto node = std::make_unique<Node>();
    node->setNodeName(name);
    node->setValue(value);
    return insertChild(childCount(), std::move(node));
}

Node *Node::addChildWithNameAndImage(const QString &name, const QString &imageName)
{
    if (name.isNull() || imageName.isNull())
        return nullptr;
    auto node = std::make_unique<Node>();
    node->setNodeName(name);
    node->setImage(imageNamed(imageName));
    node->setParent_Node(this);
    return insertChild(childCount(), std::move(node));
}

Node *Node::child(int row) const
{
    if (row < 0 || row >= childCount())
        return nullptr;
    return children_[size_t(row)].get();
}

int Node::indexOfChild(const Node *child) const
{
    for (size_t i = 0; i < children_.size(); ++i) {
        if (children_[i].get() == child)
            return int(i);
    }
    return -1;
}

Node *Node::insertChild(int row, std::unique_ptr<Node> child)
{
    if (!child)
        return nullptr;
    row = std::clamp(row, 0, childCount());
    child->owner_ = this;
    Node *raw = child.get();
    children_.insert(children_.begin() + row, std::move(child));
    return raw;
}

std::unique_ptr<Node> Node::takeChild(int row)
{
    if (row < 0 || row >= childCount())
        return nullptr;
    std::unique_ptr<Node> node = std::move(children_[size_t(row)]);
    children_.erase(children_.begin() + row);
    node->owner_ = nullptr;
    if (node->parentNode_ == this)
        node->parentNode_ = nullptr;
    return node;
}

bool Node::moveChild(int from, int to)
{
    if (from < 0 || from >= childCount() || to < 0 || to >= childCount())
        return false;
    if (from == to)
        return true;
    auto first = children_.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    return true;
}

void Node::removeAllChildren()
{
    while (!children_.empty())
        takeChild(childCount() - 1);
}

int Node::row() const
{
    return owner_ ? owner_->indexOfChild(this) : -1;
}

void Node::setImageResolver(ImageResolver resolver)
{
    QMutexLocker lock(&resolverMutex);
    resolverSlot() = std::move(resolver);
}

QIcon Node::imageNamed(const QString &name)
{
    ImageResolver resolver;
    {
        QMutexLocker lock(&resolverMutex);
        resolver = resolverSlot();
    }
    if (resolver)
        return resolver(name);
    if (QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    return QIcon(QStringLiteral(":/images/") + name);
}

} // namespace ostrel
