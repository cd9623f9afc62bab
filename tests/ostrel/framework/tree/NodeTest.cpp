#include "ostrel/framework/tree/Node.h"
#include "ostrel/framework/tree/NodeTreeModel.h"

#include <QAbstractItemModelTester>
#include <QPixmap>
#include <QSignalSpy>
#include <gtest/gtest.h>

using ostrel::Node;
using ostrel::NodeTreeModel;

namespace {

// Everything the model tester reports goes here; each test of the model ends with none.
QStringList modelTesterFindings;
void recordModelTester(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    if (context.category && QByteArray(context.category).startsWith("qt.modeltest"))
        modelTesterFindings << message;
}

std::unique_ptr<Node> named(const QString &name, const QString &value = QString())
{
    auto node = std::make_unique<Node>();
    node->setNodeName(name);
    node->setValue(value);
    return node;
}

QStringList childNames(const Node &node)
{
    QStringList names;
    for (int i = 0; i < node.childCount(); ++i)
        names << node.child(i)->name();
    return names;
}

} // namespace

TEST(Node, StartsEmpty)
{
    Node node;
    EXPECT_TRUE(node.name().isNull());
    EXPECT_TRUE(node.value().isNull());
    EXPECT_TRUE(node.image().isNull());
    EXPECT_EQ(node.childCount(), 0);
    EXPECT_EQ(node.owner(), nullptr);
    EXPECT_EQ(node.parent_Node(), nullptr);
    EXPECT_EQ(node.row(), -1);
}

TEST(Node, AddChildIgnoresNullAndSetsNoParentLink)
{
    Node root;
    root.addChild(nullptr);
    EXPECT_EQ(root.childCount(), 0);

    root.addChild(named("a"));
    ASSERT_EQ(root.childCount(), 1);
    EXPECT_EQ(root.child(0)->parent_Node(), nullptr);
    EXPECT_EQ(root.child(0)->owner(), &root);
    root.child(0)->setParent_Node(&root);
    EXPECT_EQ(root.child(0)->parent_Node(), &root);
}

TEST(Node, AddChildWithNameNeedsBothTexts)
{
    Node root;
    EXPECT_EQ(root.addChildWithName("a", QString()), nullptr);
    EXPECT_EQ(root.addChildWithName(QString(), "1"), nullptr);
    EXPECT_EQ(root.childCount(), 0);

    Node *child = root.addChildWithName("Inbox", "3");
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->name(), "Inbox");
    EXPECT_EQ(child->value(), "3");
    EXPECT_EQ(child->parent_Node(), nullptr);
    // An empty (not null) value is a value.
    EXPECT_NE(root.addChildWithName("Outbox", ""), nullptr);
}

TEST(Node, AddChildWithImageSetsParentAndImage)
{
    QPixmap pixmap(4, 4);
    pixmap.fill(Qt::red);
    QString asked;
    Node::setImageResolver([&](const QString &name) {
        asked = name;
        return QIcon(pixmap);
    });
    Node root;
    EXPECT_EQ(root.addChildWithNameAndImage("SIM", QString()), nullptr);
    Node *child = root.addChildWithNameAndImage("SIM", "sim_icon");
    Node::setImageResolver(nullptr);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(asked, "sim_icon");
    EXPECT_FALSE(child->image().isNull());
    EXPECT_EQ(child->parent_Node(), &root);
}

TEST(Node, EqualNameKeepsTheSameString)
{
    Node node;
    node.setNodeName(QStringLiteral("Drafts").toUpper());
    const QChar *before = node.name().constData();
    node.setNodeName(QString("DRAFTS"));
    EXPECT_EQ(node.name().constData(), before);
    node.setValue("x");
    const QChar *valueBefore = node.value().constData();
    node.setValue(QString("x"));
    EXPECT_EQ(node.value().constData(), valueBefore);
    node.setNodeName("Other");
    EXPECT_EQ(node.name(), "Other");
}

TEST(Node, InsertTakeAndMoveKeepOrder)
{
    Node root;
    for (const char *name : {"a", "b", "c", "d"})
        root.addChild(named(name));
    root.insertChild(1, named("x"));
    EXPECT_EQ(childNames(root), QStringList({"a", "x", "b", "c", "d"}));
    root.insertChild(99, named("end"));
    EXPECT_EQ(childNames(root).last(), "end");

    std::unique_ptr<Node> taken = root.takeChild(1);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->name(), "x");
    EXPECT_EQ(taken->owner(), nullptr);
    EXPECT_EQ(root.takeChild(42), nullptr);

    EXPECT_TRUE(root.moveChild(0, 3)); // a b c d end -> b c d a end
    EXPECT_EQ(childNames(root), QStringList({"b", "c", "d", "a", "end"}));
    EXPECT_TRUE(root.moveChild(4, 0)); // -> end b c d a
    EXPECT_EQ(childNames(root), QStringList({"end", "b", "c", "d", "a"}));
    EXPECT_FALSE(root.moveChild(0, 5));
    EXPECT_EQ(root.child(3)->row(), 3);
    EXPECT_EQ(root.indexOfChild(taken.get()), -1);
}

