#include "ostrel/connection/view/InternetView.h"


#include "ostrel/connection/dial/DialController.h"
#include "ostrel/connection/view/ConnectWarningSheet.h"
#include "ostrel/connection/view/DialConfigChooser.h"
#include "ostrel/connection/view/DialConfigSheets.h"
#include "ostrel/connection/view/OperatorConnectWindows.h"
#include "ostrel/connection/view/StatisticsWindow.h"

#include "ostrel/framework/widgets/ResourcePaths.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <QIcon>
#include <QPixmap>

namespace ostrel {

namespace {

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(0x55, 0x5b, 0x66));
    label->setPalette(p);
    return label;
}

} // namespace

InternetView::InternetView(DialController *controller, QWidget *parent) : QWidget(parent), controller_(controller)
{
    setObjectName(QStringLiteral("Internet"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 14, 16, 14);
    outer->setSpacing(10);

    // The two prompts over the profile chooser.
    for (const auto &[english, name] :
         {std::pair{"Welcome to the connection interface for the Internet Mobile 3G", "labelInternetPrompt_"},
          std::pair{"To connect, please choose from the list below the formula which corresponds to your subscription",
                    "labelProfileInputPrompt_"}}) {
        QLabel *prompt = addCaption(english, QLatin1String(name), this);
        prompt->setWordWrap(true);
        outer->addWidget(prompt);
    }

    auto *profileRow = new QHBoxLayout;
    profileRow->addWidget(addCaption("Default Configuration:", QStringLiteral("Net_DefaultConfiguration"), this));
    chooser_ = new DialConfigChooser(controller_, this);
    profileRow->addWidget(chooser_, 1);
    apnLabel_ = new QLabel(this);
    apnLabel_->setObjectName(QStringLiteral("labelCurrentAPN"));
    profileRow->addWidget(apnLabel_);
    outer->addLayout(profileRow);
    outer->addWidget(makeProfileDetails());
    autoApnMatch_ = new QCheckBox(controller_->localizedText(QStringLiteral("Enable Auto APN Match")), this);
    autoApnMatch_->setObjectName(QStringLiteral("btnAutoAPNMatch"));
    connect(autoApnMatch_, &QCheckBox::clicked, this, [this](bool on) { controller_->enableAutoApnMatch(on); });
    outer->addWidget(autoApnMatch_);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    outer->addWidget(line);

    auto *stateRow = new QHBoxLayout;
    stateImage_ = new QLabel(this);
    stateImage_->setObjectName(QStringLiteral("imageViewForConnectStatus_"));
    stateImage_->setFixedSize(14, 14);
    stateRow->addWidget(stateImage_);
    stateRow->addWidget(addCaption("Status:", QStringLiteral("Net_Status"), this));
    m_ConnectState = new QLabel(this);
    m_ConnectState->setObjectName(QStringLiteral("m_ConnectState"));
    QFont big = m_ConnectState->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    m_ConnectState->setFont(big);
    stateRow->addWidget(m_ConnectState, 1);
    dataStateIcon_ = new QLabel(this);
    dataStateIcon_->setObjectName(QStringLiteral("imageViewOfDataStateForDidizu_"));
    dataStateIcon_->hide();
    stateRow->addWidget(dataStateIcon_);
    outer->addLayout(stateRow);

    startUpNote_ = new QLabel(this);
    startUpNote_->setObjectName(QStringLiteral("tfdDisplayModemStartUpProcess_"));
    outer->addWidget(startUpNote_);
    modemAndSimState_ = new QLabel(this);
    modemAndSimState_->setObjectName(QStringLiteral("tfdModemAndSimState"));
    outer->addWidget(modemAndSimState_);

    connectStateRow_ = new QWidget(this);
    auto *grid = new QGridLayout(connectStateRow_);
    grid->setContentsMargins(0, 4, 0, 4);
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(6);
    addField(grid, 0, 0, "ConnectTime:", QStringLiteral("Net_ConnectTime"), QStringLiteral("m_ConnectTime"));
    addField(grid, 0, 2, "IPAddress:", QStringLiteral("Net_IPAddress"), QStringLiteral("m_IPAddress"));
    addField(grid, 1, 0, "Send:", QStringLiteral("Net_Send"), QStringLiteral("m_FluxForSend"));
    addField(grid, 1, 2, "SendRate:", QStringLiteral("Net_SendSpeed"), QStringLiteral("m_SpeedForSend"));
    addField(grid, 2, 0, "Receive:", QStringLiteral("Net_Receive"), QStringLiteral("m_FluxForReceive"));
    addField(grid, 2, 2, "ReceiveRate:", QStringLiteral("Net_ReceiveSpeed"), QStringLiteral("m_SpeedForReceive"));
    addField(grid, 3, 0, "Exchanged Data:", QStringLiteral("tfdTotalData_"), QStringLiteral("m_TotalData"));
    addField(grid, 3, 2, "Monthly Data:", QStringLiteral("monthlyDataLabel_"), QStringLiteral("monthlyData_"));
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    outer->addWidget(connectStateRow_);
    outer->addStretch(1);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    connectButton_ = new QPushButton(this);
    connectButton_->setObjectName(QStringLiteral("m_ConnectButton"));
    connectButton_->setMinimumWidth(120);
    buttonRow->addWidget(connectButton_);
    outer->addLayout(buttonRow);

    connect(connectButton_, &QPushButton::clicked, this,
            [this] { controller_->DialOption(DialController::DialSender::ConnectButton); });
    connect(controller_, &DialController::displayChanged, this, &InternetView::refresh);
    connect(controller_, &DialController::wordingChanged, this, &InternetView::initWording);
    controller_->setInternetView(this, [this] { return skinBindings(); });
    connect(controller_, &DialController::managementSheetRequested, this, &InternetView::openManagementSheet);
    connect(controller_, &DialController::statisticsWindowRequested, this,
            [this](const QString &duration, const QString &sent, const QString &received, const QString &total) {
                if (!statisticsWindow_)
                    statisticsWindow_ = new StatisticsWindow(controller_, this);
                statisticsWindow_->showStatistics(duration, sent, received, total);
            });
    connect(controller_, &DialController::connectWarningSheetRequested, this, [this] {
        if (!connectWarningSheet_)
            connectWarningSheet_ = new ConnectWarningSheet(controller_, window());
        connectWarningSheet_->open();
    });
    connect(controller_, &DialController::credentialsSheetRequested, this,
            [this](const QString &userName, const QString &password, bool save) {
                if (!credentialsSheet_) {
                    credentialsSheet_ = new CredentialsSheet(controller_, window());
                    connect(controller_, &DialController::wordingChanged, credentialsSheet_.data(),
                            &CredentialsSheet::updateLanguages);
                }
                credentialsSheet_->beginSheet(userName, password, save);
            });
    connect(controller_, &DialController::credentialsSheetClosed, this, [this] {
        if (credentialsSheet_ && credentialsSheet_->isVisible())
            credentialsSheet_->hide();
    });
    refresh();
}

InternetView::~InternetView() = default;

QLabel *InternetView::addCaption(const char *english, const QString &name, QWidget *parent)
{
    QLabel *label = caption(controller_->localizedText(QLatin1String(english)), parent);
    label->setObjectName(name);
    captions_.append({label, english});
    return label;
}

QLabel *InternetView::captionLabel(const QString &name) const
{
    for (const Caption &c : captions_)
        if (c.label->objectName() == name)
            return c.label;
    return nullptr;
}

void InternetView::initWording()
{
    for (const Caption &c : captions_)
        c.label->setText(controller_->localizedText(QLatin1String(c.english)));
}

QLabel *InternetView::addField(QGridLayout *grid, int row, int column, const char *english, const QString &captionName,
                               const QString &name)
{
    QLabel *label = addCaption(english, captionName, connectStateRow_);
    grid->addWidget(label, row, column);
    captionOfField_.insert(name, label);
    auto *value = new QLabel(connectStateRow_);
    value->setObjectName(name);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(value, row, column + 1);
    fields_.append(value);
    return value;
}

QWidget *InternetView::makeProfileDetails()
{
    profileDetails_ = new QWidget(this);
    auto *grid = new QGridLayout(profileDetails_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    providerLabel_ = new QLabel(profileDetails_);
    providerLabel_->setObjectName(QStringLiteral("labelProvider"));
    grid->addWidget(providerLabel_, 0, 0, 1, 6);
    const struct {
        const char *english;
        const char *captionName;
        const char *name;
    } fields[] = {{"Telephone Number:", "Net_TelNumber", "m_tfdTelNumber"},
                  {"UserName:", "Net_UserName", "m_tfdUsername"},
                  {"Password:", "Net_Password", "m_tfdPassword"}};
    int column = 0;
    for (const auto &[english, captionName, name] : fields) {
        grid->addWidget(addCaption(english, QLatin1String(captionName), profileDetails_), 1, column);
        auto *f = new QLineEdit(profileDetails_);
        f->setObjectName(QLatin1String(name));
        f->setReadOnly(true);
        f->setMinimumWidth(60);
        f->setFocusPolicy(Qt::ClickFocus);
        grid->addWidget(f, 1, column + 1);
        grid->setColumnStretch(column + 1, 1);
        profileFields_.append(f);
        column += 2;
    }
    profileFields_.last()->setEchoMode(QLineEdit::Password);
    profileDetail_ = new QLabel(profileDetails_);
    profileDetail_->setObjectName(QStringLiteral("labelProfileDetail"));
    profileDetail_->setWordWrap(true);
    grid->addWidget(profileDetail_, 2, 0, 1, 6);
    return profileDetails_;
}

QLineEdit *InternetView::profileField(const QString &name) const
{
    for (QLineEdit *f : profileFields_)
        if (f->objectName() == name)
            return f;
    return nullptr;
}

QLabel *InternetView::field(const QString &name) const
{
    for (QLabel *l : fields_)
        if (l->objectName() == name)
            return l;
    return nullptr;
}

void InternetView::refresh()
{
    const DialDisplay &d = controller_->display();
    connectButton_->setText(d.connectButtonTitle);
    if (d.connectButtonImage != connectButtonImageShown_) {
        connectButtonImageShown_ = d.connectButtonImage;
        const QPixmap image(d.connectButtonImage);
        connectButton_->setIcon(QIcon(image));
        if (!image.isNull())
            connectButton_->setIconSize(image.size());
    }
    connectButton_->setToolTip(d.connectButtonToolTip);
    connectButton_->setEnabled(d.connectButtonEnabled);
    connectButton_->setHidden(d.connectButtonHidden);
    m_ConnectState->setText(d.stateText);
    const bool connected = d.stateImage == QLatin1String("StateOfConnected");
    stateImage_->setStyleSheet(QStringLiteral("border-radius: 7px; background: %1;")
                                   .arg(connected ? QStringLiteral("#2e9d48") : QStringLiteral("#9aa0a6")));
    startUpNote_->setText(d.startUpNote);
    startUpNote_->setHidden(d.startUpNote.isEmpty());
    modemAndSimState_->setText(d.modemAndSimState);
    modemAndSimState_->setHidden(d.modemAndSimState.isEmpty() || d.modemAndSimStateHidden);
    apnLabel_->setText(d.currentApn);
    chooser_->setEnabled(d.profileChooserEnabled);
    chooser_->selectShownItem();
    autoApnMatch_->setVisible(d.autoApnMatchShown);
    autoApnMatch_->setChecked(d.autoApnMatchChecked);
    profileField(QStringLiteral("m_tfdTelNumber"))->setText(d.profile.telNumber);
    profileField(QStringLiteral("m_tfdUsername"))->setText(d.profile.accountName);
    profileField(QStringLiteral("m_tfdPassword"))->setText(d.profile.password);
    for (QLineEdit *f : profileFields_)
        f->setEnabled(d.profileFieldsEnabled);
    providerLabel_->setText(d.profile.providerLabel);
    providerLabel_->setHidden(d.profile.providerLabel.isEmpty());
    profileDetail_->setText(d.profileDetail);
    profileDetail_->setHidden(d.profileDetail.isEmpty());
    if (d.dataStateImage != dataStateImageShown_) {
        dataStateImageShown_ = d.dataStateImage;
        const QImage image = ResourcePaths::applicationImage(d.dataStateImage);
        dataStateIcon_->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
    }
    dataStateIcon_->setToolTip(d.dataStateToolTip);
    dataStateIcon_->setHidden(d.dataStateImage.isEmpty());
    field(QStringLiteral("m_ConnectTime"))->setText(d.connectTime);
    field(QStringLiteral("m_IPAddress"))->setText(d.ipAddress);
    field(QStringLiteral("m_FluxForSend"))->setText(d.sendData);
    field(QStringLiteral("m_FluxForReceive"))->setText(d.receiveData);
    field(QStringLiteral("m_TotalData"))->setText(d.totalData);
    field(QStringLiteral("m_SpeedForSend"))->setText(d.sendSpeed);
    field(QStringLiteral("m_SpeedForReceive"))->setText(d.receiveSpeed);
    field(QStringLiteral("monthlyData_"))->setText(d.monthlyData.isEmpty() ? QStringLiteral("_____") : d.monthlyData);
    // The operator's auto-hide: the state, time, data and address fields (with their captions)
    // while no connection runs; the speed fields by their own switch.
    m_ConnectState->setHidden(d.connectStateHidden);
    captionLabel(QStringLiteral("Net_Status"))->setHidden(d.connectStateHidden);
    for (const char *name : {"m_ConnectTime", "m_FluxForSend", "m_FluxForReceive", "m_IPAddress"})
        setFieldHidden(QLatin1String(name), d.connectStateHidden);
    for (const char *name : {"m_SpeedForSend", "m_SpeedForReceive"})
        setFieldHidden(QLatin1String(name), d.connectSpeedHidden);

    if (d.connectStateWindowShown && !connectStateWindow_)
        connectStateWindow_ = new ConnectStateWindow(controller_, this);
    if (connectStateWindow_)
        connectStateWindow_->refresh();
    if (d.connectFailedWindowShown && !connectFailedWindow_)
        connectFailedWindow_ = new ConnectFailedWindow(controller_, this);
    if (connectFailedWindow_)
        connectFailedWindow_->refresh();
}

void InternetView::setFieldHidden(const QString &name, bool hidden)
{
    field(name)->setHidden(hidden);
    captionOfField_.value(name)->setHidden(hidden);
}

QList<std::pair<QString, QObject *>> InternetView::skinBindings() const
{
    auto c = [this](const char *name) -> QObject * { return captionLabel(QLatin1String(name)); };
    auto f = [this](const char *name) -> QObject * { return field(QLatin1String(name)); };
    auto p = [this](const char *name) -> QObject * { return profileField(QLatin1String(name)); };
    QList<std::pair<QString, QObject *>> rows = {
        {QStringLiteral("labelInternetPrompt"), c("labelInternetPrompt_")},
        {QStringLiteral("labelProfileInputPrompt"), c("labelProfileInputPrompt_")},
        {QStringLiteral("wndDialConfigView"), nullptr},
        {QStringLiteral("wndDialProfileEdit"), nullptr},
        {QStringLiteral("labelDialDefaultConfig"), c("Net_DefaultConfiguration")},
        {QStringLiteral("cbboxDialConfigList"), chooser_},
        {QStringLiteral("labelDialTelNumber"), c("Net_TelNumber")},
        {QStringLiteral("tfDialTelNumber"), p("m_tfdTelNumber")},
        {QStringLiteral("labelDialUserName"), c("Net_UserName")},
        {QStringLiteral("tfDialUserName"), p("m_tfdUsername")},
        {QStringLiteral("labelDialPassword"), c("Net_Password")},
        {QStringLiteral("tfDialPassword"), p("m_tfdPassword")},
        {QStringLiteral("labelDialStatus"), c("Net_Status")},
        {QStringLiteral("labelDialStatusText"), m_ConnectState},
        {QStringLiteral("labelDialSend"), c("Net_Send")},
        {QStringLiteral("labelDialSendText"), f("m_FluxForSend")},
        {QStringLiteral("labelDialReceive"), c("Net_Receive")},
        {QStringLiteral("labelDialReceiveText"), f("m_FluxForReceive")},
        {QStringLiteral("labelDialConnectTime"), c("Net_ConnectTime")},
        {QStringLiteral("labelDialConnectTimeText"), f("m_ConnectTime")},
        {QStringLiteral("labelDialIPAddress"), c("Net_IPAddress")},
        {QStringLiteral("labelDialIPAddressText"), f("m_IPAddress")},
        {QStringLiteral("labelDialSendSpeed"), c("Net_SendSpeed")},
        {QStringLiteral("labelDialSendSpeedText"), f("m_SpeedForSend")},
        {QStringLiteral("labelDialReceiveSpeed"), c("Net_ReceiveSpeed")},
        {QStringLiteral("labelDialReceiveSpeedText"), f("m_SpeedForReceive")},
    };
    // The profile windows are built when they open: their controls have no skin entry here.
    for (const char *key :
         {"btnDialSaveUserInfo", "matrixEditAutoObtainAPN", "matrixEditAutoObtainDNS", "matrixEditAutoObtainPDP",
          "matrixEditAuthMode", "matrixBrowserAutoObtainAPN", "matrixBrowserAutoObtainDNS", "matrixBrowserAutoObtainPDP",
          "matrixBrowserAuthMode", "textBrowserProvideForConfigDial", "labelConfigProfileDial", "labelConfigTelNumberDial",
          "textBrowserUserNameDial", "textBrowserPasswordDial", "textBrowserTelephoneNumberDial", "labelConfigUserNameDial",
          "labelConfigPasswordDial", "textBrowserPreferDNSDial", "textBrowserAlternateDNSDial",
          "labelConfigPreferredDNSDial", "labelConfigAlternateDNSDial", "checkbrowserIsSaveUserInfoDial",
          "textBrowserAPNDial", "labelConfigAPNDial", "textBrowserPDPDial", "labelConfigAddressDial",
          "labelConfigAuthModeDial", "textEditProvideForConfigDial", "textEditTelephoneNumberDial",
          "textEditUserNameDial", "textEditPasswordDial", "textEditAPNDial", "textEditPreferDNSDial",
          "textEditAlternateDNSDial", "textEditPDPDial", "labelEditConfigProfileDial", "labelEditConfigTelNumberDial",
          "labelEditConfigUserNameDial", "labelEditConfigPasswordDial", "labelEditConfigPreferredDNSDial",
          "labelEditConfigAlternateDNSDial", "labelEditConfigAPNDial", "labelEditConfigAuthModeDial",
          "labelEditConfigAddressDial", "checkEditIsSaveUserInfoDial"})
        rows.append({QLatin1String(key), nullptr});
    rows.append({QStringLiteral("btnDialConnect"), connectButton_});
    for (const char *key : {"btnDialEditProfile", "btnDialbrowseProfile", "btnDialCloseProfile", "btnDialProfileEditOK",
                            "btnDialProfileEditCancel"})
        rows.append({QLatin1String(key), nullptr});
    rows.append({QStringLiteral("viewInternetTab"), const_cast<InternetView *>(this)});
    for (const char *key : {"windowOfConnectStateForDidizu", "btnOfCancelConnectOperateForDidizu",
                            "btnOfCloseDidizuConnectStateWindow", "windowOfConnectFailedForDidizu",
                            "btnCloseAlertWindowWhenConnectFailed", "btnCancelConnectWhenConnectFailed_",
                            "btnOfRedialWhenConnectFailed", "btnOfDownForBillboard", "btnOfUpForBillboard", "btnMenuHelp"})
        rows.append({QLatin1String(key), nullptr});
    return rows;
}

void InternetView::openManagementSheet()
{
    if (!managementSheet_)
        managementSheet_ = new DialConfigManagementSheet(controller_, window());
    managementSheet_->popUpDialConfigWindow();
}

InternetView *installInternetView(DialController *controller, QTabWidget *tabView)
{
    if (!tabView)
        return nullptr;
    const QString identifier = QStringLiteral("Internet");
    QWidget *page = viewOfIdentifier(tabView, identifier);
    if (!page) {
        page = new QWidget;
        setTabViewItemIdentifier(page, identifier);
        tabView->addTab(page, controller->localizedText(identifier));
    }
    auto *layout = page->layout() ? page->layout() : new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *view = new InternetView(controller, page);
    layout->addWidget(view);
    return view;
}

} // namespace ostrel
