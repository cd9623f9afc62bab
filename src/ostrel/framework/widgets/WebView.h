#pragma once
// Web views of the dashboard behind one interface, with two backends:
//
//  - Qt WebEngine (built with OSTREL_WEBENGINE, the default where Qt WebEngine is installed;
//    src/ostrel/framework/webengine): a browser engine that runs scripts and loads style sheets,
//    images, frames and forms.
//  - A text browser (TextBrowserWebView.h), the fallback: local HTML, text and image files, qrc:
//    pages, and http/https pages fetched with QNetworkAccessManager and shown as rich text; it
//    runs no scripts, loads none of a remote page's images, style sheets or frames and submits no
//    forms (capabilities() says so).
//
// Both keep the same rules: local files only from the allowed folders (WebViewUtilities), also
// for a link, a script, a frame or an image of a page; remote loads end after networkTimeout()
// (600 s unless set). Every navigation goes through the view's delegate.

#include <QPointer>
#include <QUrl>
#include <QVariant>
#include <QWidget>

#include <functional>

namespace ostrel {

class WebView;

class WebViewDelegate {
public:
    virtual ~WebViewDelegate() = default;
    // Whether the view may go to the URL (default: every navigation is allowed and logged).
    virtual bool decidePolicyForNavigation(WebView *view, const QUrl &url);
    // A request for a new window (default: the URL opens in the user's browser).
    virtual void createWindowWithRequest(WebView *view, const QUrl &url);
    // A page's script asks confirm(message) (only a backend that runs scripts asks); the answer
    // goes back to the script. Default: an alert titled "JavaScript" with the message, "OK" and
    // "Cancel"; true for "OK".
    virtual bool runJavaScriptConfirm(WebView *view, const QString &message);
    virtual void didStartProvisionalLoad(WebView *view);
    virtual void didReceiveTitle(WebView *view, const QString &title);
    virtual void didFinishLoad(WebView *view);
    virtual void didFailProvisionalLoad(WebView *view, const QString &error);
};

class WebView : public QWidget {
    Q_OBJECT
public:
    struct Capabilities {
        bool localFiles = true;           // local files (inside the allowed folders) and qrc:
        bool remotePages = true;          // http and https pages
        bool scripts = false;             // JavaScript
        bool remoteSubresources = false;  // images, style sheets, frames of remote pages
        bool forms = false;               // form submission
    };

    // How long a load may take before it is given up.
    static constexpr int kNetworkTimeoutMs = 600 * 1000;

    explicit WebView(QWidget *parent = nullptr) : QWidget(parent) {}

    virtual Capabilities capabilities() const = 0;
    // Loads an already checked local file, a qrc: page or a remote page.
    virtual void loadLocalFile(const QString &path) = 0;
    virtual void loadUrl(const QUrl &url) = 0;
    virtual void stopLoading() = 0;
    virtual bool isLoading() const = 0;
    virtual QUrl url() const = 0;
    virtual QString title() const = 0;
    // The shown page as plain text (as it was when its load finished).
    virtual QString plainText() const = 0;
    // Runs a script in the shown page and hands its result to done (on the main thread, later);
    // a backend without scripts hands an invalid QVariant.
    virtual void evaluateJavaScript(const QString &script, std::function<void(const QVariant &)> done) = 0;

    void setNetworkTimeout(int ms) { networkTimeoutMs_ = ms; }
    int networkTimeout() const { return networkTimeoutMs_; }

    void setDelegate(WebViewDelegate *delegate) { delegate_ = delegate; }
    WebViewDelegate *delegate() const { return delegate_; }

    // Whether the page scrolls inside the view (scroll bars shown); a fixed banner does not.
    void setAllowsScrolling(bool allows)
    {
        allowsScrolling_ = allows;
        applyScrolling(allows);
    }
    bool allowsScrolling() const { return allowsScrolling_; }

signals:
    void loadStarted();
    void loadFinished(bool ok);
    void titleChanged(const QString &title);

protected:
    virtual void applyScrolling(bool allows) { (void)allows; }

private:
    WebViewDelegate *delegate_ = nullptr;
    int networkTimeoutMs_ = kNetworkTimeoutMs;
    bool allowsScrolling_ = true;
};

} // namespace ostrel
