#pragma once
// The fallback web view: a QTextBrowser (see WebView.h for what it can and cannot show). The
// resources a shown page names (images, style sheets) load only from the allowed local folders;
// nothing of a remote page but the page itself is fetched.

#include "ostrel/framework/widgets/WebView.h"

#include <QPointer>

class QNetworkAccessManager;
class QNetworkReply;
class QTextBrowser;

namespace ostrel {

class TextBrowserWebView : public WebView {
    Q_OBJECT
public:
    // A remote page larger than this is not shown (the fetch is abandoned).
    static constexpr qint64 maxPageBytes = 8 * 1024 * 1024;

    explicit TextBrowserWebView(QWidget *parent = nullptr);
    ~TextBrowserWebView() override;

    Capabilities capabilities() const override { return {}; }
    void loadLocalFile(const QString &path) override;
    void loadUrl(const QUrl &url) override;
    void stopLoading() override;
    bool isLoading() const override { return !reply_.isNull(); }
    QUrl url() const override { return url_; }
    QString title() const override;
    QString plainText() const override;
    void evaluateJavaScript(const QString &script, std::function<void(const QVariant &)> done) override;

    QTextBrowser *browser() const { return browser_; }

protected:
    void applyScrolling(bool allows) override;

private:
    void finished(QNetworkReply *reply);
    void linkActivated(const QUrl &link);
    void shown(bool ok, const QString &error = QString());

    QTextBrowser *browser_;
    QNetworkAccessManager *network_;
    QPointer<QNetworkReply> reply_;
    QUrl url_;
};

} // namespace ostrel
