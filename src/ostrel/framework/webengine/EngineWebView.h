#pragma once
// The web view over Qt WebEngine (see WebView.h). The local-file rule holds for everything the
// engine loads: a navigation (typed, a link, a script, a form, a frame) is checked in the page's
// navigation hook, and every request of a page (images, style sheets, scripts, fetches) in its
// request hook; a refused local file is logged and not loaded. A page that asks for a new window
// has its address handed to the delegate (the user's browser by default), under the same rule.
// Script alerts and confirmations go through the dashboard's one alert presenter.
//
// A load that has not finished within networkTimeout() is stopped and reported as failed.

#include "ostrel/framework/widgets/WebView.h"

#include <QString>
#include <QTimer>

class QWebEngineView;

namespace ostrel {

class EngineWebView : public WebView {
public:
    explicit EngineWebView(QWidget *parent = nullptr);

    Capabilities capabilities() const override;
    void loadLocalFile(const QString &path) override;
    void loadUrl(const QUrl &url) override;
    void stopLoading() override;
    bool isLoading() const override { return loading_; }
    QUrl url() const override;
    QString title() const override;
    QString plainText() const override { return plainText_; }
    void evaluateJavaScript(const QString &script, std::function<void(const QVariant &)> done) override;

    QWebEngineView *engineView() const { return view_; }

protected:
    void applyScrolling(bool allows) override;

private:
    void load(const QUrl &url);
    void started();
    void finished(bool ok);
    void report(bool ok, const QString &error);
    void timedOut();

    QWebEngineView *view_;
    QTimer timeout_;
    QString plainText_;
    bool loading_ = false;
    bool timedOut_ = false;
};

} // namespace ostrel
