#pragma once
// Web views of the dashboard behind one interface.
//
// The default view (built without OSTREL_WEBENGINE) is a text browser:
//  - shows local HTML, text and image files and qrc: pages;
//  - fetches http/https pages with QNetworkAccessManager (600 s time-out, cached data used when
//    present) and shows them as rich text;
//  - does not run scripts, does not load a remote page's images, style sheets or frames, and
//    does not submit forms (capabilities() says so; pages that need these do not work).
// Every navigation goes through the view's delegate; links are followed through
// WebViewUtilities::LoadURL, so the same local-folder rules apply to them.

#include <QPointer>
#include <QUrl>
#include <QWidget>

namespace ostrel {

class WebView;

class WebViewDelegate {
public:
    virtual ~WebViewDelegate() = default;
    // Whether the view may go to the URL (default: every navigation is allowed and logged).
    virtual bool decidePolicyForNavigation(WebView *view, const QUrl &url);
    // A request for a new window (default: the URL opens in the user's browser).
    virtual void createWindowWithRequest(WebView *view, const QUrl &url);
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

    explicit WebView(QWidget *parent = nullptr) : QWidget(parent) {}

    virtual Capabilities capabilities() const = 0;
    // Loads an already checked local file, a qrc: page or a remote page.
    virtual void loadLocalFile(const QString &path) = 0;
    virtual void loadUrl(const QUrl &url) = 0;
    virtual void stopLoading() = 0;
    virtual bool isLoading() const = 0;
    virtual QUrl url() const = 0;
    virtual QString title() const = 0;
    // The shown page as plain text.
    virtual QString plainText() const = 0;

    void setDelegate(WebViewDelegate *delegate) { delegate_ = delegate; }
    WebViewDelegate *delegate() const { return delegate_; }

signals:
    void loadStarted();
    void loadFinished(bool ok);
    void titleChanged(const QString &title);

private:
    WebViewDelegate *delegate_ = nullptr;
};

} // namespace ostrel
