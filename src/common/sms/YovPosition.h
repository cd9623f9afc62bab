#pragma once
// One SMS storage position of a position table: its name ("AT_PC", "AT_SIM", "AT_TCARD",
// "AT_ME"), its code (SmsBoxCodes.h) and its place in the page's lists and tree, from 0.

#include <QString>

namespace yov::sms {

class YovPosition {
public:
    YovPosition() = default;
    YovPosition(const QString &positionName, int position, int displayOrder)
        : positionName_(positionName), position_(position), displayOrder_(displayOrder)
    {
    }

    QString positionName() const { return positionName_; }
    int positon() const { return position_; }
    int displayOrder() const { return displayOrder_; }
    void setPositionName(const QString &name) { positionName_ = name; }
    void setPosition(int position) { position_ = position; }
    void setDisplayOrder(int order) { displayOrder_ = order; }

private:
    QString positionName_;
    int position_ = 0;
    int displayOrder_ = 0;
};

} // namespace yov::sms
