#include "ostrel/connection/view/DialOperatorContent.h"

#include "common/PlistBridge.h"
#include "common/TextFormat.h"
#include "common/ValueConversion.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/framework/config/ConfigFileKeys.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/soap/SoapClient.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/weblinks/DownloadUtilities.h"
#include "ostrel/framework/weblinks/WeblinkUpdateUtilities.h"
#include "ostrel/framework/widgets/FavoriteIconHintWindow.h"
#include "ostrel/framework/widgets/ResourcePaths.h"
#include "ostrel/framework/widgets/SkinFrame.h"
#include "ostrel/framework/widgets/WebLinkImageView.h"
#include "ostrel/framework/widgets/WebViewUtilities.h"
#include "ostrel/framework/widgets/WeblinkButton.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLoggingCategory>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ostrel {

namespace {
Q_LOGGING_CATEGORY(lcOperatorContent, "ostrel.connection.operator")

const QString kPreInternet = QStringLiteral("PreInternet");
const QString kPostInternet = QStringLiteral("PostInternet");

// The operator's addresses are deployment configuration: keys of the dictionary Main/OperatorLinks
// (empty as shipped). The six fixed link buttons, in order: the operator's home page, its login,
// its customer self-care, its mobile-broadband settings, its online shop and one further service.
const struct {
    const char *key;
    const char *title;
} kCustomLinks[6] = {{"HomePage", "Home"},          {"Login", "Login"},
                     {"SelfCare", "Self-care"},     {"BroadbandSettings", "Broadband settings"},
                     {"OnlineShop", "Online shop"}, {"MoreServices", "Services"}};

QRectF rectOf(const QVariant &value)
{
    const QVariantMap r = yov::nsDict(value);
    return QRectF(yov::nsDouble(r.value(QStringLiteral("X"))), yov::nsDouble(r.value(QStringLiteral("Y"))),
                  yov::nsDouble(r.value(QStringLiteral("W"))), yov::nsDouble(r.value(QStringLiteral("H"))));
}

QString localized(const char *english)
{
    return Map_Name_Item_of_IndexString(QString::fromUtf8(english));
}
} // namespace

QString DialOperatorContent::operatorLink(const char *key) const
{
    const QVariantMap links = yov::nsDict(dial_->config().getConfigurationByModuleAndKey(QStringLiteral("Main"),
                                                                                        QStringLiteral("OperatorLinks")));
    return yov::nsString(links.value(QString::fromLatin1(key)));
}

DialOperatorContent::DialOperatorContent(DialController *dial, WeblinkUpdateUtilities *updater,
                                         DownloadUtilities *downloader)
    : dial_(dial),
      updater_(updater ? updater : WeblinkUpdateUtilities::sharedUpdateManager()),
      downloader_(downloader ? downloader : DownloadUtilities::sharedDownloadManager())
{
    updater_->setIconPlacer([this](const QVariantMap &entry) { loadIconImageAccordingProperty(entry); });
    // The billboard rolls until the connection is back to idle.
    dial_->notificationCenter().addObserver(this, QStringLiteral("ConnectStatusDidChange"), nullptr,
                                            [this](const yov::Notification &) {
                                                if (dial_->connectStatus() == yov::kConnectStatusIdle
                                                    && ConfigService(&dial_->config()).isDisplayBillboard())
                                                    stopRollForBillboard();
                                            });
    // The post-connection button is enabled and disabled with the connect buttons.
    dial_->notificationCenter().addObserver(this, QStringLiteral("IsAbleToConnect"), dial_,
                                            [this](const yov::Notification &n) {
                                                if (postConnectBtn_)
                                                    postConnectBtn_->setEnabled(
                                                        yov::nsBool(n.userInfo.value(QStringLiteral("EnabledFlag"))));
                                            });
}

DialOperatorContent::~DialOperatorContent()
{
    updater_->setIconPlacer({});
    if (billboardTimer_)
        dial_->clock().cancel(billboardTimer_);
    if (updateWebLinkTimer_)
        dial_->clock().cancel(updateWebLinkTimer_);
    delete favoriteIconHintWindow_.data();
}

// ---- helpers ---------------------------------------------------------------------------------

void DialOperatorContent::step(const char *name)
{
    if (recorder_)
        recorder_(QString::fromLatin1(name));
}

bool DialOperatorContent::topBool(const char *key) const
{
    return yov::nsBool(dial_->config().getConfigurationByModule(QString::fromLatin1(key)));
}

QString DialOperatorContent::topString(const char *key) const
{
    return yov::nsString(dial_->config().getConfigurationByModule(QString::fromLatin1(key)));
}

QObject *DialOperatorContent::skinControl(const char *key) const
{
    SkinManagerAccess *skin = dial_->yovSkinManager();
    return skin ? skin->controllerByKey(QString::fromLatin1(key)) : nullptr;
}

QString DialOperatorContent::modemListFile(const QString &name) const
{
    return dial_->config().getFilePathWithFileName(name);
}

// ---- the view --------------------------------------------------------------------------------

