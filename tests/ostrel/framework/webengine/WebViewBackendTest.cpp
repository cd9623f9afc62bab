// The rules every web view keeps, on each backend of this build (the text browser always, the
// browser engine where the build has it): local pages from the resource folder show; a local file
// outside the allowed folders is refused, also when a page's link, script or image asks for it;
// a remote load gives up after the time-out. Then what only the engine does: scripts, and a
// remote page's image and style sheet.
#include "ostrel/framework/webengine/WebEngineSetup.h"
#include "ostrel/framework/widgets/ResourcePaths.h"
#include "ostrel/framework/widgets/TextBrowserWebView.h"
#include "ostrel/framework/widgets/WebViewUtilities.h"
#include "support/LocalHttpServer.h"
#include "support/ScriptedAlertPresenter.h"
#include "support/TestPaths.h"

#ifdef OSTREL_HAVE_WEBENGINE
#include "ostrel/framework/webengine/EngineWebView.h"

#include <QWebEngineSettings>
#include <QWebEngineView>
#endif

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QNetworkProxy>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <atomic>

using namespace ostrel;
using testing_support::LocalHttpServer;

namespace {

constexpr int kWaitMs = 20000;

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QByteArray png(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(40, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Counts the refusals of local files that the web views log.
std::atomic<int> g_refusals{0};
void countRefusals(QtMsgType, const QMessageLogContext &, const QString &message)
{
    if (message.startsWith(QLatin1String("refused")))
        ++g_refusals;
}

// The engine's sandbox cannot run as root, and these tests may: they switch it off for themselves
// (the program does so only when it runs as root, WebEngineSetup).
const bool kSandboxOff = qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

struct RecordingDelegate : WebViewDelegate {
    QStringList events;
    void didStartProvisionalLoad(WebView *) override { events << QStringLiteral("start"); }
    void didFinishLoad(WebView *) override { events << QStringLiteral("finish"); }
    void didFailProvisionalLoad(WebView *, const QString &) override { events << QStringLiteral("fail"); }
};

enum class Backend { TextBrowser, Engine };

std::string backendName(const ::testing::TestParamInfo<Backend> &info)
{
    return info.param == Backend::Engine ? "Engine" : "TextBrowser";
}

class WebViewBackendTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        // The default allowed folders: the program's resources (here a temporary one) and the
        // ModemList folder.
        ResourcePaths::setResourcesPath(resources_.path());
        WebViewUtilities::sharedManager()->setAllowedFolders({});
        writeFile(outsideFile("secret.html"), "<html><body>outside page</body></html>");
        writeFile(outsideFile("secret.png"), png(7, 5));
        parent_.resize(500, 400);
        view_ = make();
        view_->setDelegate(&delegate_);
        view_->setGeometry(0, 0, 500, 400);
        previousHandler_ = qInstallMessageHandler(countRefusals);
        g_refusals = 0;
    }
    void TearDown() override
    {
        qInstallMessageHandler(previousHandler_);
        delete view_;
        ResourcePaths::setResourcesPath(QString());
    }

    WebView *make()
    {
#ifdef OSTREL_HAVE_WEBENGINE
        if (GetParam() == Backend::Engine)
            return new EngineWebView(&parent_);
#endif
        return new TextBrowserWebView(&parent_);
    }

    QString resourceFile(const char *name) const { return resources_.filePath(QLatin1String(name)); }
    QString outsideFile(const char *name) const { return outside_.filePath(QLatin1String(name)); }

    // Loads through the shared utility and waits for the end of the load; its success.
    bool load(const QString &pathOrUrl)
    {
        QSignalSpy finished(view_, &WebView::loadFinished);
        if (!WebViewUtilities::sharedManager()->LoadURL(pathOrUrl, view_))
            return false;
        // (the text browser shows a local page before LoadURL returns)
        if (finished.isEmpty() && !finished.wait(kWaitMs))
            return false;
        return finished.first().first().toBool();
    }

    QVariant evaluate(const QString &script)
    {
        QVariant result;
        bool done = false;
        view_->evaluateJavaScript(script, [&](const QVariant &value) {
            result = value;
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, kWaitMs)) << qPrintable(script);
        return result;
    }

    QTemporaryDir resources_, outside_;
    QWidget parent_;
    WebView *view_ = nullptr;
    RecordingDelegate delegate_;
    QtMessageHandler previousHandler_ = nullptr;
};

} // namespace

