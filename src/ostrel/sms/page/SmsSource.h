#pragma once
// The SMS page's box tree: the root holds one node per storage position, each position node one
// node per message box, served to an outline view through a NodeTreeModel.
//
// Positions and boxes come from the page's position table and box display order (by display
// order, then name). The SIM position exists only while the device is ready with a usable SIM
// (status 12) and shows only "InBox" and "OutBox"; the computer's boxes are built once. Every
// position node carries a title: "PC", "(U)SIM", and for the card and the device memory the words
// of the position matrix ("SD Card", "ME Position:"), so their children act as boxes.

#include "ostrel/framework/tree/Node.h"
#include "ostrel/framework/tree/NodeTreeModel.h"
#include "ostrel/framework/widgets/TableViews.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

namespace ostrel {

class NSOutlineViewExt;
class SMSController;
class SmsSource;
extern SmsSource *g_SmsSource;

class SmsSource : public QObject {
    Q_OBJECT
public:
    explicit SmsSource(SMSController *page, QObject *parent = nullptr);
    ~SmsSource() override;

    // Builds the position nodes, then their boxes.
    void initializeController();
    void positionOfNodeManagerInit();
    void boxOfNodeDisplayOrderInit();
    void addMsgBoxNode();
    void addChildNodeOfSavePositionWithPositionName(const QString &name, int order, int position);
    void addChildNodeOfMsgBoxWithPositionName(const QString &boxName, int order, int box);
    Node *getNodeofSavePosByPositonName(const QString &name) const;
    Node *getNodeOfBoxByPositonNameAndSavePos(const QString &positionName, const QString &boxName) const;

    // The SIM branch with the device state (status 12 adds it, anything else removes it).
    void createNodeOfSimWhenSimCardvalid();
    void deleteNodeOfSimWhenSimCardInvalid();

    // Titles: position words (with "(used/capacity)" when SMS/DisplaySMSCountInfo is set) and box
    // words followed by "(count)".
    void Init_SMSNode_Wording();
    void updateSMSCountOfPosNode();
    void updateSMSCountOfNodeWithPos(int position);
    int getSMSCountOfNodeWithPos(int position) const;

    // Box titles with their counts (inbox, outbox, drafts, deleted, important, reports), given to
    // the boxes of that position (the computer's six, or the SIM's two; other positions nothing).
    void setBoxWithSmSCount(int position, int inbox, int outbox, int draft, int deleted, int important, int report);

    // What a selected node selects: (position code or -1, box code or -1).
    std::pair<int, int> selectionOf(const Node *node) const;

    // The outline view the tree is served to (the model's rows are the nodes; their image and
    // title are the cell). Connecting it selects row 0 once the tree is built.
    void setOutlineView(NSOutlineViewExt *view);
    NSOutlineViewExt *outlineView() const { return outlineView_; }
    // The page action a node's cell sends: "msgBoxSelect:" for a box node, "selectSaveAt:" for a
    // position node, empty for the root.
    QString cellActionOf(const Node *node) const;
    // The selection moved: a box node selects its row (its order) in the box matrix and its
    // position's row in the position matrix; a position node selects its row in the position
    // matrix.
    void outlineViewSelectionIsChanging();
    Node *selectedNode() const { return selectedNode_; }

    Node *root() const { return root_.get(); }
    NodeTreeModel *model() const { return model_.get(); }

private:
    QString positionTitleWord(const QString &positionName) const;
    void rebuildModel();

    SMSController *page_;
    QPointer<NSOutlineViewExt> outlineView_;
    Node *selectedNode_ = nullptr;
    std::unique_ptr<Node> root_;
    std::unique_ptr<NodeTreeModel> model_;
};

} // namespace ostrel
