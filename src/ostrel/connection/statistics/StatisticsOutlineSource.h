#pragma once
// What the statistics page's two outline sources share: a Node tree under an invisible root,
// shown through a NodeTreeModel in an NSOutlineViewExt that is always expanded, cannot be
// collapsed or edited and keeps its columns in place ("Attribute": the row's name; the other:
// its value). Rows are counted over the expanded tree, row 0 being the group under the root.
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/tree/Node.h"
#include "ostrel/framework/tree/NodeTreeModel.h"

#include <QPointer>
#include <QStringList>

namespace ostrel {

class NSOutlineViewExt;

class StatisticsOutlineSource : public YOVUIController {
    Q_OBJECT
public:
    NodeTreeModel *model() { return &model_; }
    NSOutlineViewExt *outlineView() const;
    // Shows the tree in the view (expanded, nothing to collapse, edit or reorder).
    void setOutlineView(NSOutlineViewExt *view);

    // The node of a row; null outside the tree.
    Node *nodeAtRow(int row) const;
    QString nameOfRow(int row) const;
    QString valueOfRow(int row) const;

signals:
    // The wording changed (a language change): views that draw texts of their own redraw.
    void wordingChanged();

protected:
    explicit StatisticsOutlineSource(const ControllerContext &context, QObject *parent = nullptr);

    Node &root() { return root_; }
    void setNodeValue(Node *node, const QString &value);
    // Gives the rows, by position, the localised names (an empty name leaves its row).
    void renameRows(const QStringList &englishNames);
    void expandOutline();
    QString localizedText(const QString &english) const;

private:
    Node root_;
    NodeTreeModel model_;
    QPointer<NSOutlineViewExt> outlineView_;
};

} // namespace ostrel