void DialOperatorContent::installInto(QWidget *internetPage)
{
    if (!internetPage || view_)
        return;
    view_ = new QWidget(internetPage);
    view_->setObjectName(QStringLiteral("operatorContent"));
    auto *layout = new QVBoxLayout(view_);
    layout->setContentsMargins(0, 0, 0, 0);

    internetSwitchTab_ = new QTabWidget(view_);
    internetSwitchTab_->setObjectName(QStringLiteral("internetSwitchTab_"));
    internetSwitchTab_->tabBar()->hide();
    internetSwitchTab_->setDocumentMode(true);
    auto *pre = new QWidget;
    pre->setObjectName(kPreInternet);
    auto *preLayout = new QVBoxLayout(pre);
    preLayout->setContentsMargins(0, 0, 0, 0);
    preDefaultConfiguration_ = new QLabel(pre);
    preDefaultConfiguration_->hide(); // the connection page below names the profile
    preLayout->addWidget(preDefaultConfiguration_);
    // With the split page the connection page itself is the page before connecting, and the
    // operator's page replaces it once connected.
    QLayout *pageLayout = internetPage->layout();
    if (isSplitConnectionProcessEnabled() && pageLayout) {
        QList<QWidget *> connectionPage;
        for (int i = 0; i < pageLayout->count(); ++i)
            if (QWidget *widget = pageLayout->itemAt(i)->widget(); widget && widget != view_)
                connectionPage << widget;
        for (QWidget *widget : connectionPage) {
            pageLayout->removeWidget(widget);
            preLayout->addWidget(widget);
        }
    }
    internetSwitchTab_->addTab(pre, kPreInternet);
    internetSwitchTab_->addTab(buildPostInternetPage(), kPostInternet);
    internetSwitchTab_->hide();
    layout->addWidget(internetSwitchTab_, 1);

    // The special web view's and the embedded page's containers, the advertisement and the
    // billboard.
    viewContainer_ = new QWidget(view_);
    viewContainer_->setObjectName(QStringLiteral("viewContainer_"));
    viewContainer_->setMinimumSize(300, 120);
    viewContainer_->hide();
    layout->addWidget(viewContainer_);
    viewContainerEmbedInUI_ = new QWidget(view_);
    viewContainerEmbedInUI_->setObjectName(QStringLiteral("viewContainerEmbedInUI_"));
    viewContainerEmbedInUI_->setMinimumSize(300, 120);
    viewContainerEmbedInUI_->hide();
    layout->addWidget(viewContainerEmbedInUI_);
    adContainerView_ = new WebLinkImageView(view_);
    adContainerView_->setObjectName(QStringLiteral("adContainerView_"));
    adContainerView_->hide();
    layout->addWidget(adContainerView_);

    auto *billboard = new QWidget(view_);
    billboard->setObjectName(QStringLiteral("billboard"));
    auto *row = new QHBoxLayout(billboard);
    btnOfUpForBillboard_ = new QPushButton(QStringLiteral("<"), billboard);
    imageViewOfShowImageForBillboard_ = new QLabel(billboard);
    imageViewOfShowImageForBillboard_->setObjectName(QStringLiteral("imageViewOfShowImageForBillboard_"));
    imageViewOfShowImageForBillboard_->setAlignment(Qt::AlignCenter);
    btnOfDownForBillboard_ = new QPushButton(QStringLiteral(">"), billboard);
    row->addWidget(btnOfUpForBillboard_);
    row->addWidget(imageViewOfShowImageForBillboard_, 1);
    row->addWidget(btnOfDownForBillboard_);
    QObject::connect(btnOfUpForBillboard_, &QPushButton::clicked, this, [this] { autoBrowserPictureForBillboard(false); });
    QObject::connect(btnOfDownForBillboard_, &QPushButton::clicked, this, [this] { autoBrowserPictureForBillboard(true); });
    billboard->setVisible(ConfigService(&dial_->config()).isDisplayBillboard());
    layout->addWidget(billboard);

    if (pageLayout)
        pageLayout->addWidget(view_);
    updateVisibility();
    buildFavoriteIconHintWindow();
    initCustomWeblinks();
    // The fixed links' titles and the hint's texts follow the chosen language.
    QObject::connect(dial_, &DialController::wordingChanged, this, [this] {
        initCustomWeblinks();
        wordFavoriteIconHint();
    });
}

QWidget *DialOperatorContent::buildPostInternetPage()
{
    auto *post = new QWidget;
    post->setObjectName(kPostInternet);
    auto *layout = new QVBoxLayout(post);
    auto *top = new QHBoxLayout;
    bgContainerView_ = new QWidget(post);
    bgContainerView_->setObjectName(QStringLiteral("bgContainerView_"));
    bgContainerView_->setMinimumSize(240, 90);
    bgupWeblinkView_ = new WebLinkImageView(post);
    bgupWeblinkView_->setObjectName(QStringLiteral("bgupWeblinkView_"));
    bgupWeblinkView_->setMinimumSize(180, 90);
    top->addWidget(bgContainerView_, 1);
    top->addWidget(bgupWeblinkView_, 1);
    layout->addLayout(top);

    auto *favourites = new QHBoxLayout;
    for (int i = 0; i < 6; ++i) {
        auto *cell = new QVBoxLayout;
        auto *button = new WeblinkButton(post);
        button->setObjectName(QStringLiteral("favoriteLinkBtn%1_").arg(i + 1));
        button->setIconSize(QSize(40, 40));
        button->setFixedSize(56, 56);
        button->hide();
        favoriteLinkBtns_.append(button);
        cell->addWidget(button);
        favouriteIconCells_.append(cell);
        favourites->addLayout(cell);
    }
    favourites->addStretch();
    layout->addLayout(favourites);
    auto *custom = new QHBoxLayout;
    for (int i = 0; i < 6; ++i) {
        auto *button = new WeblinkButton(post);
        button->setObjectName(QStringLiteral("customLinkBtn%1_").arg(i + 1));
        customLinkBtns_.append(button);
        custom->addWidget(button);
    }
    custom->addStretch();
    postConnectBtn_ = new QPushButton(post);
    postConnectBtn_->setObjectName(QStringLiteral("postConnectBtn_"));
    QObject::connect(postConnectBtn_, &QPushButton::clicked, this,
                     [this] { dial_->DialOption(DialController::DialSender::Other); });
    custom->addWidget(postConnectBtn_);
    layout->addLayout(custom);
    return post;
}

void DialOperatorContent::updateVisibility()
{
    if (!view_)
        return;
    const bool split = isSplitConnectionProcessEnabled();
    if (internetSwitchTab_)
        internetSwitchTab_->setVisible(split);
    const bool any = split || !topString("WebViewURL").isEmpty() || !topString("EmbedWebViewURL").isEmpty()
                     || topBool("AddVuroAdView") || ConfigService(&dial_->config()).isDisplayBillboard()
                     || yov::nsBool(dial_->config().getConfigurationByModuleAndKey(QStringLiteral("UIConfig"),
                                                                                  QStringLiteral("IndonesiaDAZ")))
                     || topBool("IndonesiaMKNwebURL");
    view_->setVisible(any);
}

// ---- split connection page -------------------------------------------------------------------

bool DialOperatorContent::isSplitConnectionProcessEnabled() const
{
    return topBool("EnableSplitConnectionProcess");
}

QString DialOperatorContent::selectedInternetTab() const
{
    if (!internetSwitchTab_ || !internetSwitchTab_->currentWidget())
        return QString();
    return internetSwitchTab_->currentWidget()->objectName();
}

void DialOperatorContent::selectInternetTab(const QString &identifier)
{
    if (!internetSwitchTab_)
        return;
    for (int i = 0; i < internetSwitchTab_->count(); ++i)
        if (internetSwitchTab_->widget(i)->objectName() == identifier)
            internetSwitchTab_->setCurrentIndex(i);
}

