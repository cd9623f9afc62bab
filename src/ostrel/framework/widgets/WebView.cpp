#include "ostrel/framework/widgets/TextBrowserWebView.h"
#include "ostrel/framework/widgets/WebViewUtilities.h"

#include "common/ModemListResolver.h"
#include "ostrel/framework/language/Lingrove.h"
#include "platform/alert/AlertPresenter.h"
#include "ostrel/framework/widgets/ResourcePaths.h"
#include "ostrel/framework/widgets/SkinFrame.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace ostrel {

namespace {
Q_LOGGING_CATEGORY(lcWeb, "ostrel.webview")
}

// --- delegate defaults -----------------------------------------------------------------------

bool WebViewDelegate::decidePolicyForNavigation(WebView *, const QUrl &url)
{
    qCInfo(lcWeb).noquote() << QStringLiteral("WebPolicyDecisionListener will loading URL:%1").arg(url.toString());
    return true;
}

void WebViewDelegate::createWindowWithRequest(WebView *, const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

bool WebViewDelegate::runJavaScriptConfirm(WebView *, const QString &message)
{
    return yov::AlertPresenter::shared().runAlert({Map_Name_Item_of_IndexString(QStringLiteral("JavaScript")), message,
                                                   Map_Name_Item_of_IndexString(QStringLiteral("OK")),
                                                   Map_Name_Item_of_IndexString(QStringLiteral("Cancel"))})
           == yov::AlertPresenter::DefaultReturn;
}

void WebViewDelegate::didStartProvisionalLoad(WebView *)
{
    qCInfo(lcWeb) << "webView did Start Provisional Load Frame";
}

void WebViewDelegate::didReceiveTitle(WebView *, const QString &title)
{
    qCInfo(lcWeb).noquote() << QStringLiteral("webView did Receive Title : %1").arg(title);
}

void WebViewDelegate::didFinishLoad(WebView *)
{
    qCInfo(lcWeb) << "webView did Finish Load Frame";
}

void WebViewDelegate::didFailProvisionalLoad(WebView *, const QString &error)
{
    qCInfo(lcWeb).noquote() << QStringLiteral("webView did Fail Provisional Load With Error :%1").arg(error);
}

// --- text-browser view -----------------------------------------------------------------------

namespace {

// A text browser whose pages load their images and style sheets only from the allowed folders.
class GuardedTextBrowser : public QTextBrowser {
public:
    explicit GuardedTextBrowser(QWidget *parent) : QTextBrowser(parent) {}
    // The address of the page shown (for pages set as HTML, which have no source of their own).
    QUrl page;

    QVariant loadResource(int type, const QUrl &name) override
    {
        const QUrl resolved = page.resolved(name);
        if (resolved.isLocalFile() || resolved.scheme().isEmpty()) {
            const QString path = resolved.isLocalFile() ? resolved.toLocalFile() : resolved.path();
            if (!WebViewUtilities::sharedManager()->checkLocalFile(path, QStringLiteral("a resource of a page")))
                return QVariant();
            return QTextBrowser::loadResource(type, QUrl::fromLocalFile(QFileInfo(path).canonicalFilePath()));
        }
        if (resolved.scheme() == QLatin1String("qrc"))
            return QTextBrowser::loadResource(type, resolved);
        return QVariant(); // remote resources are not fetched by this view
    }
};

} // namespace

TextBrowserWebView::TextBrowserWebView(QWidget *parent)
    : WebView(parent), browser_(new GuardedTextBrowser(this)), network_(new QNetworkAccessManager(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &TextBrowserWebView::linkActivated);
}

TextBrowserWebView::~TextBrowserWebView()
{
    if (reply_)
        reply_->abort();
}

QString TextBrowserWebView::title() const
{
    return browser_->documentTitle();
}

QString TextBrowserWebView::plainText() const
{
    return browser_->toPlainText();
}

void TextBrowserWebView::evaluateJavaScript(const QString &, std::function<void(const QVariant &)> done)
{
    if (done)
        QMetaObject::invokeMethod(this, [done] { done(QVariant()); }, Qt::QueuedConnection);
}

void TextBrowserWebView::applyScrolling(bool allows)
{
    const Qt::ScrollBarPolicy policy = allows ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    browser_->setVerticalScrollBarPolicy(policy);
    browser_->setHorizontalScrollBarPolicy(policy);
}

void TextBrowserWebView::stopLoading()
{
    if (reply_) {
        QNetworkReply *r = reply_;
        reply_ = nullptr;
        r->abort();
        r->deleteLater();
    }
}

void TextBrowserWebView::loadLocalFile(const QString &path)
{
    stopLoading();
    emit loadStarted();
    if (delegate())
        delegate()->didStartProvisionalLoad(this);
    url_ = QUrl::fromLocalFile(path);
    static_cast<GuardedTextBrowser *>(browser_)->page = url_;
    browser_->setSource(url_);
    shown(true);
}

void TextBrowserWebView::loadUrl(const QUrl &url)
{
    stopLoading();
    emit loadStarted();
    if (delegate())
        delegate()->didStartProvisionalLoad(this);
    url_ = url;
    if (url.scheme() == QLatin1String("qrc")) {
        static_cast<GuardedTextBrowser *>(browser_)->page = url;
        browser_->setSource(url);
        shown(!browser_->toPlainText().isEmpty(), QStringLiteral("no such resource"));
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::PreferCache);
    request.setTransferTimeout(networkTimeout());
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    reply_ = network_->get(request);
    QNetworkReply *reply = reply_;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finished(reply); });
    connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 received, qint64) {
        if (received > maxPageBytes) {
            reply->setProperty("tooLarge", true);
            reply->abort();
        }
    });
}

