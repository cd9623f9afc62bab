#include "ostrel/device/init/SignalWindow.h"

#include <QFormLayout>
#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace ostrel {

int signalLevelOfImageName(const QString &imageName)
{
    static const QRegularExpression pattern(QStringLiteral("^rssi([1-6])$"));
    const QRegularExpressionMatch m = pattern.match(imageName);
    return m.hasMatch() ? m.captured(1).toInt() - 1 : -1;
}

namespace {
QPixmap drawSignalBars(int level, const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    constexpr int kBars = 5;
    const qreal gap = size.width() / 16.0;
    const qreal barWidth = (size.width() - gap * (kBars - 1)) / kBars;
    for (int i = 0; i < kBars; ++i) {
        const qreal height = size.height() * (i + 1) / qreal(kBars);
        const QRectF bar(i * (barWidth + gap), size.height() - height, barWidth, height);
        painter.setPen(QColor(70, 70, 70));
        painter.setBrush(i < level ? QColor(40, 150, 60) : QColor(215, 215, 215));
        painter.drawRect(bar.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    return pixmap;
}
} // namespace

QPixmap signalBarsPixmap(int level, const QSize &size)
{
    // Drawn once per level and size: a signal report comes every few seconds and mostly repeats
    // the level, and the same pixmap also lets the label skip an unchanged image. The images go
    // with the application.
    struct Drawn : QObject {
        using QObject::QObject;
        QHash<QPair<int, QSize>, QPixmap> pixmaps;
    };
    static QPointer<Drawn> drawn;
    if (!drawn)
        drawn = new Drawn(QCoreApplication::instance());
    const QPair<int, QSize> key(level, size);
    auto it = drawn->pixmaps.constFind(key);
    if (it == drawn->pixmaps.constEnd())
        it = drawn->pixmaps.insert(key, drawSignalBars(level, size));
    return *it;
}

void showSignalBars(QLabel *label, int level, const QSize &size)
{
    const QPixmap bars = signalBarsPixmap(level, size);
    if (label->pixmap().cacheKey() != bars.cacheKey())
        label->setPixmap(bars);
}

SignalWindow::SignalWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("windowRssiLacCi"));
    auto *column = new QVBoxLayout(this);
    imageSignalBars_ = new QLabel(this);
    imageSignalBars_->setObjectName(QStringLiteral("imageSignalBars"));
    imageSignalBars_->setAlignment(Qt::AlignCenter);
    column->addWidget(imageSignalBars_);
    auto *form = new QFormLayout;
    auto value = [this](const char *name) {
        auto *l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return l;
    };
    labelRssiLacCiWindowRssiTitle_ = new QLabel(this);
    labelRssiLacCiWindowLacTitle_ = new QLabel(this);
    labelRssiLacCiWindowCiTitle_ = new QLabel(this);
    labelRssiLacCiWindowRssiValue_ = value("labelRssiLacCiWindowRssiValue");
    labelRssiLacCiWindowLacValue_ = value("labelRssiLacCiWindowLacValue");
    labelRssiLacCiWindowCiValue_ = value("labelRssiLacCiWindowCiValue");
    form->addRow(labelRssiLacCiWindowRssiTitle_, labelRssiLacCiWindowRssiValue_);
    form->addRow(labelRssiLacCiWindowLacTitle_, labelRssiLacCiWindowLacValue_);
    form->addRow(labelRssiLacCiWindowCiTitle_, labelRssiLacCiWindowCiValue_);
    column->addLayout(form);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btnOK = new QPushButton(this);
    btnOK->setObjectName(QStringLiteral("btnRssiLacCiWindowOK"));
    btnOK->setDefault(true);
    buttons->addWidget(btnOK);
    column->addLayout(buttons);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::hide);
    setWording([](const QString &text) { return text; });
    setLevel(0);
}

void SignalWindow::setWording(const std::function<QString(const QString &)> &localise)
{
    labelRssiLacCiWindowRssiTitle_->setText(localise(QStringLiteral("RSSI:")));
    labelRssiLacCiWindowLacTitle_->setText(localise(QStringLiteral("LAC:")));
    labelRssiLacCiWindowCiTitle_->setText(localise(QStringLiteral("Cell ID:")));
    btnOK->setText(localise(QStringLiteral("OK")));
}

void SignalWindow::setLevel(int level)
{
    if (level < 0 || level > 5)
        return;
    level_ = level;
    showSignalBars(imageSignalBars_, level, QSize(60, 36));
    imageSignalBars_->setToolTip(QStringLiteral("rssi%1").arg(level + 1));
}

void SignalWindow::setRssi(int magnitude)
{
    labelRssiLacCiWindowRssiValue_->setText(QString::number(magnitude));
}

void SignalWindow::setLacAndCellId(const QString &lacHex, const QString &cellIdHex)
{
    bool ok = false;
    const qulonglong cell = cellIdHex.trimmed().toULongLong(&ok, 16);
    if (ok && cell != 0)
        labelRssiLacCiWindowCiValue_->setText(QString::number(cell));
    const qulonglong lac = lacHex.trimmed().toULongLong(&ok, 16);
    if (ok && lac != 0)
        labelRssiLacCiWindowLacValue_->setText(QString::number(lac));
}

} // namespace ostrel