void DialOperatorContent::initSplitConnectionProcess()
{
    if (!isSplitConnectionProcessEnabled())
        return;
    promoWebkitView_ = nullptr;
    homepageView_ = nullptr;
    loadFavoritesLinkPropeties();
    if (!topBool("RoriraSplit")) {
        selectInternetTab(kPreInternet);
    } else {
        selectInternetTab(kPostInternet);
        attachWebviewWithDelegates();
        loadCurrentIconAndFlash();
        loadFavouriteBtnWebKitViews();
    }
    if (QTabWidget *main = dial_->tabviewMain.data(); main && !followsMainTabs_) {
        followsMainTabs_ = true;
        QObject::connect(main, &QTabWidget::currentChanged, this, [this](int index) { performSwitchTabActionForRorira(index); });
    }
    const QString folder = modemListFile(QStringLiteral("rorira/images/"));
    QDir().mkpath(folder);
    downloader_->setDownloadFolder(folder);
    updater_->setcfgFile(modemListFile(QStringLiteral("IconLinks.plist")));
}

void DialOperatorContent::performSwitchTabActionForRorira(int index)
{
    QTabWidget *main = dial_->tabviewMain;
    if (!isSplitConnectionProcessEnabled() || !main)
        return;
    QWidget *page = main->widget(index);
    if (page && main->currentWidget() == page && tabViewItemIdentifier(page) == QLatin1String("Internet")
        && selectedInternetTab() == kPostInternet) {
        attachWebviewWithDelegates();
        hintFavoriteIconConfigrable();
    } else {
        closefavoriteIconHintWindow();
    }
}

void DialOperatorContent::switchInternetTabAction()
{
    if (!isSplitConnectionProcessEnabled())
        return;
    const int state = dial_->connectStatus();
    if (state == yov::kConnectStatusConnected) {
        // The connected roads may report "connected" more than once: once per connection.
        if (postInternetDone_)
            return;
        postInternetDone_ = true;
        selectInternetTab(kPostInternet);
        attachWebviewWithDelegates();
        Neighbours::setting().checkLauchWebLinksAtMoment(1);
        hintFavoriteIconConfigrable();
        scheduleWebLinkUpdate();
    } else if (state == yov::kConnectStatusIdle) {
        postInternetDone_ = false;
        selectInternetTab(topBool("RoriraSplit") ? kPostInternet : kPreInternet);
        closefavoriteIconHintWindow();
    }
}

bool DialOperatorContent::shouldSwitchToInternetState() const
{
    QTabWidget *main = dial_->tabviewMain;
    if (!main || !main->currentWidget())
        return false;
    const QString identifier = tabViewItemIdentifier(main->currentWidget());
    const int state = dial_->connectStatus();
    return (identifier == QLatin1String("Internet_postconnect") && state == yov::kConnectStatusIdle)
           || (identifier == QLatin1String("Internet") && state == yov::kConnectStatusConnected);
}

void DialOperatorContent::switchToInternetState()
{
    if (shouldSwitchToInternetState())
        switchInternetTabAction();
}

void DialOperatorContent::scheduleWebLinkUpdate()
{
    if (updateWebLinkTimer_)
        dial_->clock().cancel(updateWebLinkTimer_);
    updateWebLinkTimer_ = dial_->clock().schedule(kUpdateWebLinkDelayMs, this, [this] {
        updateWebLinkTimer_ = 0;
        UpdateWebLinkTimerFired();
    });
}

void DialOperatorContent::UpdateWebLinkTimerFired()
{
    const int result = updater_->startUpdateWebLinks();
    if (result != 0)
        qCInfo(lcOperatorContent) << "no link list to refresh:" << result;
}

void DialOperatorContent::attachWebviewWithDelegates()
{
    // The frames of PromoWebViewRect and HomePageWebViewRect; without one (or with an empty one)
    // the view fills its container and follows its size, as a view of no size would show nothing.
    // Such a view is shown only once a page is loaded into it (LoadFlash), so an empty one never
    // covers the operator's picture beneath it.
    const auto attach = [this](const char *key, QWidget *container) -> WebView * {
        const QRectF frame = rectOf(dial_->config().getConfigurationByModule(QString::fromLatin1(key)));
        if (!frame.isEmpty())
            return WebViewUtilities::sharedManager()->attachWebviewWithFrameRect(frame, container, this);
        WebView *view = WebViewUtilities::sharedManager()->attachWebviewWithFrameRect(
            QRectF(QPointF(0, 0), QSizeF(container->size().expandedTo(container->minimumSize()))), container, this);
        if (view) {
            QLayout *layout = container->layout();
            if (!layout) {
                layout = new QVBoxLayout(container);
                layout->setContentsMargins(0, 0, 0, 0);
            }
            layout->addWidget(view);
            view->hide();
        }
        return view;
    };
    if (!promoWebkitView_ && bgContainerView_)
        promoWebkitView_ = attach("PromoWebViewRect", bgContainerView_);
    if (!homepageView_ && bgupWeblinkView_)
        homepageView_ = attach("HomePageWebViewRect", bgupWeblinkView_);
}

void DialOperatorContent::detachWebviews()
{
    WebViewUtilities::sharedManager()->detachSubWebview(promoWebkitView_);
    WebViewUtilities::sharedManager()->detachSubWebview(homepageView_);
    promoWebkitView_ = nullptr;
    homepageView_ = nullptr;
}

void DialOperatorContent::loadCurrentIconAndFlash()
{
    static const QStringList names = {QStringLiteral("MainimageTitle_Cropped.jpg"), QStringLiteral("smallbanner.swf"),
                                      QStringLiteral("promo.swf")};
    for (const QVariant &entry : updater_->iconLinks()) {
        const QVariantMap map = entry.toMap();
        if (names.contains(QFileInfo(yov::nsString(map.value(QStringLiteral("ImageStorePath")))).fileName()))
            loadIconImageAccordingProperty(map);
    }
}

void DialOperatorContent::loadIconImageAccordingProperty(const QVariantMap &entry)
{
    if (entry.isEmpty())
        return;
    QString path = yov::nsString(entry.value(QStringLiteral("ImageStorePath")));
    if (QDir::isRelativePath(path))
        path = modemListFile(path);
    const QString name = QFileInfo(path).fileName();
    if (name == QLatin1String("MainimageTitle_Cropped.jpg")) {
        if (bgupWeblinkView_) {
            bgupWeblinkView_->setImageFile(path);
            bgupWeblinkView_->setWebLinkString(operatorLink("Broadband"));
        }
    } else if (name == QLatin1String("smallbanner.swf")) {
        LoadFlash(path, homepageView_);
    } else if (name == QLatin1String("promo.swf")) {
        LoadFlash(path, promoWebkitView_);
    }
    const QString adFile = yov::nsString(dial_->config().getConfigurationByModuleAndKey(QStringLiteral("VuroAdInfo"),
                                                                                       QStringLiteral("FileName")));
    if (!adFile.isEmpty() && name == adFile)
        updateAdImageView();
}