TEST_P(WebViewBackendTest, LocalPageFromTheResourceFolderShows)
{
    writeFile(resourceFile("index.html"), "<html><head><title>Home</title></head><body><p>Welcome home</p></body></html>");
    ASSERT_TRUE(load(resourceFile("index.html")));
    EXPECT_EQ(view_->title(), QStringLiteral("Home"));
    EXPECT_TRUE(view_->plainText().contains(QStringLiteral("Welcome home"))) << qPrintable(view_->plainText());
    EXPECT_EQ(delegate_.events.first(), QStringLiteral("start"));
    EXPECT_EQ(delegate_.events.last(), QStringLiteral("finish"));
    EXPECT_EQ(g_refusals.load(), 0);
}

TEST_P(WebViewBackendTest, ScrollingCanBeSwitchedOffForAFixedBanner)
{
    const auto scrollBarsShown = [this] {
#ifdef OSTREL_HAVE_WEBENGINE
        if (auto *engine = dynamic_cast<EngineWebView *>(view_))
            return engine->engineView()->settings()->testAttribute(QWebEngineSettings::ShowScrollBars);
#endif
        QTextBrowser *browser = static_cast<TextBrowserWebView *>(view_)->browser();
        return browser->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff
               && browser->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
    };
    EXPECT_TRUE(view_->allowsScrolling());
    EXPECT_TRUE(scrollBarsShown());
    view_->setAllowsScrolling(false);
    EXPECT_FALSE(view_->allowsScrolling());
    EXPECT_FALSE(scrollBarsShown());
    view_->setAllowsScrolling(true);
    EXPECT_TRUE(scrollBarsShown());
}

TEST_P(WebViewBackendTest, LocalFilesOutsideTheAllowedFoldersAreRefusedAlsoWhenAPageAsks)
{
    const QUrl secret = QUrl::fromLocalFile(outsideFile("secret.html"));
    const QUrl secretImage = QUrl::fromLocalFile(outsideFile("secret.png"));
    writeFile(resourceFile("page.html"),
              "<html><head><title>Inside</title></head><body><p>inside page</p>"
              "<a id=\"out\" href=\"" + secret.toEncoded() + "\">out</a>"
              "<img id=\"own\" src=\"own.png\"><img id=\"stolen\" src=\"" + secretImage.toEncoded() + "\"></body></html>");
    writeFile(resourceFile("own.png"), png(3, 2));

    EXPECT_FALSE(WebViewUtilities::sharedManager()->LoadURL(outsideFile("secret.html"), view_));
    EXPECT_FALSE(WebViewUtilities::sharedManager()->LoadURL(secret.toString(), view_));
    EXPECT_EQ(g_refusals.load(), 2);

    ASSERT_TRUE(load(resourceFile("page.html")));
    if (GetParam() == Backend::Engine) {
        // The page's own image loads, the one from outside does not.
        EXPECT_EQ(evaluate(QStringLiteral("document.getElementById('own').naturalWidth")).toInt(), 3);
        EXPECT_EQ(evaluate(QStringLiteral("document.getElementById('stolen').naturalWidth")).toInt(), 0);
        // A click on the link, and a script that goes there, stay on the page.
        evaluate(QStringLiteral("document.getElementById('out').click(); true"));
        evaluate(QStringLiteral("window.location.href = '%1'; true").arg(secret.toString()));
        QTest::qWait(1000);
    } else {
        auto *browser = static_cast<TextBrowserWebView *>(view_)->browser();
        EXPECT_FALSE(browser->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("own.png"))).isNull());
        EXPECT_TRUE(browser->loadResource(QTextDocument::ImageResource, secretImage).isNull());
        emit browser->anchorClicked(secret);
        EXPECT_TRUE(evaluate(QStringLiteral("1")).isNull()) << "the text browser runs no scripts";
    }
    EXPECT_EQ(view_->url(), QUrl::fromLocalFile(QFileInfo(resourceFile("page.html")).canonicalFilePath()));
    EXPECT_TRUE(view_->plainText().contains(QStringLiteral("inside page")));
    EXPECT_FALSE(view_->plainText().contains(QStringLiteral("outside page")));
    EXPECT_GE(g_refusals.load(), 4) << "each refusal is logged";
}

TEST_P(WebViewBackendTest, RemoteLoadGivesUpAfterTheTimeOut)
{
    LocalHttpServer server;
    server.route("/stalls", {QByteArray(), "text/html", "200 OK", true});
    view_->setNetworkTimeout(500);
    EXPECT_FALSE(load(server.url("/stalls")));
    EXPECT_EQ(delegate_.events.last(), QStringLiteral("fail"));
    EXPECT_FALSE(view_->isLoading());
}

INSTANTIATE_TEST_SUITE_P(EachBackend, WebViewBackendTest,
#ifdef OSTREL_HAVE_WEBENGINE
                         ::testing::Values(Backend::TextBrowser, Backend::Engine),
#else
                         ::testing::Values(Backend::TextBrowser),
#endif
                         backendName);

#ifdef OSTREL_HAVE_WEBENGINE

