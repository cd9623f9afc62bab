#include "ostrel/sms/page/SmsBoxView.h"

#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ostrel {

namespace {

NSMatrix *radioMatrix(const QList<SmsBoxView::Row> &rows, const QString &name, QWidget *parent)
{
    int count = 1;
    for (const SmsBoxView::Row &r : rows)
        count = qMax(count, r.row + 1);
    auto *matrix = new NSMatrix(count, 1, parent);
    matrix->setObjectName(name);
    for (const SmsBoxView::Row &r : rows) {
        if (r.row < 0 || matrix->cellAtRow(r.row))
            continue; // one cell per row: the first of a duplicated order wins
        auto *cell = new QRadioButton(r.title);
        QSizePolicy policy = cell->sizePolicy();
        policy.setRetainSizeWhenHidden(true); // an unavailable cell keeps its place
        cell->setSizePolicy(policy);
        matrix->addCell(cell, r.row, 0);
    }
    return matrix;
}

QLabel *countLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(QStringLiteral("0"), parent);
    label->setObjectName(name);
    return label;
}

} // namespace

SmsBoxView::SmsBoxView(const QList<Row> &positions, const QList<Row> &boxes, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("smsBoxView"));
    outlineView_ = new NSOutlineViewExt(this);
    outlineView_->setObjectName(QStringLiteral("outlineView_"));
    outlineView_->setHeaderHidden(true);
    // The names as wide as they are: at the header's default width they were cut to a few letters.
    outlineView_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    saveAtPos = radioMatrix(positions, QStringLiteral("saveAtPos"), this);
    msgBoxSelectAt = radioMatrix(boxes, QStringLiteral("msgBoxSelectAt"), this);

    smsSearchBtn_ = new QPushButton(this);
    smsSearchBtn_->setObjectName(QStringLiteral("smsSearchBtn_"));
    SearchSMS_item = new QLineEdit(this);
    SearchSMS_item->setObjectName(QStringLiteral("SearchSMS_item"));
    SearchSMS_item->setHidden(true);
    smsGoBtn_ = new QPushButton(this);
    smsGoBtn_->setObjectName(QStringLiteral("smsGoBtn_"));
    smsGoBtn_->setHidden(true);

    tfdDeliveryReportBoxMessageNum = countLabel(QStringLiteral("tfdDeliveryReportBoxMessageNum"), this);
    tfdDeletedBoxMessageNum_ = countLabel(QStringLiteral("tfdDeletedBoxMessageNum_"), this);
    tfdImportantBoxMessageNum_ = countLabel(QStringLiteral("tfdImportantBoxMessageNum_"), this);
    tfdBroadCastBoxMessageNum_ = countLabel(QStringLiteral("tfdBroadCastBoxMessageNum_"), this);

    // The search field on a row of its own under the buttons: beside them it was too narrow to
    // type in.
    auto *searchButtons = new QHBoxLayout;
    searchButtons->addWidget(smsSearchBtn_);
    searchButtons->addWidget(smsGoBtn_);
    auto *search = new QVBoxLayout;
    search->addLayout(searchButtons);
    search->addWidget(SearchSMS_item);
    auto *labels = new QHBoxLayout;
    for (QLabel *label : {tfdDeliveryReportBoxMessageNum, tfdDeletedBoxMessageNum_, tfdImportantBoxMessageNum_,
                          tfdBroadCastBoxMessageNum_})
        labels->addWidget(label);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addWidget(outlineView_, 1);
    layout->addWidget(saveAtPos);
    layout->addWidget(msgBoxSelectAt);
    layout->addLayout(labels);
}

QString smsPositionMatrixWord(int position)
{
    switch (position) {
    case 0: return QStringLiteral("PC");
    case 1: return QStringLiteral("(U)SIM");
    case 3: return QStringLiteral("SD Card");
    case 4: return QStringLiteral("ME Position:");
    default: return {};
    }
}

QString smsBoxMatrixWord(int box)
{
    switch (box) {
    case 0: return QStringLiteral("InBox");
    case 1: return QStringLiteral("OutBox");
    case 2: return QStringLiteral("DraftBox");
    case 3: return QStringLiteral("Delivery Report");
    case 4: return QStringLiteral("DeletedBox");
    case 5: return QStringLiteral("ImportantBox");
    case 6: return QStringLiteral("BroadCastBox");
    default: return {};
    }
}

QLabel *SmsBoxView::countLabelOfBox(int box) const
{
    switch (box) {
    case 3: return tfdDeliveryReportBoxMessageNum;
    case 4: return tfdDeletedBoxMessageNum_;
    case 5: return tfdImportantBoxMessageNum_;
    case 6: return tfdBroadCastBoxMessageNum_;
    default: return nullptr;
    }
}

} // namespace ostrel