void DialOperatorContent::LoadFlash(const QString &path, WebView *view)
{
    if (!view || path.isEmpty())
        return;
    // No Flash player exists here: a ".swf" file is never loaded; its ".htm" twin is shown when
    // it exists, else the view stays empty.
    const QString twin = getHtmlFilePathByFlash(path);
    if (!twin.isEmpty()) {
        if (QFileInfo::exists(twin)) {
            // A page standing in for a banner keeps the banner's fixed frame.
            if (topBool("GetHtmlFilePathByFlashFile"))
                view->setAllowsScrolling(false);
            if (WebViewUtilities::sharedManager()->LoadURL(twin, view))
                view->show();
        }
        else
            qCInfo(lcOperatorContent).noquote() << QStringLiteral("%1 has no .htm page to show").arg(path);
        return;
    }
    if (WebViewUtilities::sharedManager()->LoadURL(path, view))
        view->show();
}

void DialOperatorContent::loadFavoritesLinkPropeties()
{
    const QString file = modemListFile(QStringLiteral("FavoriteLinks.plist"));
    if (!QFileInfo::exists(file))
        return;
    const std::optional<QVariant> root = yov::PlistBridge::readFile(file);
    if (!root) {
        qCWarning(lcOperatorContent).noquote() << QStringLiteral("%1 could not be read").arg(file);
        return;
    }
    for (const FavoriteLink &link : favoriteLinksFromList(*root)) {
        WeblinkButton *button = favoriteLinkBtns_.value(link.button);
        if (!button)
            continue;
        QString image = link.image;
        if (!image.isEmpty() && QDir::isRelativePath(image))
            image = modemListFile(image);
        const QPixmap picture(image);
        if (image.isEmpty() || picture.isNull()) {
            button->hide();
        } else {
            button->setIcon(QIcon(picture));
            button->show();
        }
        button->setWebLinkString(link.path);
        button->setLinkType(link.type);
        button->setLinkPara(link.para);
    }
}

void DialOperatorContent::loadFavouriteBtnWebKitViews()
{
    const QString folder = dial_->config().modemListPath();
    for (int n = 1; n <= favouriteIconCells_.size(); ++n) {
        const QString icon = QStringLiteral("%1/rorira/images/icon%2.swf").arg(folder).arg(n);
        const QString background = QStringLiteral("%1/rorira/images/background.swf").arg(folder);
        const QString file = QFileInfo::exists(icon) ? icon : QFileInfo::exists(background) ? background : QString();
        if (file.isEmpty())
            continue;
        // The icon's view is made when it first has something to show.
        while (favouriteIconViews_.size() < n)
            favouriteIconViews_.append(nullptr);
        QPointer<WebView> &view = favouriteIconViews_[n - 1];
        if (!view && favouriteIconCells_.at(n - 1)) {
            QWidget *parent = favoriteLinkBtns_.value(n - 1) ? favoriteLinkBtns_.value(n - 1)->parentWidget() : view_.data();
            view = WebViewUtilities::createWebView(parent);
            view->setObjectName(QStringLiteral("webViewOfFavouiteBtnForIcon%1_").arg(n));
            view->setFixedSize(56, 56);
            favouriteIconCells_.at(n - 1)->addWidget(view);
        }
        if (view)
            LoadFlash(file, view);
    }
}

WebView *DialOperatorContent::favouriteIconWebView(int index) const
{
    return favouriteIconViews_.value(index);
}

void DialOperatorContent::initCustomWeblinks()
{
    if (ConfigService(&dial_->config()).isSkinVersionForDEdorud() || !isSplitConnectionProcessEnabled())
        return;
    for (int i = 0; i < customLinkBtns_.size(); ++i) {
        if (WeblinkButton *button = customLinkBtns_.at(i)) {
            const QString link = operatorLink(kCustomLinks[i].key);
            button->setLinkType(1);
            button->setWebLinkString(link);
            button->setText(localized(kCustomLinks[i].title));
            button->setHidden(link.isEmpty());
        }
    }
    if (preDefaultConfiguration_)
        preDefaultConfiguration_->setText(QStringLiteral("Profile Name:"));
    if (postConnectBtn_)
        postConnectBtn_->setText(QStringLiteral("Disconnect"));
    wordFavoriteIconHint();
}

void DialOperatorContent::initWebDownloadAndLinkUpdateUtilitiesOfEntertain()
{
    const QString folder = modemListFile(QStringLiteral("rorira/images/"));
    QDir().mkpath(folder);
    downloader_->setDownloadFolder(folder);
    updater_->setcfgFile(modemListFile(QStringLiteral("IconLinks.plist")));
}

// ---- the favourite hint ----------------------------------------------------------------------

void DialOperatorContent::buildFavoriteIconHintWindow()
{
    if (favoriteIconHintWindow_)
        return;
    favoriteIconHintWindow_ = new FavoriteIconHintWindow;
    favoriteIconHintWindow_->setObjectName(QStringLiteral("favoriteIconHintWindow_"));
    favoriteIconHintView_ = new QWidget(favoriteIconHintWindow_);
    favoriteIconHintView_->setObjectName(QStringLiteral("favoriteIconHintView_"));
    favoriteIconHintView_->setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(favoriteIconHintView_);
    favoriteHintTextfield_ = new QLabel(favoriteIconHintView_);
    favoriteHintTextfield_->setObjectName(QStringLiteral("favoriteHintTextfield_"));
    favoriteHintTextfield_->setWordWrap(true);
    layout->addWidget(favoriteHintTextfield_);
    stopNotifyHintCheckbox_ = new QCheckBox(favoriteIconHintView_);
    stopNotifyHintCheckbox_->setObjectName(QStringLiteral("stopNotifyHintCheckbox_"));
    QObject::connect(stopNotifyHintCheckbox_, &QCheckBox::toggled, this, [this](bool on) { stopNotifyHintClicked(on); });
    layout->addWidget(stopNotifyHintCheckbox_);
    hintCloseButton_ = new QPushButton(favoriteIconHintView_);
    QObject::connect(hintCloseButton_, &QPushButton::clicked, this, [this] { closefavoriteIconHintWindow(); });
    layout->addWidget(hintCloseButton_, 0, Qt::AlignRight);
    auto *outer = new QVBoxLayout(favoriteIconHintWindow_);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(favoriteIconHintView_);
    favoriteIconHintWindow_->resize(260, 120);
    wordFavoriteIconHint();
}

