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

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace ostrel {

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

    // What a selected node selects: (position code or -1, box code or -1).
    std::pair<int, int> selectionOf(const Node *node) const;

    Node *root() const { return root_.get(); }
    NodeTreeModel *model() const { return model_.get(); }

private:
    QString positionTitleWord(const QString &positionName) const;
    void rebuildModel();

    SMSController *page_;
    std::unique_ptr<Node> root_;
    std::unique_ptr<NodeTreeModel> model_;
};

} // namespace ostrel
