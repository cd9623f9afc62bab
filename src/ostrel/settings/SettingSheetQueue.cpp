#include "ostrel/settings/SettingSheetQueue.h"

#include "ostrel/framework/controller/YOVUIController.h"

namespace ostrel {

SettingSheetQueue::SettingSheetQueue(QObject *parent) : QObject(parent) {}

SettingSheetQueue::~SettingSheetQueue()
{
    closing_ = true;
    for (Item &item : showing_)
        if (item.sheet)
            QObject::disconnect(item.sheet, nullptr, this, nullptr);
}

void SettingSheetQueue::beginAlert(const yov::AlertRequest &request, EndAction onEnd, QWidget *on)
{
    Item item;
    item.request = request;
    item.onEnd = std::move(onEnd);
    item.on = on;
    item.id = nextId_++;
    if (showing_.isEmpty() || isOnShowingSheet(item))
        show(std::move(item));
    else
        waiting_.push_back(std::move(item));
}

void SettingSheetQueue::beginSheet(QDialog *sheet, EndAction onEnd)
{
    if (!sheet)
        return;
    Item item;
    item.isSheet = true;
    item.sheet = sheet;
    item.onEnd = std::move(onEnd);
    item.on = sheet->parentWidget();
    item.id = nextId_++;
    if (showing_.isEmpty() || isOnShowingSheet(item))
        show(std::move(item));
    else
        waiting_.push_back(std::move(item));
}

bool SettingSheetQueue::isOnShowingSheet(const Item &item) const
{
    if (!item.on)
        return false;
    for (const Item &open : showing_)
        if (open.isSheet && open.sheet && (open.sheet == item.on || open.sheet->isAncestorOf(item.on)))
            return true;
    return false;
}

bool SettingSheetQueue::holdsSheet(const QDialog *sheet) const
{
    if (!sheet)
        return false;
    for (const Item &item : showing_)
        if (item.isSheet && item.sheet == sheet)
            return true;
    for (const Item &item : waiting_)
        if (item.isSheet && item.sheet == sheet)
            return true;
    return false;
}

QDialog *SettingSheetQueue::showingSheet() const
{
    if (showing_.isEmpty() || !showing_.last().isSheet)
        return nullptr;
    return showing_.last().sheet;
}

void SettingSheetQueue::show(Item item)
{
    const quint64 id = item.id;
    showing_.append(item);
    if (item.isSheet) {
        QDialog *sheet = item.sheet;
        if (!sheet) {
            ended(id, QDialog::Rejected);
            return;
        }
        sheet->setWindowModality(Qt::WindowModal);
        connect(sheet, &QDialog::finished, this, [this, id, sheet](int result) {
            QObject::disconnect(sheet, &QDialog::finished, this, nullptr);
            ended(id, result);
        });
        connect(sheet, &QObject::destroyed, this, [this, id] { ended(id, QDialog::Rejected); });
        sheet->open();
        return;
    }
    QPointer<SettingSheetQueue> self(this);
    NSBeginAlertPanelExt(item.request.title, item.request.message, item.request.defaultButton,
                         item.request.alternateButton, [self, id](int answer) {
                             if (self)
                                 self->ended(id, answer);
                         });
}

void SettingSheetQueue::ended(quint64 id, int answer)
{
    if (closing_)
        return;
    for (qsizetype i = 0; i < showing_.size(); ++i) {
        if (showing_[i].id != id)
            continue;
        Item item = showing_.takeAt(i);
        if (item.sheet)
            QObject::disconnect(item.sheet, nullptr, this, nullptr);
        if (item.onEnd)
            item.onEnd(answer);
        next();
        return;
    }
}

void SettingSheetQueue::next()
{
    while (showing_.isEmpty() && !waiting_.empty()) {
        Item item = std::move(waiting_.front());
        waiting_.pop_front();
        if (item.isSheet && !item.sheet)
            continue; // the sheet went away while it waited
        show(std::move(item));
    }
}

void SettingSheetQueue::closeAll()
{
    closing_ = true;
    const QList<Item> open = showing_;
    showing_.clear();
    waiting_.clear();
    for (const Item &item : open)
        if (item.sheet) {
            QObject::disconnect(item.sheet, nullptr, this, nullptr);
            item.sheet->close();
        }
    closing_ = false;
}

} // namespace ostrel