void DialOperatorContent::wordFavoriteIconHint()
{
    if (favoriteHintTextfield_)
        favoriteHintTextfield_->setText(localized("Go to \"     \"  to change any of the below icons settings"));
    if (stopNotifyHintCheckbox_)
        stopNotifyHintCheckbox_->setText(localized("Do not notify me again"));
    if (hintCloseButton_)
        hintCloseButton_->setText(localized("Close"));
}

void DialOperatorContent::hintFavoriteIconConfigrable()
{
    buildFavoriteIconHintWindow();
    const QVariant wanted = dial_->config().getConfigurationByModule(QStringLiteral("ShouldShowFavouriteIconConfigHint"));
    if (!wanted.isValid() || !yov::nsBool(wanted))
        return;
    QWidget *main = dial_->wndMain;
    const QRectF m = main ? QRectF(main->geometry()) : QRectF();
    if (ConfigService(&dial_->config()).makeFavoriteIconHintWindowIntoSubviewOfMainWnd() && main && favoriteIconHintView_) {
        if (favoriteIconHintView_->parentWidget() != main) {
            const QRectF v(QPointF(0, 0), QSizeF(favoriteIconHintView_->sizeHint()));
            favoriteIconHintView_->setParent(main);
            const QPointF origin = hintSubviewOrigin(QRectF(QPointF(0, 0), m.size()), v);
            // Skin coordinates have their origin at the bottom left of the window.
            favoriteIconHintView_->setGeometry(QRectF(origin.x(), m.height() - origin.y() - v.height(), v.width(), v.height()).toRect());
        }
        favoriteIconHintView_->show();
        favoriteIconHintView_->raise();
        return;
    }
    const QRectF h(QPointF(0, 0), QSizeF(favoriteIconHintWindow_->size()));
    const QPointF origin = hintWindowOrigin(QRectF(0, 0, m.width(), m.height()), h);
    // Upward in skin coordinates is upward on the screen: turn the offset from the bottom into one
    // from the top.
    favoriteIconHintWindow_->move(QPointF(m.x() + origin.x(), m.y() + (m.height() - origin.y() - h.height())).toPoint());
    favoriteIconHintWindow_->show();
    favoriteIconHintWindow_->raise();
    favoriteIconHintWindow_->activateWindow();
}

void DialOperatorContent::closefavoriteIconHintWindow()
{
    if (ConfigService(&dial_->config()).makeFavoriteIconHintWindowIntoSubviewOfMainWnd() && favoriteIconHintView_
        && favoriteIconHintView_->parentWidget() != favoriteIconHintWindow_.data()) {
        favoriteIconHintView_->hide();
        return;
    }
    if (favoriteIconHintWindow_)
        favoriteIconHintWindow_->hide();
}

void DialOperatorContent::stopNotifyHintClicked(bool ticked)
{
    ConfigManager &config = dial_->config();
    config.setConfigurationByModule(QStringLiteral("ShouldShowFavouriteIconConfigHint"), !ticked);
    if (!config.writeToFile())
        qCWarning(lcOperatorContent) << "the hint choice could not be saved";
}

// ---- advertisement -------------------------------------------------------------------------

void DialOperatorContent::initAdContainerView()
{
    if (!topBool("AddVuroAdView"))
        return;
    const QString link = yov::nsString(dial_->config().getConfigurationByModuleAndKey(QStringLiteral("VuroAdInfo"),
                                                                                     QStringLiteral("AdURL")));
    if (adContainerView_) {
        if (!link.isEmpty())
            adContainerView_->setWebLinkString(link);
        adContainerView_->show();
    }
    updateAdImageView();
    const QString sources = dial_->config().configFilePathOfKey(configkeys::kSourcesFolder);
    downloader_->setDownloadFolder(sources);
    updater_->setcfgFile(modemListFile(QStringLiteral("WebLinkInfo.plist")));
}

void DialOperatorContent::updateAdImageView()
{
    if (!adContainerView_)
        return;
    const QString name = yov::nsString(dial_->config().getConfigurationByModuleAndKey(QStringLiteral("VuroAdInfo"),
                                                                                     QStringLiteral("FileName")));
    const QString sources = dial_->config().configFilePathOfKey(configkeys::kSourcesFolder);
    if (name.isEmpty() || !adContainerView_->setImageFile(QDir(sources).filePath(QFileInfo(name).fileName())))
        adContainerView_->clear();
}

void DialOperatorContent::downloadAdImageFile()
{
    if (topBool("AddVuroAdView")) {
        scheduleWebLinkUpdate();
    }
    dial_->notificationCenter().post(QStringLiteral("SetWebLinkImageViewEnabled"));
}

// ---- web views -----------------------------------------------------------------------------

QRectF DialOperatorContent::getRectInSuperView() const
{
    return ostrel::getRectInSuperView(yov::nsDict(dial_->config().getConfigurationByModule(QStringLiteral("WebViewRectInSuperView"))));
}

WebView *DialOperatorContent::displayWebUrl(const QString &url, QWidget *view, bool allowsScrolling, const QRectF &offset)
{
    if (url.isEmpty() || !view)
        return nullptr;
    const QRectF frame = offsetFrame(QRectF(QPointF(0, 0), QSizeF(view->size().expandedTo(view->minimumSize()))), offset);
    WebView *web = WebViewUtilities::sharedManager()->attachWebviewWithFrameRect(frame, view, nullptr);
    if (web) {
        web->setAllowsScrolling(allowsScrolling);
        WebViewUtilities::sharedManager()->LoadURL(url, web);
    }
    return web;
}

void DialOperatorContent::displayEmbeddedWebView(const QString &url, bool allowsScrolling)
{
    if (!viewContainerEmbedInUI_ || url.isEmpty())
        return;
    // Shown again in the same container, the page replaces the view made before.
    WebViewUtilities::sharedManager()->detachSubWebview(embeddedWebView_);
    embeddedWebView_ = displayWebUrl(url, viewContainerEmbedInUI_, allowsScrolling, getRectInSuperView());
    viewContainerEmbedInUI_->show();
}

