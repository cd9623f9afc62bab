#pragma once
// The storage tree of the phonebook page: an invisible root with the node "PC" (one child per
// computer group) and, while the SIM is usable, the node "(U)SIM"; the tree's "new" menu and its
// context menu. Nodes are recognised by name: the localised "PC" and "(U)SIM", and a group node
// by its parent being the PC node. What the menus' items do is performed by name ("newUser:",
// "addGroup:", ...) through the page's dispatcher.
#include "ostrel/framework/tree/Node.h"
#include "ostrel/framework/tree/NodeTreeModel.h"
#include "ostrel/framework/widgets/TableViews.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QMenu;

namespace ostrel {

class NSOutlineViewExt;

class PBSource : public QObject {
    Q_OBJECT
public:
    // Node types of the "new" menu.
    enum NodeType { PcNode = 0, GroupNode = 1, SimNode = 2, OtherNode = 3 };
    using Perform = std::function<void(const QString &selector)>;

    PBSource(NSOutlineViewExt *outline, QMenu *newMenu, QMenu *nodeMenu, Perform perform, QObject *parent = nullptr);
    ~PBSource() override;

    // The "new" menu's two items and the node menu's four, then the tree shown with row 0 selected.
    void initializeNibResources();

    Node *root() const { return root_.get(); }
    Node *nodeOfPc() const { return nodeOfPc_; }
    Node *nodeOfSim() const { return nodeOfSim_; }
    bool isSimNodeAttached() const { return root_->indexOfChild(nodeOfSim_) >= 0; }
    NSOutlineViewExt *outlineView() const { return outlineView_; }
    NodeTreeModel *model() const { return model_; }
    Node *selectedNode() const { return selectedNode_; }
    void setSelectedNode(Node *node) { selectedNode_ = node; }
    NodeType typeOfNode(const Node *node) const;

    // The tree in step with the computer groups and the SIM.
    void initialNodeOfPc(const QStringList &groupNames);
    void createNodeOfSimWhenSimCardvalid();
    void deleteNodeOfSimWhenSimCardInvalid();
    // The "PC" and "(U)SIM" nodes take their names in the language now in use.
    void retitleStorageNodes();
    // A new group: a node for it when the PC node or a group node is selected; then the groups
    // sorted and row 0 selected.
    void addGroupNodeWithGroupName(const QString &name);
    void deleteSeletedGroupNode();
    void sortGroupNodeInPC();
    void selectRow(int row);
    void deselectAll();
    int selectedRow() const;

    void flashNewPopUpMenuStatusByNodeType(int type);
    // The node menu for the node under the last right click (null: none).
    void menuWillOpen(Node *node, bool rowSelected);
    void flashNodeMenuStatusByFlag(bool sendFlag, bool newGroup, bool deleteGroup, bool rename, bool rowSelected);

    QMenu *newMenu() const { return newMenu_; }
    QMenu *nodeMenu() const { return nodeMenu_; }

signals:
    // A row of the tree was selected (by the user or the code).
    void nodeSelected(Node *node);

private:
    void setItemAction(QAction *item, const QString &selector);
    void reload();

    QPointer<NSOutlineViewExt> outlineView_;
    QPointer<QMenu> newMenu_;
    QPointer<QMenu> nodeMenu_;
    Perform perform_;
    std::unique_ptr<Node> root_;
    Node *nodeOfPc_ = nullptr;
    Node *nodeOfSim_ = nullptr;
    std::unique_ptr<Node> detachedSim_;
    Node *selectedNode_ = nullptr;
    NodeTreeModel *model_ = nullptr;
    QAction *menuItemOfNewUser_ = nullptr;
    QAction *menuItemOfNewGroup_ = nullptr;
};

} // namespace ostrel
