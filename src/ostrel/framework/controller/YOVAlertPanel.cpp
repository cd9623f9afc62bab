#include "ostrel/framework/controller/YOVAlertPanel.h"

#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/NSViewExt.h"
#include "ostrel/framework/widgets/NSWindowExt.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace ostrel {

namespace {
YOVAlertPanel *g_sharedAlertPanel = nullptr;

// The message's width bounds: short texts keep the panel from looking cramped, long ones wrap.
constexpr int kMinTextWidth = 300;
constexpr int kMaxTextWidth = 460;
// Room kept free around a panel that is as tall as the screen.
constexpr int kScreenMargin = 24;
// A message that scrolls shows at least this many lines.
constexpr int kMinScrolledLines = 3;

// The panel's content: opaque whatever the desktop does with a frameless window's background.
// The skin's image (set by the skin manager) is stretched over a plain light background, and a
// border outlines the panel where no window manager draws a frame.
class AlertPanelView final : public NSViewExt {
public:
    using NSViewExt::NSViewExt;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QRect r = rect();
        p.fillRect(r, QColor(240, 244, 250));
        if (!image().isNull())
            p.drawImage(r, image());
        p.setPen(QColor(96, 110, 132));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
};

int widestLine(const QLabel *label, const QString &text)
{
    if (!label || text.isEmpty())
        return 0;
    const QFontMetrics metrics(label->font());
    int widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest + 2;
}
} // namespace

YOVAlertPanel::YOVAlertPanel(QObject *parent)
    : YOVAlertPanel(ControllerContext::shared(), parent)
{
}

YOVAlertPanel::YOVAlertPanel(const ControllerContext &context, QObject *parent)
    : YOVUIController(context, parent)
{
    if (!g_sharedAlertPanel)
        g_sharedAlertPanel = this;
}

YOVAlertPanel::~YOVAlertPanel()
{
    pendingAnswer_ = nullptr;
    if (modalLoop_)
        modalLoop_->exit(closeAnswer());
    if (g_sharedAlertPanel == this)
        g_sharedAlertPanel = nullptr;
    delete wndAlert_;
}

YOVAlertPanel *YOVAlertPanel::shareAlertPanel()
{
    return g_sharedAlertPanel;
}

void YOVAlertPanel::buildDefaultWindow()
{
    auto *window = new NSPanelExt;
    // Opaque: a frameless translucent window is a black box without a compositor.
    window->setAttribute(Qt::WA_TranslucentBackground, false);
    window->setAttribute(Qt::WA_NoSystemBackground, false);
    window->setObjectName(QStringLiteral("wndYOVAlertPanel"));
    auto *content = new AlertPanelView;
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(20, 16, 20, 14);
    layout->setSpacing(10);
    auto *title = new QLabel;
    auto *message = new QLabel;
    title->setTextFormat(Qt::PlainText);
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    // The message scrolls when it is taller than the screen leaves room for (fitAndCentre).
    auto *scroller = new QScrollArea;
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setWidgetResizable(true);
    scroller->viewport()->setAutoFillBackground(false);
    scroller->setWidget(message);
    // setWidget turns the background filling on: the text would sit on a grey band over the
    // panel's own background.
    message->setAutoFillBackground(false);
    auto *buttons = new QHBoxLayout;
    auto *ok = new NSButtonExt;
    auto *cancel = new NSButtonExt;
    for (NSButtonExt *b : {ok, cancel})
        b->setMinimumSize(84, 26);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    layout->addWidget(title);
    layout->addWidget(scroller);
    layout->addLayout(buttons);
    window->setContentView(content);
    wndAlert_ = window;
    labelTitle_ = title;
    labelMsg_ = message;
    btnOK_ = ok;
    btnCancel_ = cancel;
}