void DialOperatorContent::displaySpecialWebView()
{
    const QString url = topString("WebViewURL");
    if (url.isEmpty() || !viewContainer_)
        return;
    WebViewUtilities::sharedManager()->detachSubWebview(wbvAdvertisement_);
    viewContainer_->show();
    const QRectF frame = specialWebViewFrame(QRectF(QPointF(0, 0), QSizeF(viewContainer_->size().expandedTo(viewContainer_->minimumSize()))));
    wbvAdvertisement_ = WebViewUtilities::sharedManager()->attachWebviewWithFrameRect(frame, viewContainer_, nullptr);
    if (wbvAdvertisement_) {
        wbvAdvertisement_->setAllowsScrolling(false);
        WebViewUtilities::sharedManager()->LoadURL(url, wbvAdvertisement_);
    }
}

void DialOperatorContent::detachSpecialWebview()
{
    WebViewUtilities::sharedManager()->detachSubWebview(wbvAdvertisement_);
    wbvAdvertisement_ = nullptr;
}

void DialOperatorContent::hideBackgroundAndEmbeddedWebViews()
{
    if (backgroundWebView_)
        backgroundWebView_->hide();
    if (viewContainerEmbedInUI_)
        viewContainerEmbedInUI_->hide();
}

// ---- link policy -----------------------------------------------------------------------------

QString DialOperatorContent::mainPageURL() const
{
    return yov::formatPlaceholders(yov::nsString(dial_->webURLForKey(QStringLiteral("MainPage"))),
                                   {yov::nsString(dial_->runtimeObjectForKey(QStringLiteral("runtimePhoneNumber"))),
                                    yov::nsString(dial_->runtimeObjectForKey(QStringLiteral("runtimeIMEI")))});
}

LinkPolicyInput DialOperatorContent::linkPolicyInput(const QString &url) const
{
    LinkPolicyInput in;
    in.splitConnectionProcess = isSplitConnectionProcessEnabled();
    in.knownIconLink = updater_->isKnownURLInIconLinks(url);
    ConfigManager &config = dial_->config();
    in.smartUI = yov::nsBool(config.getConfigurationByModuleAndKey(QStringLiteral("UIConfig"), QStringLiteral("SmartUI")));
    in.indonesiaDAZ = yov::nsBool(config.getConfigurationByModuleAndKey(QStringLiteral("UIConfig"), QStringLiteral("IndonesiaDAZ")));
    if (in.indonesiaDAZ)
        in.expectedMainPage = mainPageURL();
    return in;
}

bool DialOperatorContent::decidePolicyForNavigation(WebView *view, const QUrl &url)
{
    const QString address = url.toString();
    const LinkDecision decision = decideOperatorLinkPolicy(linkPolicyInput(address), address);
    WebViewDelegate::decidePolicyForNavigation(view, url);
    if (!decision.use && decision.openInBrowser)
        dial_->openSafari(address);
    return decision.use;
}

void DialOperatorContent::createWindowWithRequest(WebView *, const QUrl &url)
{
    if (url.isValid() && !url.isEmpty())
        dial_->openSafari(url.toString());
}

// ---- billboard -------------------------------------------------------------------------------

void DialOperatorContent::imageDownloadFinishForBillboard()
{
    if (!ConfigService(&dial_->config()).isDisplayBillboard())
        return;
    borwserPicIndexforBillboard_ = 1;
    startRollForBillboard();
}

void DialOperatorContent::startRollForBillboard()
{
    isHiddenBrowserPicBtnForBillboard(false);
    if (billboardTimer_)
        dial_->clock().cancel(billboardTimer_);
    billboardTimer_ = dial_->clock().scheduleRepeating(kBillboardIntervalMs, this,
                                                       [this] { autoBrowserPictureForBillboard(true); });
}

void DialOperatorContent::stopRollForBillboard()
{
    if (billboardTimer_)
        dial_->clock().cancel(billboardTimer_);
    billboardTimer_ = 0;
    setDefaultBackgroundImageForBillboard();
    for (QPushButton *button : {btnOfUpForBillboard_.data(), btnOfDownForBillboard_.data()})
        if (button && !button->isHidden())
            button->setEnabled(false);
}

