#ifdef OSTREL_HAVE_WEBENGINE

#include "ostrel/framework/webengine/EngineWebView.h"

#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/widgets/WebViewUtilities.h"
#include "platform/alert/AlertPresenter.h"

#include <QLoggingCategory>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

namespace ostrel {

namespace {

Q_LOGGING_CATEGORY(lcEngine, "ostrel.webview")

// Whether the engine may load the address; a local file only from the allowed folders.
bool allowed(const QUrl &url, const QString &askedBy)
{
    return !url.isLocalFile() || WebViewUtilities::sharedManager()->checkLocalFile(url.toLocalFile(), askedBy);
}

bool knownScheme(const QUrl &url)
{
    static const QStringList schemes = {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file"),
                                        QStringLiteral("qrc"),  QStringLiteral("about"), QStringLiteral("data")};
    return schemes.contains(url.scheme().toLower());
}

// Every request of a page: images, style sheets, scripts, fetches, frames.
class LocalFileInterceptor : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (!allowed(info.requestUrl(), QStringLiteral("a request of a page")))
            info.block(true);
    }
};

class GuardedPage : public QWebEnginePage {
public:
    GuardedPage(EngineWebView *view) : QWebEnginePage(view), view_(view)
    {
        setUrlRequestInterceptor(new LocalFileInterceptor(this));
        connect(this, &QWebEnginePage::newWindowRequested, this, [this](QWebEngineNewWindowRequest &request) {
            const QUrl url = request.requestedUrl();
            if (!knownScheme(url) || !allowed(url, QStringLiteral("a new window of a page")))
                return;
            if (WebViewDelegate *delegate = view_->delegate())
                delegate->createWindowWithRequest(view_, url);
        });
    }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        if (!knownScheme(url)) {
            qCWarning(lcEngine).noquote() << QStringLiteral("refused to go to %1: unsupported address").arg(url.toString());
            return false;
        }
        const QString askedBy = type == NavigationTypeLinkClicked ? QStringLiteral("a link of a page")
                                : isMainFrame                     ? QStringLiteral("a page load")
                                                                  : QStringLiteral("a frame of a page");
        if (!allowed(url, askedBy))
            return false;
        if (isMainFrame && view_->delegate())
            return view_->delegate()->decidePolicyForNavigation(view_, url);
        return true;
    }

    void javaScriptAlert(const QUrl &, const QString &message) override
    {
        yov::AlertPresenter::shared().runAlert({title(), message, QString(), QString()});
    }

    bool javaScriptConfirm(const QUrl &, const QString &message) override
    {
        if (WebViewDelegate *delegate = view_->delegate())
            return delegate->runJavaScriptConfirm(view_, message);
        return yov::AlertPresenter::shared().runAlert({title(), message, QString(), Map_Name_Item_of_IndexString(QStringLiteral("Cancel"))})
               == yov::AlertPresenter::DefaultReturn;
    }

private:
    EngineWebView *view_;
};

} // namespace

EngineWebView::EngineWebView(QWidget *parent) : WebView(parent), view_(new QWebEngineView(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    view_->setPage(new GuardedPage(this));
    timeout_.setSingleShot(true);
    connect(&timeout_, &QTimer::timeout, this, [this] { timedOut(); });
    connect(view_, &QWebEngineView::loadStarted, this, [this] { started(); });
    connect(view_, &QWebEngineView::loadFinished, this, [this](bool ok) { finished(ok); });
    connect(view_, &QWebEngineView::titleChanged, this, [this](const QString &title) {
        if (delegate())
            delegate()->didReceiveTitle(this, title);
        emit titleChanged(title);
    });
}

WebView::Capabilities EngineWebView::capabilities() const
{
    Capabilities all;
    all.scripts = true;
    all.remoteSubresources = true;
    all.forms = true;
    return all;
}

QUrl EngineWebView::url() const
{
    return view_->url();
}

QString EngineWebView::title() const
{
    return view_->title();
}

void EngineWebView::loadLocalFile(const QString &path)
{
    load(QUrl::fromLocalFile(path));
}

void EngineWebView::loadUrl(const QUrl &url)
{
    load(url);
}

void EngineWebView::load(const QUrl &url)
{
    view_->load(url);
}

void EngineWebView::applyScrolling(bool allows)
{
    view_->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, allows);
}

void EngineWebView::stopLoading()
{
    timeout_.stop();
    view_->stop();
}

void EngineWebView::evaluateJavaScript(const QString &script, std::function<void(const QVariant &)> done)
{
    QPointer<EngineWebView> self(this);
    view_->page()->runJavaScript(script, [self, done](const QVariant &result) {
        if (self && done)
            done(result);
    });
}

void EngineWebView::started()
{
    loading_ = true;
    timedOut_ = false;
    timeout_.start(networkTimeout());
    if (delegate())
        delegate()->didStartProvisionalLoad(this);
    emit loadStarted();
}

void EngineWebView::timedOut()
{
    qCWarning(lcEngine).noquote() << QStringLiteral("%1 did not load within %2 s: stopped")
                                         .arg(view_->url().toString())
                                         .arg(networkTimeout() / 1000.0);
    timedOut_ = true;
    view_->stop();
}

void EngineWebView::finished(bool ok)
{
    timeout_.stop();
    if (timedOut_) {
        report(false, QStringLiteral("the page did not load within %1 s").arg(networkTimeout() / 1000.0));
        return;
    }
    if (!ok) {
        report(false, QStringLiteral("the page could not be loaded"));
        return;
    }
    // The page's text is read before the load is reported, so that plainText() is the page's.
    QPointer<EngineWebView> self(this);
    view_->page()->toPlainText([self](const QString &text) {
        if (!self)
            return;
        self->plainText_ = text;
        self->report(true, QString());
    });
}

void EngineWebView::report(bool ok, const QString &error)
{
    loading_ = false;
    if (WebViewDelegate *d = delegate()) {
        if (ok)
            d->didFinishLoad(this);
        else
            d->didFailProvisionalLoad(this, error);
    }
    emit loadFinished(ok);
}

} // namespace ostrel

#endif // OSTREL_HAVE_WEBENGINE
