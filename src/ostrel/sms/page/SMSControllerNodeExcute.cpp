// The storage controls of the SMS page: the search toggle and the availability of the special
// boxes for the selected position.
#include "common/sms/SmsBoxCodes.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/sms/page/SMSController.h"
#include "ostrel/sms/page/SmsBoxView.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ostrel {

namespace {

// An unavailable box cell is transparent and disabled; it keeps its place in the matrix.
void setBoxCellAvailable(QAbstractButton *cell, bool available)
{
    if (!cell)
        return;
    cell->setVisible(available);
    cell->setEnabled(available);
}

} // namespace

void SMSController::showOrHideSearchbar(QObject *sender)
{
    if (!boxView_ || sender != boxView_->smsSearchBtn_ || !boxView_->SearchSMS_item || !boxView_->smsGoBtn_)
        return;
    clickStatusOfBtn_ = !clickStatusOfBtn_;
    boxView_->SearchSMS_item->setVisible(clickStatusOfBtn_);
    boxView_->smsGoBtn_->setVisible(clickStatusOfBtn_);
}

void SMSController::setBoxMessageNumHiddenFlag(bool hidden, int box)
{
    if (QLabel *label = boxView_ ? boxView_->countLabelOfBox(box) : nullptr)
        label->setHidden(hidden);
}

int SMSController::selectedSavePosition() const
{
    const int row = boxView_ ? boxView_->saveAtPos->selectedRow() : -1;
    return row < 0 ? -1 : yovPositionManager_.getPositionByPositionOrder(row);
}

void SMSController::showOrHiddenSpecialBox(int box)
{
    if (!boxView_ || box <= yov::sms::kBoxDraftBox || !hasbox(box))
        return;
    const int position = selectedSavePosition();
    const bool available = position != yov::sms::kPositionSim && position != yov::sms::kPositionMe;
    setBoxCellAvailable(boxView_->msgBoxSelectAt->cellAtRow(getBoxDisplayOrderWithBox(box)), available);
    setBoxMessageNumHiddenFlag(!available, box);
}

void SMSController::showOrHiddenDeliveryReportBox()
{
    // The report box's cell is the one at its display order, and only a shown box has one.
    if (!boxView_ || !hasbox(yov::sms::kBoxDeliveryReport))
        return;
    const int row = boxView_->saveAtPos->selectedRow();
    const bool available = row < 0 || row != yovPositionManager_.getPositionOrderByPositon(yov::sms::kPositionSim);
    setBoxCellAvailable(boxView_->msgBoxSelectAt->cellAtRow(getBoxDisplayOrderWithBox(yov::sms::kBoxDeliveryReport)),
                        available);
    setBoxMessageNumHiddenFlag(!available, yov::sms::kBoxDeliveryReport);
}

void SMSController::special_SelectSaveAt()
{
    if (smsSwitch("isHaveDeliveryReportBox"))
        showOrHiddenDeliveryReportBox();
    for (int box : {yov::sms::kBoxDeletedBox, yov::sms::kBoxImportantBox, yov::sms::kBoxDeliveryReport,
                    yov::sms::kBoxBroadCastBox})
        showOrHiddenSpecialBox(box);
}

} // namespace ostrel
