// The link widgets: what a click on a link button starts or opens by its type, the link picture
// enabled and disabled, and the hint window held on the screen while dragged.
#include "ostrel/framework/widgets/FavoriteIconHintWindow.h"
#include "ostrel/framework/widgets/IconMatrix.h"
#include "ostrel/framework/widgets/WebLinkImageView.h"
#include "ostrel/framework/widgets/WeblinkButton.h"
#include "platform/NotificationCenter.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace ostrel;

namespace {
struct Recorded {
    QStringList launched;
    QList<QUrl> opened;
    Recorded()
    {
        WeblinkButton::setLauncher([this](const QString &program, const QStringList &arguments) {
            launched << (QStringList{program} + arguments).join(QLatin1Char('|'));
            return true;
        });
        WeblinkButton::setOpener([this](const QUrl &url) {
            opened << url;
            return true;
        });
    }
    ~Recorded()
    {
        WeblinkButton::setLauncher({});
        WeblinkButton::setOpener({});
    }
};
} // namespace

TEST(WeblinkWidgetsTest, LinkButtonFollowsItsLinkByType)
{
    const struct {
        const char *link;
        int type;
        const char *para;
        const char *launched;
        const char *opened;
    } cases[] = {
        {"/usr/bin/operator-tool", 0, "", "/usr/bin/operator-tool", ""},
        {"/usr/bin/viewer", 0, "/home/u/My File.txt", "/usr/bin/viewer|/home/u/My File.txt", ""},
        {"http://www.operator.example/", 1, "", "", "http://www.operator.example/"},
        {"http://www.operator.example/", 2, "", "", ""},
        {"", 1, "", "", ""},
    };
    for (const auto &c : cases) {
        Recorded r;
        WeblinkButton button;
        button.setWebLinkString(QString::fromUtf8(c.link));
        button.setLinkType(c.type);
        button.setLinkPara(QString::fromUtf8(c.para));
        button.click();
        EXPECT_EQ(r.launched.join(QLatin1Char(',')), QString::fromUtf8(c.launched)) << c.link << c.type;
        EXPECT_EQ(r.opened.isEmpty() ? QString() : r.opened.first().toString(), QString::fromUtf8(c.opened)) << c.link;
        button.setEnabled(false);
        button.followLink();
        EXPECT_LE(r.launched.size() + r.opened.size(), 1) << "a disabled button follows nothing";
    }
}

TEST(WeblinkWidgetsTest, LinkPictureOpensWhenEnabledAndTellsWhenDisabled)
{
    Recorded r;
    int disabledClicks = 0;
    QObject observer;
    yov::NotificationCenter::defaultCenter().addObserver(&observer, QStringLiteral("WebLinkImageViewDisabled"), nullptr,
                                                         [&](const yov::Notification &) { ++disabledClicks; });
    WebLinkImageView view;
    view.resize(40, 40);
    view.setWebLinkString(QStringLiteral("http://ad.example/"));
    QTest::mouseClick(&view, Qt::LeftButton);
    ASSERT_EQ(r.opened.size(), 1);
    EXPECT_EQ(r.opened.first(), QUrl(QStringLiteral("http://ad.example/")));
    view.setLinkEnabled(false);
    QTest::mouseClick(&view, Qt::LeftButton);
    EXPECT_EQ(r.opened.size(), 1);
    EXPECT_EQ(disabledClicks, 1);
}

TEST(WeblinkWidgetsTest, HintWindowIsHeldOnTheScreenWhileDragged)
{
    const QRect screen(0, 0, 1000, 800);
    const QRect hint(400, 300, 200, 100);
    const struct {
        QPoint delta;
        QPoint topLeft;
    } cases[] = {
        {{10, 20}, {410, 320}},      // inside: moved as dragged
        {{0, -500}, {400, 0}},       // above the top: its top at the screen's top
        {{0, 600}, {400, 799}},      // below the bottom: its top at the screen's bottom
        {{-700, 0}, {-199, 300}},    // left: its right edge at the screen's left edge
        {{700, 0}, {999, 300}},      // right: its left edge at the screen's right edge
    };
    for (const auto &c : cases)
        EXPECT_EQ(FavoriteIconHintWindow::draggedFrame(hint, c.delta, screen).topLeft(), c.topLeft) << c.delta.x() << "," << c.delta.y();

    FavoriteIconHintWindow window;
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
}

TEST(WeblinkWidgetsTest, IconMatrixClickOnACellAndBetweenCells)
{
    IconMatrix matrix(2, 3);
    matrix.resize(400, 200);
    matrix.show();
    QSignalSpy clicked(&matrix, &IconMatrix::cellClicked);
    const QRect fifth = matrix.cell(4)->geometry();
    int row = 0;
    int column = 0;
    ASSERT_TRUE(matrix.findClickedPoint(fifth.center(), &row, &column));
    EXPECT_EQ(row * 3 + column, 4);
    matrix.cell(4)->click();
    EXPECT_EQ(matrix.curcellIndex(), 4);
    // Between the first two cells of the first row: no cell, none current, no action.
    const QPoint between((matrix.cell(0)->geometry().right() + matrix.cell(1)->geometry().left()) / 2,
                         matrix.cell(0)->geometry().center().y());
    EXPECT_FALSE(matrix.findClickedPoint(between, &row, &column));
    EXPECT_EQ(row, -1);
    QTest::mouseClick(&matrix, Qt::LeftButton, {}, between);
    EXPECT_EQ(matrix.curcellIndex(), -1);
    EXPECT_EQ(clicked.size(), 1);
}
