#include "ostrel/framework/widgets/IconMatrix.h"

#include "common/ValueConversion.h"

#include <QGridLayout>
#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>
#include <QToolButton>

namespace ostrel {

IconMatrix::IconMatrix(int rows, int columns, QWidget *parent)
    : QWidget(parent), rows_(std::max(rows, 1)), columns_(std::max(columns, 1))
{
    auto *grid = new QGridLayout(this);
    grid->setSpacing(4);
    for (int i = 0; i < cellCount(); ++i) {
        auto *button = new QToolButton(this);
        button->setObjectName(QStringLiteral("iconMatrixCell%1").arg(i));
        button->setFixedSize(44, 44);
        button->setIconSize(QSize(36, 36));
        button->setCheckable(true);
        grid->addWidget(button, i / columns_, i % columns_);
        connect(button, &QToolButton::clicked, this, [this, i] {
            setCurcellIndex(i);
            emit cellClicked(i);
        });
        cells_ << button;
    }
}

void IconMatrix::setCurcellIndex(int index)
{
    curcellIndex_ = index >= 0 && index < cellCount() ? index : -1;
    paintHighlight();
}

void IconMatrix::paintHighlight()
{
    for (int i = 0; i < cells_.size(); ++i) {
        cells_[i]->setChecked(i == curcellIndex_);
        cells_[i]->setStyleSheet(i == curcellIndex_ ? QStringLiteral("background-color: #3875d7;") : QString());
    }
}

void IconMatrix::refresh()
{
    for (QToolButton *button : cells_) {
        button->setIcon(QIcon());
        button->setToolTip(QString());
        button->setProperty("image", QString());
        button->setProperty("name", QString());
    }
    if (list_) {
        for (const QVariant &item : *list_) {
            const QVariantMap entry = item.toMap();
            if (!entry.contains(QStringLiteral("Index")))
                continue;
            const int index = yov::nsInt(entry.value(QStringLiteral("Index")));
            if (index < 0 || index >= cellCount())
                continue;
            QToolButton *button = cells_[index];
            const QString name = yov::nsString(entry.value(QStringLiteral("Name")));
            button->setProperty("name", name);
            button->setToolTip(name);
            if (entry.contains(QStringLiteral("Image"))) {
                const QString image = yov::nsString(entry.value(QStringLiteral("Image")));
                button->setProperty("image", image);
                const QPixmap picture(image);
                if (!picture.isNull())
                    button->setIcon(QIcon(picture));
            }
        }
    }
    paintHighlight();
}

bool IconMatrix::findClickedPoint(const QPoint &point, int *row, int *column) const
{
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < columns_; ++c) {
            if (cells_[r * columns_ + c]->geometry().contains(point)) {
                *row = r;
                *column = c;
                return true;
            }
        }
    }
    *row = -1;
    *column = -1;
    return false;
}

void IconMatrix::mousePressEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (rect().contains(point)) {
        int row = -1;
        int column = -1;
        const bool hit = findClickedPoint(point, &row, &column);
        setCurcellIndex(hit ? row * columns_ + column : -1);
        if (hit)
            emit cellClicked(curcellIndex_);
    }
    QWidget::mousePressEvent(event);
}

QToolButton *IconMatrix::cell(int index) const { return index >= 0 && index < cells_.size() ? cells_[index] : nullptr; }

QString IconMatrix::cellImage(int index) const
{
    QToolButton *button = cell(index);
    return button ? button->property("image").toString() : QString();
}

QString IconMatrix::cellName(int index) const
{
    QToolButton *button = cell(index);
    return button ? button->property("name").toString() : QString();
}

} // namespace ostrel