void DialOperatorContent::autoBrowserPictureForBillboard(bool forward)
{
    for (QPushButton *button : {btnOfUpForBillboard_.data(), btnOfDownForBillboard_.data()})
        if (button && !button->isHidden())
            button->setEnabled(true);
    borwserPicIndexforBillboard_ = nextBillboardIndex(borwserPicIndexforBillboard_, forward);
    const QString picture = modemListFile(QStringLiteral("images/u%1.jpg").arg(borwserPicIndexforBillboard_));
    const QPixmap image(picture);
    if (image.isNull())
        return; // a missing picture leaves the previous one
    billboardPicture_ = picture;
    if (imageViewOfShowImageForBillboard_)
        imageViewOfShowImageForBillboard_->setPixmap(image.scaled(300, 90, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void DialOperatorContent::setDefaultBackgroundImageForBillboard()
{
    const QString picture = ResourcePaths::resourcesPath() + QStringLiteral("/images/DataInterfaceBack.jpg");
    const QPixmap image(picture);
    if (image.isNull())
        return;
    billboardPicture_ = picture;
    if (imageViewOfShowImageForBillboard_)
        imageViewOfShowImageForBillboard_->setPixmap(image.scaled(300, 90, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void DialOperatorContent::isHiddenBrowserPicBtnForBillboard(bool hidden)
{
    for (QPushButton *button : {btnOfUpForBillboard_.data(), btnOfDownForBillboard_.data()})
        if (button)
            button->setHidden(hidden);
}

void DialOperatorContent::showDefaultBillboard()
{
    isHiddenBrowserPicBtnForBillboard(true);
    setDefaultBackgroundImageForBillboard();
}

// ---- first-connected actions -----------------------------------------------------------------

void DialOperatorContent::performActionWhenFirstConnected()
{
    step("playShortSound");
    dial_->playShortSound(0);
    step("switchInternetTabAction");
    switchInternetTabAction();
    step("launchURLAtFirstAPN");
    launchURLAtFirstAPN();
    step("checkIsOpenSpecialURL");
    checkIsOpenSpecialURL();
    step("smartUIAttachWebViewOpenURL");
    smartUIAttachWebViewOpenURL();
    step("indonesiaDAZWebBackground");
    indonesiaDAZWebBackground();
    step("downloadAdImageFile");
    downloadAdImageFile();
    step("openWebPageWithSIM");
    openWebPageWithSIM();
    step("sendIMSIToHttpServerBySoap");
    sendIMSIToHttpServerBySoap();
    step("displaySpecialWebView");
    displaySpecialWebView();
    if (topBool("DisplayBackgroundWhileDisconnect")) {
        if (backgroundWebView_)
            backgroundWebView_->show();
        if (viewContainerEmbedInUI_)
            viewContainerEmbedInUI_->show();
    }
    const QString embedded = topString("EmbedWebViewURL");
    if (!embedded.isEmpty()) {
        step("displayEmbeddedWebView");
        displayEmbeddedWebView(embedded, topBool("EnableAllowScrollOfWBV"));
    }
    step("imageDownloadFinishForBillboard");
    imageDownloadFinishForBillboard();
}

void DialOperatorContent::launchURLAtFirstAPN()
{
    ConfigManager &config = dial_->config();
    if (!yov::nsBool(config.getConfigurationByModuleAndKey(QStringLiteral("Internet"), QStringLiteral("AutoLaunchURLWithFirstDefaultAPN"))))
        return;
    if (dial_->profiles().currentChooserItem() != 1)
        return;
    const QString url = yov::nsString(config.getConfigurationByModuleAndKey(QStringLiteral("Internet"), QStringLiteral("AutoLaunchURLString")));
    if (!url.isEmpty())
        dial_->openSafari(url);
}

void DialOperatorContent::checkIsOpenSpecialURL()
{
    const std::optional<int> index = dial_->profiles().currentProfileIndex();
    const std::optional<QVariantMap> profile = index ? dial_->profiles().profileAt(*index) : std::nullopt;
    if (!profile)
        return;
    const QString url = profilePage(yov::nsArray(dial_->config().getConfigurationByModule(QStringLiteral("OpenURLSettings"))),
                                    yov::nsString(profile->value(QStringLiteral("provider"))));
    if (!url.isEmpty())
        dial_->openSafari(url);
}

void DialOperatorContent::openWebPageWithSIM()
{
    const QString imsi = topString("IMSI");
    const QVariantMap table = yov::nsDict(dial_->config().getConfigurationByModuleAndKey(QStringLiteral("Internet"),
                                                                                        QStringLiteral("IMSIAndWebPage")));
    if (imsi.isEmpty() || table.isEmpty())
        return;
    const QString url = imsiWebPage(imsi, table);
    if (!url.isEmpty())
        dial_->openSafari(url);
}

void DialOperatorContent::indonesiaDAZWebBackground()
{
    ConfigManager &config = dial_->config();
    if (!yov::nsBool(config.getConfigurationByModuleAndKey(QStringLiteral("UIConfig"), QStringLiteral("IndonesiaDAZ")))) {
        indonesiaDAZEmbedWebBackground();
        return;
    }
    if (backgroundShownOnce_ || !view_)
        return;
    backgroundShownOnce_ = true;
    QWidget *parent = view_->parentWidget() ? view_->parentWidget() : view_.data();
    const QRectF frame(0, 0, parent->width(), qMax(parent->height(), 200));
    backgroundWebView_ = WebViewUtilities::sharedManager()->attachWebviewWithFrameRect(frame, parent, this);
    if (backgroundWebView_) {
        backgroundWebView_->raise();
        WebViewUtilities::sharedManager()->LoadURL(mainPageURL(), backgroundWebView_);
    }
}

void DialOperatorContent::indonesiaDAZEmbedWebBackground()
{
    if (!topBool("IndonesiaMKNwebURL"))
        return;
    const QString format = yov::nsString(dial_->webURLForKey(QStringLiteral("MainPage")));
    const QString phone = yov::nsString(dial_->runtimeObjectForKey(QStringLiteral("runtimePhoneNumber")));
    const QString imei = yov::nsString(dial_->runtimeObjectForKey(QStringLiteral("runtimeIMEI")));
    const QString url = topBool("MKNwebURLAddPhoneNum") ? yov::formatPlaceholders(format, {phone, imei})
                                                        : yov::formatPlaceholders(format, {imei});
    displayEmbeddedWebView(url, topBool("EnableAllowScrollOfWBV"));
}

void DialOperatorContent::sendIMSIToHttpServerBySoap()
{
    ConfigService service(&dial_->config());
    if (!service.hasImsiPhoneConfig())
        return;
    const QString imsi = topString("IMSI");
    if (imsi.isEmpty() || service.isImsiPhoneDictContainCertainImsi(imsi))
        return;
    if (!client_)
        client_ = std::make_unique<SoapClient>(nullptr, dial_->clock(), dial_->notificationCenter());
    const QString address = operatorLink("SubscriberNumberService");
    if (!client_->initWithServerName(address.isEmpty() ? service.getSoapServiceName() : address)) {
        qCWarning(lcOperatorContent) << "the subscriber-number service has no valid address";
        return;
    }
    soapImsi_ = imsi;
    soapPending_ = true;
    client_->sendMessage(yov::formatPlaceholders(service.getSoapServiceContent(), {imsi.toHtmlEscaped()}).toUtf8(), false);
}

void DialOperatorContent::setMsisdnNumberWithResult(const QVariantMap &)
{
    // The notification tells of any SOAP client's reply: only ours is read.
    if (!client_ || !soapPending_ || client_->isBusy())
        return;
    soapPending_ = false;
    xmlNodeArray_ = client_->getxmlNodeRecordArray();
    const QString number = msisdnFromRecords(xmlNodeArray_);
    if (number.isEmpty())
        return;
    dial_->notificationCenter().post(QStringLiteral("receivePhoneNumberFromSoapServer"), nullptr,
                                     {{QStringLiteral("receivePhoneNumberFromSoapServer"), number}});
    const QString imsi = soapImsi_.isEmpty() ? topString("IMSI") : soapImsi_;
    if (!ConfigService(&dial_->config()).setImsi(imsi, number))
        qCWarning(lcOperatorContent) << "the subscriber number could not be stored";
}

void DialOperatorContent::excuteWhenConnectServerError(const QVariantMap &info)
{
    if (!soapPending_)
        return;
    soapPending_ = false;
    qCWarning(lcOperatorContent).noquote() << QStringLiteral("the subscriber-number service could not be reached: %1")
                                                  .arg(yov::nsString(info.value(QStringLiteral("errorInfor"))));
}

// ---- compact skin ----------------------------------------------------------------------------

QLabel *DialOperatorContent::deviceStatusLabel() const
{
    return qobject_cast<QLabel *>(skinControl("labelDeviceStutas"));
}

void DialOperatorContent::smartUITopFixedImage(const QString *topImage, const QString *homePageImage,
                                               const QString *connectBtnName, const QString *deviceStatus)
{
    if (!yov::nsBool(dial_->config().getConfigurationByModuleAndKey(QStringLiteral("UIConfig"), QStringLiteral("SmartUI"))))
        return;
    smartUIDeattachWebView();
    SkinManagerAccess *skin = dial_->yovSkinManager();
    QLabel *label = deviceStatusLabel();
    // The images are those of the skin items that carry the operator's pages while connected.
    auto *top = qobject_cast<QWidget *>(skinControl("webViewInTopFixed"));
    if (topImage) {
        if (skin)
            skin->setImageForKey(QStringLiteral("webViewInTopFixed"), *topImage, true);
        if (top)
            top->show();
        if (label)
            label->hide();
    }
    if (homePageImage && skin)
        skin->setImageForKey(QStringLiteral("webViewInHomePage"), *homePageImage, true);
    if (connectBtnName)
        smartUISetConnectBtnTitle(*connectBtnName);
    if (!label)
        return;
    if (deviceStatus) {
        if (top)
            top->hide();
        const bool flag = Neighbours::init().getSmartUITopFrontSizeFlag();
        if (flag)
            Neighbours::init().setSmartUITopFrontSizeFlag(false);
        const StatusLineStyle style = smartStatusLineStyle(dial_->deviceStatusStringRows(), flag);
        label->resize(style.size.toSize());
        label->setAlignment(style.alignment);
        QFont font = label->font();
        font.setBold(true);
        font.setPointSize(style.fontPointSize);
        label->setFont(font);
        label->setText(*deviceStatus);
        label->show();
    } else {
        label->hide();
    }
}

void DialOperatorContent::smartUISetConnectBtnTitle(const QString &title)
{
    if (auto *button = qobject_cast<QAbstractButton *>(skinControl("btnDialConnectExt")))
        button->setText(title);
}

void DialOperatorContent::smartUIAttachWebViewOpenURL()
{
    if (!yov::nsBool(dial_->config().getConfigurationByModuleAndKey(QStringLiteral("UIConfig"), QStringLiteral("SmartUI"))))
        return;
    const QString query = QStringLiteral("msisdn=%1&imsi=%2")
                              .arg(QString::fromLatin1(QUrl::toPercentEncoding(
                                       yov::nsString(dial_->runtimeObjectForKey(QStringLiteral("runtimePhoneNumber"))))),
                                   QString::fromLatin1(QUrl::toPercentEncoding(topString("IMSI"))));
    const QString portal = operatorLink("SmartPortal");
    if (portal.isEmpty())
        return;
    const struct {
        const char *key;
        const char *path;
        QPointer<WebView> *field;
    } pages[] = {{"webViewInTopFixed", "/ibro-fe/pages/ibro/extender1.xhtml", &webViewInViewTopFixed_},
                 {"webViewInHomePage", "/ibro-fe/pages/ibro/extender2.xhtml", &webViewInHomePage_}};
    for (const auto &page : pages) {
        auto *item = qobject_cast<QWidget *>(skinControl(page.key));
        if (!item || !item->parentWidget())
            continue;
        WebViewUtilities::sharedManager()->detachSubWebview(*page.field);
        *page.field = WebViewUtilities::sharedManager()->attachWebviewWithFrameRect(
            QRectF(QPointF(0, 0), QSizeF(item->size())), item, this);
        if (*page.field)
            WebViewUtilities::sharedManager()->LoadURL(portal + localized(page.path) + QLatin1Char('?') + query, *page.field);
    }
}

void DialOperatorContent::smartUIDeattachWebView()
{
    WebViewUtilities::sharedManager()->detachSubWebview(webViewInViewTopFixed_);
    WebViewUtilities::sharedManager()->detachSubWebview(webViewInHomePage_);
    webViewInViewTopFixed_ = nullptr;
    webViewInHomePage_ = nullptr;
}

void DialOperatorContent::smartUIManualDisconnect()
{
    if (!yov::nsBool(dial_->config().getConfigurationByModuleAndKey(QStringLiteral("UIConfig"), QStringLiteral("SmartUI"))))
        return;
    smartUIDeattachWebView();
    const QString home = QStringLiteral("freeToFun_HomePage.png");
    const QString button = QStringLiteral("Connect");
    if (dial_->manualDisconnectFlag()) {
        const QString top = QStringLiteral("freeToFun.png");
        if (ConfigService(&dial_->config()).isDisplayPhoneNumberForSmart()) {
            dial_->setDeviceStatusStringRows(1);
            Neighbours::init().setSmartUITopFrontSizeFlag(true);
            const QString number = getPhoneNumber();
            smartUITopFixedImage(&top, &home, &button, &number);
        } else {
            smartUITopFixedImage(&top, &home, &button, nullptr);
        }
    } else {
        dial_->setDeviceStatusStringRows(2);
        const QString text = localized("Can not connect, please try again");
        smartUITopFixedImage(nullptr, &home, &button, &text);
    }
}

QString DialOperatorContent::getPhoneNumber()
{
    QVariantMap runtime = dial_->runtimeDictionary();
    return smartPhoneNumber(yov::nsString(runtime.value(QStringLiteral("runtimePhoneNumber"))));
}

void DialOperatorContent::displayPhoneNumberForSmart()
{
    dial_->setDeviceStatusStringRows(1);
    Neighbours::init().setSmartUITopFrontSizeFlag(true);
    const QString number = getPhoneNumber();
    smartUITopFixedImage(nullptr, nullptr, nullptr, &number);
}

// ---- link buttons and small actions ----------------------------------------------------------

void DialOperatorContent::openWindURL()
{
    const QString url = yov::nsString(dial_->config().getConfigurationByModuleAndKey(QStringLiteral("Internet"),
                                                                                    QStringLiteral("openURLStr")));
    if (!url.isEmpty())
        dial_->openSafari(url);
}

void DialOperatorContent::openLiberoURL()
{
    const QString url = operatorLink("Libero");
    if (!url.isEmpty())
        dial_->openSafari(url);
}

void DialOperatorContent::setFavoriteandLinkBtnState(bool enabled)
{
    for (const auto &button : favoriteLinkBtns_)
        if (button)
            button->setEnabled(enabled);
    for (const auto &button : customLinkBtns_)
        if (button)
            button->setEnabled(enabled);
}

void DialOperatorContent::applicationDidFinishLaunchingInDialController()
{
    if (topBool("RoriraSplit"))
        hintFavoriteIconConfigrable();
}

void DialOperatorContent::addStatisticsInInternet()
{
    dial_->notifyChangeTabViewItem(QStringLiteral("DialRecord"));
}

void DialOperatorContent::datausageRest()
{
    dial_->resetSessionBytes();
}

} // namespace ostrel
