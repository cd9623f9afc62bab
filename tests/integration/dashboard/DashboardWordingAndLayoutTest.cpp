// What a user reads on the assembled dashboard at its default window size: the SMS page's
// buttons, pop-ups, box names, message cells and search field are as wide as their texts need,
// the own number on the Security panel is worded rather than shown as its key, and Help > About...
// opens a web page.
#include "DashboardFixture.h"

#include "ostrel/device/init/InitController.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/sms/page/SMSController.h"
#include "ostrel/sms/page/SmsBoxView.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/page/SmsSource.h"
#include "ostrel/sms/page/SmsTableModel.h"
#include "ostrel/framework/tree/Node.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTableView>
#include <QTreeView>
#include <QUrl>

using namespace ostrel;
using namespace dashboard_test;

namespace {

class DashboardWordingAndLayoutTest : public DashboardFixture {
protected:
    void TearDown() override
    {
        DashboardFixture::TearDown();
        YOVUIController::setUrlOpener({});
    }
};

TEST_F(DashboardWordingAndLayoutTest, SmsPageButtonsKeepTheirWholeTitlesAtTheDefaultSize)
{
    launch("default.plist");
    ASSERT_TRUE(waitSimReady());
    ASSERT_TRUE(QTest::qWaitFor([this] { return mainWindow() && mainWindow()->isVisible(); }, kWaitMs));
    assembly_->smsController()->notifyChangeTabViewItem(QStringLiteral("SMS"));
    SmsPageView *page = assembly_->smsController()->page();
    ASSERT_TRUE(page);
    ASSERT_TRUE(QTest::qWaitFor([page] { return page->isVisible(); }, kWaitMs));
    QTest::qWait(100); // the layout settles after the tab change
    saveScreenshot(mainWindow(), QStringLiteral("sms-page-default-size.png"));

    int checked = 0;
    for (QWidget *w : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const bool control = qobject_cast<QPushButton *>(w) || qobject_cast<NSPopUpButtonExt *>(w);
        if (!control || !w->isVisible())
            continue;
        ++checked;
        EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString() << " is cut";
        EXPECT_TRUE(page->rect().contains(w->geometry())) << w->objectName().toStdString() << " leaves the page";
    }
    EXPECT_GE(checked, 6) << "the page's buttons are shown";

    // The box tree's names are whole ("PC (0/1000)", "DraftBox(0)"), not cut to a few letters.
    QTreeView *tree = assembly_->smsController()->smsSource()->outlineView();
    ASSERT_TRUE(tree);
    EXPECT_GE(tree->header()->sectionSize(0), static_cast<QAbstractItemView *>(tree)->sizeHintForColumn(0));

    // The SIM inbox: the unread message's bold number, name and date fit their columns, and the
    // four columns fit the table without scrolling sideways.
    SmsSource *source = assembly_->smsController()->smsSource();
    ASSERT_TRUE(QTest::qWaitFor([&] { return source->getNodeofSavePosByPositonName("AT_SIM") != nullptr; }, kWaitMs));
    const Node *simInbox = source->getNodeOfBoxByPositonNameAndSavePos(QStringLiteral("AT_SIM"), QStringLiteral("InBox"));
    ASSERT_TRUE(simInbox);
    tree->selectionModel()->select(source->model()->indexForNode(simInbox),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    SmsTableModel *model = assembly_->smsController()->tableModel();
    ASSERT_TRUE(QTest::qWaitFor([model] { return model->rowCount() == 2; }, kWaitMs));
    QTest::qWait(100);
    saveScreenshot(mainWindow(), QStringLiteral("sms-sim-inbox-default-size.png"));
    for (const char *id : {"mobilephone", "username", "date"}) {
        const int column = model->columnOfIdentifier(QLatin1String(id));
        EXPECT_GE(page->msgBoxList->columnWidth(column), static_cast<QAbstractItemView *>(page->msgBoxList)->sizeHintForColumn(column)) << id << " is cut";
    }
    EXPECT_FALSE(page->msgBoxList->horizontalScrollBar()->isVisible());

    // Search opens a field wide enough to type in.
    SmsBoxView *boxes = page->boxView;
    ASSERT_TRUE(boxes);
    boxes->smsSearchBtn_->click();
    ASSERT_TRUE(QTest::qWaitFor([boxes] { return boxes->SearchSMS_item->isVisible(); }, kWaitMs));
    QTest::qWait(50);
    EXPECT_GE(boxes->SearchSMS_item->width(), boxes->SearchSMS_item->sizeHint().width());
}

TEST_F(DashboardWordingAndLayoutTest, OwnNumberIsWordedAndAboutOpensAWebPage)
{
    QStringList opened;
    YOVUIController::setUrlOpener([&opened](const QUrl &url) {
        opened << url.toString();
        return true;
    });
    launch("default.plist");
    ASSERT_TRUE(waitSimReady());

    QLabel *ownNumber = init()->tfdOwnNumUI_;
    ASSERT_TRUE(ownNumber);
    ASSERT_TRUE(QTest::qWaitFor([ownNumber] { return !ownNumber->text().isEmpty(); }, kWaitMs));
    EXPECT_EQ(ownNumber->text(), QStringLiteral("My number: +491701234567"));

    QAction *about = main()->menuItemNamed(QStringLiteral("About..."));
    ASSERT_TRUE(about);
    about->trigger();
    ASSERT_EQ(opened.size(), 1) << "About... opens nothing";
    const QUrl page(opened.first());
    EXPECT_TRUE(page.scheme() == QLatin1String("http") || page.scheme() == QLatin1String("https")) << opened.first().toStdString();
    EXPECT_FALSE(page.host().isEmpty());
}

} // namespace