void YOVAlertPanel::awakeFromNib()
{
    if (!wndAlert_)
        buildDefaultWindow();
    if (btnOK_)
        connectAction(btnOK_, QStringLiteral("btnOKAction:"));
    if (btnCancel_)
        connectAction(btnCancel_, QStringLiteral("btnCancelAction:"));
    wndAlert_->installEventFilter(this);
    if (SkinManagerAccess *skin = yovSkinManager()) {
        skin->registerController(wndAlert_, QStringLiteral("wndYOVAlertPanel"), true);
        if (labelMsg_)
            skin->registerController(labelMsg_, QStringLiteral("labelYOVAlertPanelMsg"), true);
        if (labelTitle_)
            skin->registerController(labelTitle_, QStringLiteral("labelYOVAlertPanelTitle"), true);
        if (btnOK_)
            skin->registerController(btnOK_, QStringLiteral("btnAlertOK"), true);
        if (btnCancel_)
            skin->registerController(btnCancel_, QStringLiteral("btnAlertCancel"), true);
    }
}

bool YOVAlertPanel::canShow() const
{
    // Without the skinned window, or while the panel already shows an alert (an alert raised from
    // inside another one), the fallback shows the alert.
    SkinManagerAccess *skin = yovSkinManager();
    return wndAlert_ && skin && skin->hasKey(QStringLiteral("wndYOVAlertPanel")) && !isRunning();
}

yov::AlertPresenter &YOVAlertPanel::fallback() const
{
    return fallback_ ? *fallback_ : yov::AlertPresenter::system();
}

int YOVAlertPanel::runAlertPanelTitle(const QString &title, const QString &message, const QString &defaultButton,
                                      const QString &alternateButton)
{
    if (!canShow())
        return fallback().presentBlocking({title, message, defaultButton, alternateButton});
    showPanel(title, message, defaultButton, alternateButton);
    QEventLoop loop;
    modalLoop_ = &loop;
    const int code = loop.exec();
    modalLoop_ = nullptr;
    return code;
}

void YOVAlertPanel::beginAlertPanelTitle(const QString &title, const QString &message, const QString &defaultButton,
                                         const QString &alternateButton, yov::AlertAnswer onAnswer)
{
    if (!canShow()) {
        fallback().presentNonBlocking({title, message, defaultButton, alternateButton}, std::move(onAnswer));
        return;
    }
    // Set before showing: the panel counts as busy from here on, whatever the callback is.
    pendingAnswer_ = onAnswer ? std::move(onAnswer) : yov::AlertAnswer([](int) {});
    showPanel(title, message, defaultButton, alternateButton);
}

void YOVAlertPanel::showPanel(const QString &title, const QString &message, const QString &defaultButton,
                              const QString &alternateButton)
{
    if (labelTitle_) {
        labelTitle_->setText(title);
        labelTitle_->setVisible(!title.isEmpty());
    }
    if (labelMsg_)
        labelMsg_->setText(message);
    if (btnOK_)
        btnOK_->setText(defaultButton.isEmpty() ? QStringLiteral("OK") : defaultButton);
    hasAlternate_ = !alternateButton.isEmpty();
    if (btnCancel_) {
        btnCancel_->setText(alternateButton);
        btnCancel_->setVisible(hasAlternate_);
    }
    wndAlert_->setWindowModality(Qt::ApplicationModal);
    fitAndCentre();
    wndAlert_->show();
    wndAlert_->raise();
    wndAlert_->activateWindow();
    if (btnOK_)
        btnOK_->setFocus();
}

QScrollArea *YOVAlertPanel::messageScroller() const
{
    QWidget *viewport = labelMsg_ ? labelMsg_->parentWidget() : nullptr;
    auto *scroller = viewport ? qobject_cast<QScrollArea *>(viewport->parentWidget()) : nullptr;
    return scroller && scroller->widget() == labelMsg_ ? scroller : nullptr;
}