TEST(Node, FieldsRoundTrip)
{
    Node node;
    node.setOrderInParentNode(4);
    node.setPositionNameInParentNode("AT_SIM");
    node.setPositonInParentNode(2);
    EXPECT_EQ(node.orderInParentNode(), 4u);
    EXPECT_EQ(node.positionNameInParentNode(), "AT_SIM");
    EXPECT_EQ(node.positonInParentNode(), 2u);
}

class NodeTreeModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Node *pc = root.addChildWithName("PC", "");
        pc->addChildWithName("Inbox", "2");
        pc->addChildWithName("Outbox", "0");
        Node *sim = root.addChildWithName("SIM", "");
        sim->addChildWithName("Inbox", "1");
        modelTesterFindings.clear();
        previousHandler = qInstallMessageHandler(recordModelTester);
        model = std::make_unique<NodeTreeModel>(&root);
        tester = std::make_unique<QAbstractItemModelTester>(
            model.get(), QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    void TearDown() override
    {
        tester.reset();
        model.reset();
        qInstallMessageHandler(previousHandler);
        EXPECT_TRUE(modelTesterFindings.isEmpty()) << modelTesterFindings.join('\n').toStdString();
    }
    QtMessageHandler previousHandler = nullptr;
    Node root;
    std::unique_ptr<NodeTreeModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(NodeTreeModelTest, ShowsNamesAndValues)
{
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->columnCount(), 2);
    const QModelIndex pc = model->index(0, 0);
    EXPECT_EQ(pc.data().toString(), "PC");
    ASSERT_EQ(model->rowCount(pc), 2);
    const QModelIndex outboxValue = model->index(1, 1, pc);
    EXPECT_EQ(outboxValue.data().toString(), "0");
    EXPECT_EQ(model->parent(outboxValue), pc);
    EXPECT_EQ(model->nodeFromIndex(outboxValue)->name(), "Outbox");
    EXPECT_FALSE(model->index(5, 0).isValid());
    EXPECT_FALSE(model->index(0, 2).isValid());
}

TEST_F(NodeTreeModelTest, InsertRemoveMoveKeepViewsInStep)
{
    const QModelIndex sim = model->index(1, 0);
    QPersistentModelIndex simInbox = model->index(0, 0, sim);
    QSignalSpy inserted(model.get(), &QAbstractItemModel::rowsInserted);
    ASSERT_TRUE(model->insertNode(sim, 0, named("Drafts", "5")));
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(simInbox.row(), 1);
    EXPECT_FALSE(model->insertNode(sim, 5, named("bad")));
    EXPECT_FALSE(model->insertNode(sim, 0, nullptr));

    QPersistentModelIndex pc = model->index(0, 0);
    ASSERT_TRUE(model->moveNode(QModelIndex(), 0, 1));
    EXPECT_EQ(pc.row(), 1);
    EXPECT_EQ(model->index(0, 0).data().toString(), "SIM");
    EXPECT_FALSE(model->moveNode(model->index(0, 0), 2, 0));
    ASSERT_TRUE(model->moveNode(model->index(0, 0), 1, 0));
    EXPECT_EQ(childNames(*root.child(0)), QStringList({"Inbox", "Drafts"}));
}

TEST_F(NodeTreeModelTest, TakeAndRemoveRows)
{
    const QModelIndex pc = model->index(0, 0);
    std::unique_ptr<Node> inbox = model->takeNode(model->index(0, 0, pc));
    ASSERT_TRUE(inbox);
    EXPECT_EQ(inbox->name(), "Inbox");
    EXPECT_EQ(model->rowCount(pc), 1);
    EXPECT_EQ(model->takeNode(QModelIndex()), nullptr);

    EXPECT_FALSE(model->removeRows(0, 3));
    EXPECT_TRUE(model->removeRows(0, 2));
    EXPECT_EQ(model->rowCount(), 0);
}

TEST_F(NodeTreeModelTest, ChangedNodeAndReset)
{
    QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
    Node *sim = root.child(1);
    sim->setValue("7");
    model->nodeChanged(sim);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toModelIndex(), model->index(1, 0));
    EXPECT_EQ(changed.at(0).at(1).toModelIndex(), model->index(1, 1));

    Node other;
    other.addChildWithName("only", "1");
    model->setRootNode(&other);
    EXPECT_EQ(model->rowCount(), 1);
    model->setRootNode(nullptr);
    EXPECT_EQ(model->rowCount(), 0);
}
