#include "ostrel/framework/widgets/ResourcePaths.h"
#include "ostrel/framework/widgets/SkinFrame.h"
#include "ostrel/framework/widgets/TextBrowserWebView.h"
#include "ostrel/framework/widgets/WebViewUtilities.h"
#include "support/LocalHttpServer.h"

#include <QDir>
#include <QFile>
#include <QNetworkProxy>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace ostrel;

namespace {

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// The operator's page, a missing one (404) and one beyond the size limit.
void routeOperatorPages(testing_support::LocalHttpServer &server)
{
    server.route("/page", {"<html><head><title>Operator page</title></head>"
                           "<body><p>Hello from the operator \xc3\xa9</p></body></html>"});
    server.route("/huge", {QByteArray(TextBrowserWebView::maxPageBytes + 4096, 'x')});
}

struct RecordingDelegate : WebViewDelegate {
    QStringList events;
    void didStartProvisionalLoad(WebView *) override { events << QStringLiteral("start"); }
    void didReceiveTitle(WebView *, const QString &t) override { events << QStringLiteral("title:") + t; }
    void didFinishLoad(WebView *) override { events << QStringLiteral("finish"); }
    void didFailProvisionalLoad(WebView *, const QString &) override { events << QStringLiteral("fail"); }
};

struct WebFixture : ::testing::Test {
    QTemporaryDir allowed, outside;
    QWidget parent;
    WebView *view = nullptr;
    RecordingDelegate delegate;

    void SetUp() override
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        WebViewUtilities::sharedManager()->setAllowedFolders({allowed.path()});
        parent.resize(400, 300);
        view = WebViewUtilities::sharedManager()->attachWebviewWithFrameRect(QRectF(10, 20, 300, 200), &parent,
                                                                             &delegate);
        ASSERT_NE(view, nullptr);
        writeFile(allowed.path() + QStringLiteral("/page.html"),
                  "<html><head><title>Local</title></head><body>inside page</body></html>");
        writeFile(outside.path() + QStringLiteral("/secret.html"), "<html><body>outside page</body></html>");
    }
    void TearDown() override { WebViewUtilities::sharedManager()->setAllowedFolders({}); }
};

} // namespace

TEST_F(WebFixture, AttachAndDetach)
{
    EXPECT_EQ(SkinFrame::frame(view), QRectF(10, 20, 300, 200));
    EXPECT_EQ(view->parentWidget(), &parent);
    EXPECT_EQ(view->delegate(), &delegate);
    EXPECT_FALSE(view->capabilities().scripts);
    EXPECT_TRUE(view->capabilities().remotePages);
    auto *utilities = WebViewUtilities::sharedManager();
    EXPECT_EQ(utilities, WebViewUtilities::sharedManager());
    EXPECT_EQ(utilities->attachWebviewWithFrameRect(QRectF(), &parent, nullptr), nullptr);
    EXPECT_EQ(utilities->attachWebviewWithFrameRect(QRectF(0, 0, 10, 10), nullptr, nullptr), nullptr);
    WebView *plain = utilities->attachWebviewWithFrameRect(QRectF(0, 0, 10, 10), &parent, nullptr);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->delegate(), utilities);
    QPointer<WebView> watch(plain);
    utilities->detachSubWebview(plain);
    EXPECT_TRUE(watch.isNull());
    EXPECT_FALSE(utilities->LoadURL(QString(), view));
    EXPECT_FALSE(utilities->LoadURL(QStringLiteral("http://127.0.0.1/"), nullptr));
}

TEST_F(WebFixture, LocalFilesOnlyFromTheAllowedFolders)
{
    auto *u = WebViewUtilities::sharedManager();
    EXPECT_TRUE(u->LoadURL(allowed.path() + QStringLiteral("/page.html"), view));
    EXPECT_TRUE(view->plainText().contains(QStringLiteral("inside page")));
    EXPECT_EQ(view->title(), QStringLiteral("Local"));
    EXPECT_EQ(delegate.events, (QStringList{QStringLiteral("start"), QStringLiteral("title:Local"), QStringLiteral("finish")}));

    const QString secret = outside.path() + QStringLiteral("/secret.html");
    QFile::link(secret, allowed.path() + QStringLiteral("/link.html"));
    const QString refused[] = {
        secret,
        QUrl::fromLocalFile(secret).toString(),
        allowed.path() + QStringLiteral("/../") + QDir(outside.path()).dirName() + QStringLiteral("/secret.html"),
        allowed.path() + QStringLiteral("/link.html"), // a link that leads outside
        allowed.path() + QStringLiteral("/missing.html"),
        QStringLiteral("ftp://127.0.0.1/file"),
    };
    for (const QString &path : refused) {
        EXPECT_FALSE(u->LoadURL(path, view)) << path.toStdString();
        EXPECT_FALSE(view->plainText().contains(QStringLiteral("outside page"))) << path.toStdString();
    }
    EXPECT_TRUE(view->plainText().contains(QStringLiteral("inside page")));

    // a link in a shown page goes through the same rule
    auto *browser = static_cast<TextBrowserWebView *>(view)->browser();
    emit browser->anchorClicked(QUrl::fromLocalFile(secret));
    EXPECT_TRUE(view->plainText().contains(QStringLiteral("inside page")));

    // a file URL inside an allowed folder loads
    EXPECT_TRUE(u->LoadURL(QUrl::fromLocalFile(allowed.path() + QStringLiteral("/page.html")).toString(), view));
}

TEST_F(WebFixture, DefaultFoldersAreTheResourcesAndTheModemList)
{
    auto *u = WebViewUtilities::sharedManager();
    u->setAllowedFolders({});
    ResourcePaths::setResourcesPath(allowed.path());
    EXPECT_TRUE(u->allowedFolders().contains(allowed.path()));
    EXPECT_TRUE(u->LoadURL(allowed.path() + QStringLiteral("/page.html"), view));
    EXPECT_FALSE(u->LoadURL(outside.path() + QStringLiteral("/secret.html"), view));
    ResourcePaths::setResourcesPath(QString());
}

TEST_F(WebFixture, ShowsAPageFromALocalHttpServer)
{
    testing_support::LocalHttpServer server;
    routeOperatorPages(server);
    QSignalSpy finished(view, &WebView::loadFinished);
    ASSERT_TRUE(WebViewUtilities::sharedManager()->LoadURL(server.url("/page"), view));
    EXPECT_TRUE(view->isLoading());
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(finished.first().first().toBool());
    EXPECT_EQ(view->title(), QStringLiteral("Operator page"));
    EXPECT_TRUE(view->plainText().contains(QString::fromUtf8("Hello from the operator \xc3\xa9")));
    EXPECT_EQ(delegate.events.last(), QStringLiteral("finish"));

    finished.clear();
    ASSERT_TRUE(WebViewUtilities::sharedManager()->LoadURL(server.url("/gone"), view));
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(finished.first().first().toBool());
    EXPECT_EQ(delegate.events.last(), QStringLiteral("fail"));
    EXPECT_TRUE(view->plainText().contains(QStringLiteral("Hello from the operator"))); // the old page stays
    EXPECT_EQ(server.requested.size(), 2);

    // a page beyond the size limit is not shown
    finished.clear();
    ASSERT_TRUE(WebViewUtilities::sharedManager()->LoadURL(server.url("/huge"), view));
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(finished.first().first().toBool());
    EXPECT_TRUE(view->plainText().contains(QStringLiteral("Hello from the operator")));
}