void TextBrowserWebView::finished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply != reply_)
        return; // stopped or replaced
    reply_ = nullptr;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->property("tooLarge").toBool()) {
        shown(false, QStringLiteral("the page is larger than %1 bytes").arg(maxPageBytes));
        return;
    }
    if (reply->error() != QNetworkReply::NoError || status >= 400) {
        shown(false, reply->errorString());
        return;
    }
    const QByteArray body = reply->readAll();
    QString charset = QStringLiteral("UTF-8");
    const QString type = reply->header(QNetworkRequest::ContentTypeHeader).toString();
    const int at = type.indexOf(QLatin1String("charset="), 0, Qt::CaseInsensitive);
    if (at >= 0)
        charset = type.mid(at + 8).section(QLatin1Char(';'), 0, 0).trimmed().remove(QLatin1Char('"'));
    QStringDecoder decoder(charset.toUtf8().constData());
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(body);
    url_ = reply->url();
    static_cast<GuardedTextBrowser *>(browser_)->page = url_;
    if (type.startsWith(QLatin1String("text/plain")))
        browser_->setPlainText(text);
    else
        browser_->setHtml(text);
    shown(true);
}

void TextBrowserWebView::shown(bool ok, const QString &error)
{
    if (!ok) {
        if (delegate())
            delegate()->didFailProvisionalLoad(this, error);
        emit loadFinished(false);
        return;
    }
    if (delegate()) {
        delegate()->didReceiveTitle(this, title());
        delegate()->didFinishLoad(this);
    }
    emit titleChanged(title());
    emit loadFinished(true);
}

void TextBrowserWebView::linkActivated(const QUrl &link)
{
    const QUrl target = url_.resolved(link);
    if (delegate() && !delegate()->decidePolicyForNavigation(this, target))
        return;
    WebViewUtilities::sharedManager()->LoadURL(target.toString(), this);
}

// --- utilities -------------------------------------------------------------------------------

WebViewUtilities *WebViewUtilities::sharedManager()
{
    static WebViewUtilities *shared = new WebViewUtilities;
    return shared;
}

namespace {
WebViewUtilities::WebViewFactory &webViewFactory()
{
    static WebViewUtilities::WebViewFactory factory;
    return factory;
}
} // namespace

void WebViewUtilities::setWebViewFactory(WebViewFactory factory)
{
    webViewFactory() = std::move(factory);
}

WebView *WebViewUtilities::createWebView(QWidget *parent)
{
    if (webViewFactory())
        return webViewFactory()(parent);
    return new TextBrowserWebView(parent);
}

WebView *WebViewUtilities::attachWebviewWithFrameRect(const QRectF &frame, QWidget *superview,
                                                      WebViewDelegate *delegate)
{
    if (frame.isEmpty() || !superview)
        return nullptr;
    WebView *view = createWebView(superview);
    view->setDelegate(delegate ? delegate : this);
    SkinFrame::setFrame(view, frame);
    view->show();
    return view;
}

void WebViewUtilities::detachSubWebview(WebView *view)
{
    if (!view)
        return;
    view->stopLoading();
    view->setDelegate(nullptr);
    view->setParent(nullptr);
    delete view;
}

QStringList WebViewUtilities::allowedFolders() const
{
    if (!allowedFolders_.isEmpty())
        return allowedFolders_;
    QStringList folders{ResourcePaths::resourcesPath()};
    const QString modemList = yov::ModemListResolver::modemListPath();
    if (!modemList.isEmpty())
        folders << modemList;
    return folders;
}

bool WebViewUtilities::isAllowedLocalPath(const QString &path) const
{
    const QString file = QFileInfo(path).canonicalFilePath();
    if (file.isEmpty())
        return false;
    for (const QString &folder : allowedFolders()) {
        const QString dir = QFileInfo(folder).canonicalFilePath();
        if (!dir.isEmpty() && file.startsWith(dir + QLatin1Char('/')))
            return true;
    }
    return false;
}

bool WebViewUtilities::checkLocalFile(const QString &path, const QString &askedBy) const
{
    if (isAllowedLocalPath(path))
        return true;
    qCWarning(lcWeb).noquote() << QStringLiteral("refused the local file %1 (asked for by %2): it lies outside %3")
                                      .arg(path, askedBy, allowedFolders().join(QStringLiteral(", ")));
    return false;
}

bool WebViewUtilities::LoadURL(const QString &pathOrUrl, WebView *view)
{
    if (pathOrUrl.isEmpty() || !view)
        return false;
    QString localPath;
    QUrl url;
    if (QFileInfo::exists(pathOrUrl)) {
        localPath = pathOrUrl;
    } else {
        url = QUrl(pathOrUrl);
        if (url.isLocalFile())
            localPath = url.toLocalFile();
    }
    if (!localPath.isEmpty()) {
        if (!checkLocalFile(localPath, QStringLiteral("a page load")))
            return false;
        view->loadLocalFile(QFileInfo(localPath).canonicalFilePath());
        return true;
    }
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https") && scheme != QLatin1String("qrc")) {
        qCWarning(lcWeb).noquote() << QStringLiteral("refused to show %1: unsupported address").arg(pathOrUrl);
        return false;
    }
    view->loadUrl(url);
    return true;
}

} // namespace ostrel
