#pragma once
// The operator content of the Internet view (DialOperatorContentInterface), installed on the
// connection controller by the assembly:
//
//  - the split connection page: a page before connecting ("PreInternet") and one after
//    ("PostInternet") with the operator's promotion and home-page web views, six favourite link
//    buttons (FavoriteLinks.plist) and six fixed ones, the favourite hint, and a refresh of the
//    link icons 5 s after each connection;
//  - the special web view (WebViewURL), the embedded page (EmbedWebViewURL), the advertisement
//    image (AddVuroAdView), the billboard that rolls while connected, the launch page;
//  - the first-connected actions: the page for the profile and for the IMSI, the web backgrounds,
//    the subscriber number by SOAP, the compact skin's pages and status line;
//  - the link policy every operator web view's delegate consults.
// Every feature is switched by its settings key; without them the view stays plain. Timers run on
// the controller's clock.
#include "ostrel/connection/dial/DialOperatorContentInterface.h"
#include "ostrel/connection/dial/OperatorContentRules.h"
#include "ostrel/framework/widgets/FavoriteIconHintWindow.h"
#include "ostrel/framework/widgets/WebLinkImageView.h"
#include "ostrel/framework/widgets/WebView.h"
#include "ostrel/framework/widgets/WeblinkButton.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QVBoxLayout>

#include <memory>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;

class QWidget;

namespace ostrel {

class DialController;
class SoapClient;
class WeblinkUpdateUtilities;
class DownloadUtilities;

class DialOperatorContent : public QObject, public DialOperatorContentInterface, public WebViewDelegate {
    Q_OBJECT
public:
    static constexpr int kUpdateWebLinkDelayMs = 5000;
    static constexpr int kBillboardIntervalMs = 3000;

    // The updater and downloader are the shared ones unless given (tests).
    explicit DialOperatorContent(DialController *dial, WeblinkUpdateUtilities *updater = nullptr,
                                 DownloadUtilities *downloader = nullptr);
    ~DialOperatorContent() override;

    // Builds the operator part of the Internet page into the page (below what it holds).
    void installInto(QWidget *internetPage);
    QWidget *view() const { return view_; }

    // ---- DialOperatorContentInterface
    void switchInternetTabAction() override;
    void detachSpecialWebview() override;
    void imageDownloadFinishForBillboard() override;
    void hideBackgroundAndEmbeddedWebViews() override;
    void performActionWhenFirstConnected() override;
    void launchURLAtFirstAPN() override;
    void smartUIManualDisconnect() override;
    void displayEmbeddedWebView(const QString &url, bool allowsScrolling) override;
    void showDefaultBillboard() override;
    void initSplitConnectionProcess() override;
    void initAdContainerView() override;
    void initWebDownloadAndLinkUpdateUtilitiesOfEntertain() override;
    void loadFavoritesLinkPropeties() override;
    void datausageRest() override;
    void setMsisdnNumberWithResult(const QVariantMap &result) override;
    void excuteWhenConnectServerError(const QVariantMap &info) override;
    void displayPhoneNumberForSmart() override;
    void loadFavouriteBtnWebKitViews() override;

    // ---- WebViewDelegate: the operator's link policy
    bool decidePolicyForNavigation(WebView *view, const QUrl &url) override;
    void createWindowWithRequest(WebView *view, const QUrl &url) override;

    // ---- split page
    bool isSplitConnectionProcessEnabled() const;
    bool shouldSwitchToInternetState() const;
    void switchToInternetState();
    QString selectedInternetTab() const; // "PreInternet" / "PostInternet"
    void attachWebviewWithDelegates();
    void detachWebviews();
    void loadCurrentIconAndFlash();
    void loadIconImageAccordingProperty(const QVariantMap &entry);
    void LoadFlash(const QString &path, WebView *view);
    void UpdateWebLinkTimerFired();
    // UpdateWebLinkTimerFired in 5 s (a later call moves it).
    void scheduleWebLinkUpdate();
    void initCustomWeblinks();
    void performSwitchTabActionForRorira(int index);

    // ---- hint
    void hintFavoriteIconConfigrable();
    void closefavoriteIconHintWindow();
    void stopNotifyHintClicked(bool ticked);
    FavoriteIconHintWindow *favoriteIconHintWindow() const { return favoriteIconHintWindow_; }
    QCheckBox *stopNotifyHintCheckbox() const { return stopNotifyHintCheckbox_; }

    // ---- web views
    void displaySpecialWebView();
    WebView *displayWebUrl(const QString &url, QWidget *view, bool allowsScrolling, const QRectF &offset);
    QRectF getRectInSuperView() const;
    WebView *promoWebkitView() const { return promoWebkitView_; }
    WebView *homepageView() const { return homepageView_; }
    WebView *specialWebView() const { return wbvAdvertisement_; }
    WebView *embeddedWebView() const { return embeddedWebView_; }

    // ---- advertisement
    void updateAdImageView();
    void downloadAdImageFile();

