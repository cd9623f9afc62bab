#pragma once
// The operator content of the Internet view: the tab that follows the connection, the operator's
// embedded web views and the billboard image. The connection controller calls it at fixed moments
// of its roads (back to idle, connected, an image downloaded, the device removed); the feature that
// shows the content implements it and installs itself with DialController::setOperatorContent().
//
// DefaultDialOperatorContent: no operator web views or billboard, so nothing to switch, detach or
// show. With the split connection process (top-level EnableSplitConnectionProcess) it still opens the
// favourite links marked for the connection, once per connection: the connected roads may report
// "connected" more than once, and only the end of the connection re-arms it.

#include <QString>
#include <QVariantMap>

namespace ostrel {

class DialOperatorContentInterface {
public:
    virtual ~DialOperatorContentInterface() = default;

    // The connection came up or went back to idle: the view's tab follows it.
    virtual void switchInternetTabAction() = 0;
    // The connection went back to idle: the operator's embedded web views are taken away.
    virtual void detachSpecialWebview() = 0;
    // An NDIS connection came up, or the billboard image finished downloading: it is shown.
    virtual void imageDownloadFinishForBillboard() = 0;
    // The device was removed and the operator shows its background while disconnected (top-level
    // DisplayBackgroundWhileDisconnect): the background view and the embedded web views are hidden.
    virtual void hideBackgroundAndEmbeddedWebViews() = 0;

    // The first connected report of a PPP connection: the operator's first-connection actions.
    virtual void performActionWhenFirstConnected() {}
    // The first connected report of an NDIS connection: the operator's page of the first profile.
    virtual void launchURLAtFirstAPN() {}
    // A PPP connection went back to idle: the compact skin's manual-disconnect handling.
    virtual void smartUIManualDisconnect() {}
    // The program finished launching.
    virtual void applicationDidFinishLaunchingInDialController() {}

    // ---- start-up of the Internet view
    // The page of settings EmbedWebViewURL inside the view's embedded container (scrolling when
    // EnableAllowScrollOfWBV); the billboard arrows hidden, its default background shown.
    virtual void displayEmbeddedWebView(const QString &url, bool allowsScrolling)
    {
        (void)url;
        (void)allowsScrolling;
    }
    virtual void showDefaultBillboard() {}
    // The operator's start-up steps, in this order once the controller is set up.
    virtual void initSplitConnectionProcess() {}
    virtual void initAdContainerView() {}
    virtual void initWebDownloadAndLinkUpdateUtilitiesOfEntertain() {}
    // Only with the skin version that has favourite links.
    virtual void loadFavoritesLinkPropeties() {}

    // ---- notifications the Internet view follows for the operator content
    virtual void datausageRest() {}                                    // "btnDatausageRestCliked"
    virtual void setMsisdnNumberWithResult(const QVariantMap &result) { (void)result; } // xmlParseOver
    virtual void excuteWhenConnectServerError(const QVariantMap &info) { (void)info; } // connectServerError
    virtual void displayPhoneNumberForSmart() {}                       // DisplayPhoneNumberForSmart
    virtual void loadFavouriteBtnWebKitViews() {}                      // "loadFavouriteBtnWebKitViews"
};

class DefaultDialOperatorContent : public DialOperatorContentInterface {
public:
    void switchInternetTabAction() override;
    void detachSpecialWebview() override {}
    void imageDownloadFinishForBillboard() override {}
    void hideBackgroundAndEmbeddedWebViews() override {}
    // The first connected report of a PPP connection switches the view like the NDIS road does.
    void performActionWhenFirstConnected() override { switchInternetTabAction(); }

private:
    bool connectionLinksLaunched_ = false;
};

} // namespace ostrel