class EngineOnlyTest : public WebViewBackendTest {};

TEST_P(EngineOnlyTest, ScriptWritesIntoThePageAndIsReadBack)
{
    writeFile(resourceFile("script.html"),
              "<html><body><p id=\"target\">before</p>"
              "<script>document.getElementById('target').textContent = 'written by script';</script></body></html>");
    ASSERT_TRUE(load(resourceFile("script.html")));
    EXPECT_EQ(evaluate(QStringLiteral("document.getElementById('target').textContent")).toString(),
              QStringLiteral("written by script"));
    EXPECT_TRUE(view_->plainText().contains(QStringLiteral("written by script")));
    EXPECT_TRUE(view_->capabilities().scripts);
}

TEST_P(EngineOnlyTest, RemotePageLoadsItsImageAndStyleSheet)
{
    LocalHttpServer server;
    server.route("/page.html", {"<html><head><title>Operator</title><link rel=\"stylesheet\" href=\"style.css\"></head>"
                                "<body><p id=\"offer\">Offer</p><img id=\"banner\" src=\"banner.png\"></body></html>"});
    server.route("/style.css", {"#offer { color: rgb(1, 2, 3); }", "text/css"});
    server.route("/banner.png", {png(12, 4), "image/png"});
    ASSERT_TRUE(load(server.url("/page.html")));
    EXPECT_EQ(view_->title(), QStringLiteral("Operator"));
    EXPECT_EQ(evaluate(QStringLiteral("document.getElementById('banner').naturalWidth")).toInt(), 12);
    EXPECT_EQ(evaluate(QStringLiteral("getComputedStyle(document.getElementById('offer')).color")).toString(),
              QStringLiteral("rgb(1, 2, 3)"));
    EXPECT_TRUE(server.requested.contains("/style.css"));
    EXPECT_TRUE(server.requested.contains("/banner.png"));
}

TEST_P(EngineOnlyTest, ScriptConfirmAsksTheDelegateWhoseDefaultShowsTheAlert)
{
    testing_support::ScriptedAlertPresenter presenter;
    yov::ScopedAlertPresenter scoped(&presenter);
    view_->setDelegate(nullptr);
    struct : WebViewDelegate {} plain; // the default confirm
    view_->setDelegate(&plain);
    writeFile(resourceFile("confirm.html"), "<html><body>confirm</body></html>");
    ASSERT_TRUE(load(resourceFile("confirm.html")));
    presenter.pressNext(testing_support::ScriptedAlertPresenter::Alternate);
    EXPECT_EQ(evaluate(QStringLiteral("confirm('Leave the page?') ? 'yes' : 'no'")).toString(), QStringLiteral("no"));
    presenter.pressNext(testing_support::ScriptedAlertPresenter::Default);
    EXPECT_EQ(evaluate(QStringLiteral("confirm('Again?') ? 'yes' : 'no'")).toString(), QStringLiteral("yes"));
    ASSERT_EQ(presenter.count(), 2);
    const yov::AlertRequest &asked = presenter.shown().first();
    EXPECT_EQ(asked.title, QStringLiteral("JavaScript"));
    EXPECT_EQ(asked.message, QStringLiteral("Leave the page?"));
    EXPECT_EQ(asked.defaultButton, QStringLiteral("OK"));
    EXPECT_EQ(asked.alternateButton, QStringLiteral("Cancel"));
    view_->setDelegate(&delegate_);
}

INSTANTIATE_TEST_SUITE_P(Engine, EngineOnlyTest, ::testing::Values(Backend::Engine), backendName);

#endif // OSTREL_HAVE_WEBENGINE

TEST(WebEngineSetupTest, SandboxIsSwitchedOffOnlyForRootAndOnlyWhenNotChosen)
{
    EXPECT_TRUE(WebEngineSetup::sandboxMustBeSwitchedOff(true, false));
    EXPECT_FALSE(WebEngineSetup::sandboxMustBeSwitchedOff(true, true));
    EXPECT_FALSE(WebEngineSetup::sandboxMustBeSwitchedOff(false, false));
    EXPECT_FALSE(WebEngineSetup::sandboxMustBeSwitchedOff(false, true));

    // The installed backend is what new views are made of.
    QWidget parent;
    EXPECT_EQ(WebEngineSetup::installWebViews(), WebEngineSetup::available());
    std::unique_ptr<WebView> made(WebViewUtilities::createWebView(&parent));
    EXPECT_EQ(made->capabilities().scripts, WebEngineSetup::available());
    WebEngineSetup::uninstallWebViews();
    std::unique_ptr<WebView> fallback(WebViewUtilities::createWebView(&parent));
    EXPECT_FALSE(fallback->capabilities().scripts);
}
