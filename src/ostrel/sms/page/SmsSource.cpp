#include "ostrel/sms/page/SmsSource.h"

#include "common/ValueConversion.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsPositionTable.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/sms/page/SMSController.h"
#include "ostrel/sms/page/SmsBoxView.h"
#include "ostrel/sms/service/SmsCapacity.h"

namespace ostrel {

SmsSource *g_SmsSource = nullptr;

namespace {

const QString kSimName = QStringLiteral("AT_SIM");
const QString kPcName = QStringLiteral("AT_PC");

// The tree word of a box; the boxes after the first five read "BroadCastBox" by their own name.
QString boxTreeWord(int box)
{
    switch (box) {
    case 0: return QStringLiteral("inBox");
    case 1: return QStringLiteral("OutBox");
    case 2: return QStringLiteral("DraftBox");
    case 3: return QStringLiteral("Delivery Report");
    case 4: return QStringLiteral("DeletedBox");
    case 5: return QStringLiteral("ImportantBox");
    case 6: return QStringLiteral("BroadCastBox");
    default: return QStringLiteral("ImportantBox");
    }
}

bool isPositionNode(const Node *node)
{
    return node && node->parent_Node() && !node->parent_Node()->parent_Node();
}

} // namespace

SmsSource::SmsSource(SMSController *page, QObject *parent) : QObject(parent), page_(page), root_(std::make_unique<Node>())
{
    g_SmsSource = this;
}

SmsSource::~SmsSource()
{
    if (outlineView_)
        outlineView_->setModel(nullptr); // the model goes with this source
    if (g_SmsSource == this)
        g_SmsSource = nullptr;
}

void SmsSource::rebuildModel()
{
    if (!model_)
        model_ = std::make_unique<NodeTreeModel>(root_.get());
    else
        model_->setRootNode(root_.get());
}

void SmsSource::initializeController()
{
    positionOfNodeManagerInit();
    boxOfNodeDisplayOrderInit();
    Init_SMSNode_Wording();
    rebuildModel();
    if (outlineView_) {
        outlineView_->expandAll();
        const QModelIndex first = model_->index(0, 0);
        if (first.isValid())
            outlineView_->selectionModel()->select(first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
}

void SmsSource::setOutlineView(NSOutlineViewExt *view)
{
    outlineView_ = view;
    if (!view)
        return;
    rebuildModel();
    view->setModel(model_.get());
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { outlineViewSelectionIsChanging(); });
}

QString SmsSource::cellActionOf(const Node *node) const
{
    if (!node || node == root_.get())
        return {};
    return isPositionNode(node) ? QStringLiteral("selectSaveAt:") : QStringLiteral("msgBoxSelect:");
}

void SmsSource::outlineViewSelectionIsChanging()
{
    if (!outlineView_)
        return;
    const QModelIndexList rows = outlineView_->selectionModel()->selectedRows();
    selectedNode_ = rows.isEmpty() ? nullptr : model_->nodeFromIndex(rows.first());
    if (selectedNode_ == root_.get())
        selectedNode_ = nullptr;
    SmsBoxView *view = page_->boxView();
    if (!selectedNode_ || !view)
        return;
    // Every position has a row in the position matrix, so card and device-memory nodes move it
    // too: their children are boxes like the computer's.
    if (isPositionNode(selectedNode_)) {
        view->saveAtPos->selectCellAtRow(int(selectedNode_->orderInParentNode()));
        return;
    }
    view->msgBoxSelectAt->selectCellAtRow(int(selectedNode_->orderInParentNode()));
    view->saveAtPos->selectCellAtRow(int(selectedNode_->parent_Node()->orderInParentNode()));
}

void SmsSource::positionOfNodeManagerInit()
{
    for (const yov::sms::YovPosition &p : page_->yovPositionManager().getAllPositions())
        addChildNodeOfSavePositionWithPositionName(p.positionName(), p.displayOrder(), p.positon());
}

void SmsSource::boxOfNodeDisplayOrderInit()
{
    addMsgBoxNode();
}

void SmsSource::addMsgBoxNode()
{
    const QVariantMap sms = yov::nsDict(page_->config().getConfigurationByModule(QStringLiteral("SMS")));
    for (const yov::sms::SmsNamedOrder &box : yov::sms::smsBoxesInDisplayOrder(sms))
        addChildNodeOfMsgBoxWithPositionName(box.name, box.order, yov::sms::smsBoxOfName(box.name));
}

void SmsSource::addChildNodeOfSavePositionWithPositionName(const QString &name, int order, int position)
{
    if (name == kSimName && page_->getNetCardStatus() != 12)
        return;
    if (getNodeofSavePosByPositonName(name))
        return; // a position node exists once
    auto node = std::make_unique<Node>();
    node->setImage(Node::imageNamed(QStringLiteral("Folder")));
    node->setOrderInParentNode(quint32(qMax(0, order)));
    node->setPositionNameInParentNode(name);
    node->setPositonInParentNode(quint32(qMax(0, position)));
    node->setParent_Node(root_.get());
    node->setNodeName(Map_Name_Item_of_IndexString(positionTitleWord(name)));
    root_->addChild(std::move(node));
}

void SmsSource::addChildNodeOfMsgBoxWithPositionName(const QString &boxName, int order, int box)
{
    if (box < 0)
        return; // a box name outside the seven matches no box
    for (int i = 0; i < root_->childCount(); ++i) {
        Node *position = root_->child(i);
        const bool sim = position->positionNameInParentNode() == kSimName;
        if (sim && box > yov::sms::kBoxOutBox)
            continue; // the SIM shows only its inbox and outbox
        if (getNodeOfBoxByPositonNameAndSavePos(position->positionNameInParentNode(), boxName))
            continue; // each position gets each box once
        auto node = std::make_unique<Node>();
        node->setOrderInParentNode(quint32(order));
        node->setPositionNameInParentNode(boxName);
        node->setPositonInParentNode(quint32(box));
        node->setImage(Node::imageNamed(boxName));
        node->setNodeName(Map_Name_Item_of_IndexString(boxTreeWord(box)) + QStringLiteral("(0)"));
        node->setParent_Node(position);
        position->addChild(std::move(node));
    }
}

Node *SmsSource::getNodeofSavePosByPositonName(const QString &name) const
{
    if (name.isNull())
        return nullptr;
    for (int i = 0; i < root_->childCount(); ++i)
        if (root_->child(i)->positionNameInParentNode() == name)
            return root_->child(i);
    return nullptr;
}

Node *SmsSource::getNodeOfBoxByPositonNameAndSavePos(const QString &positionName, const QString &boxName) const
{
    const Node *position = getNodeofSavePosByPositonName(positionName);
    if (!position || boxName.isNull())
        return nullptr;
    for (int i = 0; i < position->childCount(); ++i)
        if (position->child(i)->positionNameInParentNode() == boxName)
            return position->child(i);
    return nullptr;
}

void SmsSource::createNodeOfSimWhenSimCardvalid()
{
    const int order = page_->yovPositionManager().getPositionOrderByPositonName(kSimName);
    addChildNodeOfSavePositionWithPositionName(kSimName, order < 0 ? 1 : order, yov::sms::kPositionSim);
    addMsgBoxNode();
    Init_SMSNode_Wording();
    rebuildModel();
}

void SmsSource::deleteNodeOfSimWhenSimCardInvalid()
{
    // Found by name: the SIM is not always the second position (the card may come first).
    const Node *sim = getNodeofSavePosByPositonName(kSimName);
    if (!sim)
        return;
    const bool selectedGoes = selectedNode_ && (selectedNode_ == sim || selectedNode_->parent_Node() == sim);
    if (model_)
        model_->takeNode(model_->indexForNode(sim));
    else
        root_->takeChild(root_->indexOfChild(sim));
    if (selectedGoes)
        selectedNode_ = nullptr; // the selected node went with the branch
}

QString SmsSource::positionTitleWord(const QString &positionName) const
{
    const QString word = smsPositionMatrixWord(yov::sms::smsPositionOfName(positionName));
    return word.isEmpty() ? positionName : word;
}

void SmsSource::Init_SMSNode_Wording()
{
    for (int i = 0; i < root_->childCount(); ++i) {
        Node *position = root_->child(i);
        position->setNodeName(Map_Name_Item_of_IndexString(positionTitleWord(position->positionNameInParentNode())));
        if (model_)
            model_->nodeChanged(position);
    }
    updateSMSCountOfPosNode();
}

void SmsSource::updateSMSCountOfPosNode()
{
    if (!yov::nsBool(page_->config().getConfigurationByModuleAndKey(QStringLiteral("SMS"), QStringLiteral("DisplaySMSCountInfo"))))
        return;
    updateSMSCountOfNodeWithPos(yov::sms::kPositionPc);
    updateSMSCountOfNodeWithPos(yov::sms::kPositionSim);
}

void SmsSource::updateSMSCountOfNodeWithPos(int position)
{
    if (position != yov::sms::kPositionPc && position != yov::sms::kPositionSim)
        return;
    Node *node = getNodeofSavePosByPositonName(position == yov::sms::kPositionPc ? kPcName : kSimName);
    if (!node)
        return;
    const int capacity = position == yov::sms::kPositionPc
                             ? pcSmsCapacity(yov::nsDict(page_->config().getConfigurationByModule(QStringLiteral("SMS"))))
                             : page_->simCap();
    node->setNodeName(QStringLiteral("%1 (%2/%3)")
                          .arg(Map_Name_Item_of_IndexString(positionTitleWord(node->positionNameInParentNode())))
                          .arg(getSMSCountOfNodeWithPos(position))
                          .arg(capacity));
    if (model_)
        model_->nodeChanged(node);
}

int SmsSource::getSMSCountOfNodeWithPos(int position) const
{
    if (position == yov::sms::kPositionSim)
        return int(page_->simList(0).size() + page_->simList(1).size());
    if (position == yov::sms::kPositionPc) {
        int count = 0;
        for (int box : {0, 1, 2, 4, 5})
            count += int(page_->pcList(box).size());
        return count;
    }
    return 0;
}

void SmsSource::setBoxWithSmSCount(int position, int inbox, int outbox, int draft, int deleted, int important, int report)
{
    const struct {
        QString box;
        int code;
        int count;
    } titles[] = {
        {QStringLiteral("InBox"), 0, inbox},          {QStringLiteral("OutBox"), 1, outbox},
        {QStringLiteral("DraftBox"), 2, draft},       {QStringLiteral("DeletedBox"), 4, deleted},
        {QStringLiteral("ImportantBox"), 5, important}, {QStringLiteral("DELIVERY_REPORTBOX"), 3, report},
    };
    QString name;
    if (position == yov::sms::kPositionPc)
        name = kPcName;
    else if (position == yov::sms::kPositionSim)
        name = kSimName;
    else
        return;
    for (const auto &t : titles) {
        if (position == yov::sms::kPositionSim && t.code > yov::sms::kBoxOutBox)
            continue;
        Node *node = getNodeOfBoxByPositonNameAndSavePos(name, t.box);
        if (!node)
            continue;
        node->setNodeName(Map_Name_Item_of_IndexString(boxTreeWord(t.code)) + QStringLiteral("(%1)").arg(t.count));
        if (model_)
            model_->nodeChanged(node);
    }
}

std::pair<int, int> SmsSource::selectionOf(const Node *node) const
{
    if (!node || node == root_.get())
        return {-1, -1};
    if (isPositionNode(node))
        return {int(node->positonInParentNode()), -1};
    return {int(node->parent_Node()->positonInParentNode()), int(node->positonInParentNode())};
}

} // namespace ostrel