    // ---- billboard
    void startRollForBillboard();
    void stopRollForBillboard();
    void autoBrowserPictureForBillboard(bool forward);
    void setDefaultBackgroundImageForBillboard();
    void isHiddenBrowserPicBtnForBillboard(bool hidden);
    int billboardIndex() const { return borwserPicIndexforBillboard_; }
    bool isBillboardRolling() const { return billboardTimer_ != 0; }
    QString billboardPicture() const { return billboardPicture_; }

    // ---- first-connected actions
    void checkIsOpenSpecialURL();
    void openWebPageWithSIM();
    void indonesiaDAZWebBackground();
    void indonesiaDAZEmbedWebBackground();
    void sendIMSIToHttpServerBySoap();
    SoapClient *soapClient() const { return client_.get(); }

    // ---- compact skin
    void smartUITopFixedImage(const QString *topImage, const QString *homePageImage, const QString *connectBtnName,
                              const QString *deviceStatus);
    void smartUISetConnectBtnTitle(const QString &title);
    void smartUIAttachWebViewOpenURL();
    void smartUIDeattachWebView();
    QString getPhoneNumber();
    QLabel *deviceStatusLabel() const;

    // ---- link buttons
    void openWindURL();
    void openLiberoURL();
    void setFavoriteandLinkBtnState(bool enabled);
    void applicationDidFinishLaunchingInDialController() override;
    // The statistics of the Internet view: the main tab "DialRecord".
    void addStatisticsInInternet();
    WeblinkButton *favoriteLinkButton(int index) const { return favoriteLinkBtns_.value(index); }
    WeblinkButton *customLinkButton(int index) const { return customLinkBtns_.value(index); }
    WebView *favouriteIconWebView(int index) const;

    // The steps performActionWhenFirstConnected runs, in order, are observable for tests.
    void setStepRecorder(std::function<void(const QString &step)> recorder) { recorder_ = std::move(recorder); }

private:
    void step(const char *name);
    bool topBool(const char *key) const;
    QString topString(const char *key) const;
    // An address of the deployment: a key of Main/OperatorLinks; empty when not configured.
    QString operatorLink(const char *key) const;
    QObject *skinControl(const char *key) const;
    QString modemListFile(const QString &name) const;
    LinkPolicyInput linkPolicyInput(const QString &url) const;
    QString mainPageURL() const;
    void selectInternetTab(const QString &identifier);
    void updateVisibility();
    QWidget *buildPostInternetPage();
    void buildFavoriteIconHintWindow();
    void wordFavoriteIconHint();

    DialController *dial_;
    WeblinkUpdateUtilities *updater_;
    DownloadUtilities *downloader_;
    std::function<void(const QString &)> recorder_;

    QPointer<QWidget> view_;
    QPointer<QTabWidget> internetSwitchTab_;
    QPointer<QWidget> bgContainerView_;
    QPointer<WebLinkImageView> bgupWeblinkView_;
    QPointer<WebLinkImageView> adContainerView_;
    QPointer<QWidget> viewContainer_;
    QPointer<QWidget> viewContainerEmbedInUI_;
    QPointer<QLabel> preDefaultConfiguration_;
    QPointer<QPushButton> postConnectBtn_;
    QList<QPointer<WeblinkButton>> favoriteLinkBtns_;
    QList<QPointer<WeblinkButton>> customLinkBtns_;
    QList<QPointer<WebView>> favouriteIconViews_;
    QList<QPointer<QVBoxLayout>> favouriteIconCells_;
    QPointer<WebView> promoWebkitView_;
    QPointer<WebView> homepageView_;
    QPointer<WebView> wbvAdvertisement_;
    QPointer<WebView> embeddedWebView_;
    QPointer<WebView> backgroundWebView_;
    QPointer<WebView> webViewInViewTopFixed_;
    QPointer<WebView> webViewInHomePage_;
    QPointer<QLabel> imageViewOfShowImageForBillboard_;
    QPointer<QPushButton> btnOfUpForBillboard_;
    QPointer<QPushButton> btnOfDownForBillboard_;
    QPointer<FavoriteIconHintWindow> favoriteIconHintWindow_;
    QPointer<QWidget> favoriteIconHintView_;
    QPointer<QCheckBox> stopNotifyHintCheckbox_;
    QPointer<QLabel> favoriteHintTextfield_;
    QPointer<QPushButton> hintCloseButton_;

    std::unique_ptr<SoapClient> client_;
    QVariantList xmlNodeArray_;
    QString soapImsi_;
    bool soapPending_ = false;
    int borwserPicIndexforBillboard_ = 1;
    int billboardTimer_ = 0;
    int updateWebLinkTimer_ = 0;
    QString billboardPicture_;
    bool postInternetDone_ = false;
    bool followsMainTabs_ = false;
    bool backgroundShownOnce_ = false;
    int deviceStatusStringRows_ = 1;
};

} // namespace ostrel
