#pragma once
// The shared web-view utility: makes and removes web views, loads pages into them and is their
// default delegate (it allows every navigation and logs the loads).
//
// Local files load only from the allowed folders (by default the program's resources folder,
// <prefix>/share/ostrel, and the ModemList folder, where operator content is kept and
// downloaded); any other local path is refused and logged.

#include "ostrel/framework/widgets/WebView.h"

#include <QObject>
#include <QRectF>
#include <QStringList>

#include <functional>

namespace ostrel {

class WebViewUtilities : public QObject, public WebViewDelegate {
    Q_OBJECT
public:
    static WebViewUtilities *sharedManager();

    // A new web view with the skin frame in the superview, whose delegate is the given one or,
    // when null, this object. Null for an empty frame or a null superview.
    WebView *attachWebviewWithFrameRect(const QRectF &frame, QWidget *superview, WebViewDelegate *delegate);
    // Stops loading, clears the delegate, removes the view and deletes it.
    void detachSubWebview(WebView *view);
    // An existing local path (or a file: URL) loads as a file when it lies in an allowed folder;
    // anything else loads as a URL. False when nothing was loaded (null arguments, a refused
    // local file, an unsupported scheme).
    bool LoadURL(const QString &pathOrUrl, WebView *view);

    QStringList allowedFolders() const;
    // Replaces the allowed folders; an empty list restores the defaults.
    void setAllowedFolders(const QStringList &folders) { allowedFolders_ = folders; }
    bool isAllowedLocalPath(const QString &path) const;
    // isAllowedLocalPath, with a refusal logged: what was refused and who asked (for instance
    // "a link of a page").
    bool checkLocalFile(const QString &path, const QString &askedBy) const;

    // A web view of the kind this program makes: the installed factory's (the browser engine's,
    // DashboardAssembly), else the text browser.
    using WebViewFactory = std::function<WebView *(QWidget *parent)>;
    static void setWebViewFactory(WebViewFactory factory);
    static WebView *createWebView(QWidget *parent = nullptr);

private:
    WebViewUtilities() = default;
    QStringList allowedFolders_;
};

} // namespace ostrel