void YOVAlertPanel::fitAndCentre()
{
    // Centred on the main window; on the active window or the screen without one.
    QWidget *anchor = wndMain && wndMain->isVisible() && !wndMain->isMinimized() ? wndMain.data() : nullptr;
    if (!anchor) {
        QWidget *active = QApplication::activeWindow();
        anchor = active && active != wndAlert_ ? active : nullptr;
    }
    QScreen *screen = anchor && anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();

    auto *window = qobject_cast<NSWindow *>(wndAlert_.data());
    QWidget *content = window ? window->contentView() : nullptr;
    if (content && content->layout()) {
        // As wide as the longest line (within bounds), as high as the wrapped text needs, and no
        // higher than the screen: a taller message scrolls.
        QLayout *layout = content->layout();
        int buttons = 0;
        for (QAbstractButton *b : {btnOK_.data(), btnCancel_.data()})
            if (b && !b->isHidden())
                buttons += std::max(b->sizeHint().width(), b->minimumWidth()) + layout->spacing();
        const int text = std::max({widestLine(labelMsg_, labelMsg_ ? labelMsg_->text() : QString()),
                                   widestLine(labelTitle_, labelTitle_ ? labelTitle_->text() : QString()), buttons});
        const QMargins m = layout->contentsMargins();
        const int textWidth = std::clamp(text, kMinTextWidth, kMaxTextWidth);
        int width = textWidth + m.left() + m.right();
        const auto heightFor = [layout](int w) {
            layout->invalidate();
            return std::max(layout->hasHeightForWidth() ? layout->totalHeightForWidth(w) : layout->totalSizeHint().height(),
                            layout->totalMinimumSize().height());
        };
        QScrollArea *scroller = messageScroller();
        if (scroller)
            scroller->setFixedHeight(labelMsg_->heightForWidth(textWidth));
        int height = heightFor(width);
        const int room = area.isValid() ? area.height() - 2 * kScreenMargin : height;
        if (scroller && height > room) {
            const int fullText = scroller->height();
            const int fewest = kMinScrolledLines * labelMsg_->fontMetrics().lineSpacing();
            width += scroller->verticalScrollBar()->sizeHint().width();
            scroller->setFixedHeight(std::max(fewest, fullText - (height - room)));
            height = heightFor(width);
        }
        wndAlert_->resize(width, height);
        layout->activate();
        if (scroller)
            scroller->setWidgetResizable(true); // lays the text out for the new size now
    }

    const QPoint centre = anchor ? anchor->frameGeometry().center() : area.center();
    QRect frame(QPoint(0, 0), wndAlert_->size());
    frame.moveCenter(centre);
    if (area.isValid()) {
        frame.moveLeft(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - frame.width())));
        frame.moveTop(std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - frame.height())));
    }
    wndAlert_->move(frame.topLeft());
}

int YOVAlertPanel::closeAnswer() const
{
    return hasAlternate_ ? yov::AlertPresenter::AlternateReturn : yov::AlertPresenter::DefaultReturn;
}

void YOVAlertPanel::finish(int code)
{
    if (QEventLoop *loop = modalLoop_) {
        modalLoop_ = nullptr;
        if (wndAlert_)
            wndAlert_->hide();
        loop->exit(code);
        return;
    }
    if (pendingAnswer_) {
        const yov::AlertAnswer answer = std::move(pendingAnswer_);
        pendingAnswer_ = nullptr;
        if (wndAlert_)
            wndAlert_->hide();
        answer(code);
        return;
    }
    if (wndAlert_)
        wndAlert_->hide();
}

void YOVAlertPanel::btnOKAction(QObject *)
{
    finish(yov::AlertPresenter::DefaultReturn);
}

void YOVAlertPanel::btnCancelAction(QObject *)
{
    finish(yov::AlertPresenter::AlternateReturn);
}

bool YOVAlertPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == wndAlert_ && isRunning()) {
        // Closed some other way (a window manager, the device-removal road): the alternate answer
        // when there is one.
        if (event->type() == QEvent::Hide) {
            finish(closeAnswer());
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Escape) {
                finish(closeAnswer());
                return true;
            }
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                finish(yov::AlertPresenter::DefaultReturn);
                return true;
            }
        }
    }
    return YOVUIController::eventFilter(watched, event);
}

int SkinnedAlertPresenter::presentBlocking(const yov::AlertRequest &request)
{
    if (YOVAlertPanel *panel = YOVAlertPanel::shareAlertPanel())
        return panel->runAlertPanelTitle(request.title, request.message, request.defaultButton, request.alternateButton);
    return fallback().presentBlocking(request);
}

void SkinnedAlertPresenter::presentNonBlocking(const yov::AlertRequest &request, yov::AlertAnswer onAnswer)
{
    if (YOVAlertPanel *panel = YOVAlertPanel::shareAlertPanel()) {
        panel->beginAlertPanelTitle(request.title, request.message, request.defaultButton, request.alternateButton,
                                    std::move(onAnswer));
        return;
    }
    fallback().presentNonBlocking(request, std::move(onAnswer));
}

} // namespace ostrel
