// ServiceProviderCodeWindow: the code window of the first start.
#include "ostrel/device/main/ServiceProviderCodeWindow.h"

#include "common/ValueConversion.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/device/main/MainControllerText.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "platform/alert/AlertPresenter.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

Q_DECLARE_LOGGING_CATEGORY(lcMainController)

namespace ostrel {

using main_text::tr_;

namespace {

// The code window: Escape and the window's close button count as "Cancel".
class SpCodeDialog final : public QDialog {
public:
    explicit SpCodeDialog(std::function<void()> onCancel)
        : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), onCancel_(std::move(onCancel))
    {
    }
    void reject() override
    {
        if (onCancel_)
            onCancel_();
    }

private:
    std::function<void()> onCancel_;
};

} // namespace

ServiceProviderCodeWindow::ServiceProviderCodeWindow(MainController &main) : main_(main) {}

ServiceProviderCodeWindow::~ServiceProviderCodeWindow() { delete wndCheckSPCode_.data(); }

void ServiceProviderCodeWindow::initCheckSPCodeWin(QWidget *mainWindow)
{
    if (!yov::nsBool(main_.config().getConfigurationByModule(QStringLiteral("CheckSPCode")))) {
        delete wndCheckSPCode_.data();
        return;
    }
    mainWindow_ = mainWindow;
    if (mainWindow)
        mainWindow->setWindowOpacity(0.0);
    if (!wndCheckSPCode_)
        buildWindow();
}

void ServiceProviderCodeWindow::buildWindow()
{
    auto *window = new SpCodeDialog([this] { checkSPCodeWndCancel(); });
    window->setObjectName(QStringLiteral("wndCheckSPCode"));
    window->setWindowTitle(QCoreApplication::applicationName());
    window->setAutoFillBackground(true);
    window->setBackgroundRole(QPalette::Window);
    auto *layout = new QVBoxLayout(window);
    labelCheckWnd_ = new QLabel(tr_("Please input service provider code, code can be found in the box:"), window);
    labelCheckWnd_->setObjectName(QStringLiteral("labelCheckWnd"));
    labelCheckWnd_->setWordWrap(true);
    textfieldSPCode_ = new QLineEdit(window);
    textfieldSPCode_->setObjectName(QStringLiteral("textfieldSPCode"));
    textfieldSPCode_->setMaxLength(64);
    btnCheckOK_ = new QPushButton(tr_("OK"), window);
    btnCheckOK_->setObjectName(QStringLiteral("btnCheckOK"));
    btnCheckOK_->setDefault(true);
    btnCheckCancel_ = new QPushButton(tr_("Cancel"), window);
    btnCheckCancel_->setObjectName(QStringLiteral("btnCheckCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnCheckCancel_);
    buttons->addWidget(btnCheckOK_);
    layout->addWidget(labelCheckWnd_);
    layout->addWidget(textfieldSPCode_);
    layout->addLayout(buttons);
    window->setMinimumWidth(360);
    connect(textfieldSPCode_, &QLineEdit::textChanged, this, [this] { controlTextDidChange(); });
    connect(btnCheckOK_, &QPushButton::clicked, this, [this] { checkSPCode(); });
    connect(btnCheckCancel_, &QPushButton::clicked, this, [this] { checkSPCodeWndCancel(); });
    wndCheckSPCode_ = window;
    controlTextDidChange();
}

void ServiceProviderCodeWindow::openCheckSPCodeWindow(QWidget *mainWindow, std::function<void()> closed)
{
    closed_ = std::move(closed);
    if (!wndCheckSPCode_)
        initCheckSPCodeWin(mainWindow);
    if (!wndCheckSPCode_) { // not configured after all: the launch goes on
        if (auto done = std::exchange(closed_, {}))
            done();
        return;
    }
    if (mainWindow) {
        mainWindow_ = mainWindow;
        mainWindow->setWindowOpacity(0.0);
    }
    wndCheckSPCode_->adjustSize();
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = wndCheckSPCode_->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        wndCheckSPCode_->move(frame.topLeft());
    }
    wndCheckSPCode_->show();
    wndCheckSPCode_->raise();
    wndCheckSPCode_->activateWindow();
    if (textfieldSPCode_)
        textfieldSPCode_->setFocus();
}

void ServiceProviderCodeWindow::controlTextDidChange()
{
    if (btnCheckOK_ && textfieldSPCode_)
        btnCheckOK_->setEnabled(!textfieldSPCode_->text().isEmpty());
}

ServiceProviderCodeWindow::CodeResult ServiceProviderCodeWindow::findAPNInfoBySPCode(const QString &code)
{
    ConfigManager &config = main_.config();
    const QVariant profiles = config.getConfigurationByModule(QStringLiteral("AllDialConfig"));
    const QVariant codes = config.getConfigurationByModule(QStringLiteral("AllSPCodeIndex"));
    if (profiles.typeId() != QMetaType::QVariantList || codes.typeId() != QMetaType::QVariantMap) {
        qCWarning(lcMainController) << "no service provider code table is configured";
        return CodeResult::Unknown;
    }
    const QVariant entryValue = codes.toMap().value(code);
    if (entryValue.typeId() != QMetaType::QVariantMap)
        return CodeResult::Unknown;
    const QVariantMap entry = entryValue.toMap();
    const QVariant indexValue = entry.value(QStringLiteral("Index"));
    const QVariantList list = profiles.toList();
    bool isNumber = false;
    const qlonglong index = indexValue.toLongLong(&isNumber);
    if (!indexValue.isValid() || !isNumber || index < 0 || index >= list.size()
        || list.at(index).typeId() != QMetaType::QVariantMap) {
        qCWarning(lcMainController) << "the service provider code" << code << "names no offered profile";
        return CodeResult::Unknown;
    }
    if (!Neighbours::dial().writeDialConfigFile({list.at(index).toMap()})) {
        qCWarning(lcMainController) << "the profile of the service provider code could not be written";
        return CodeResult::NotSaved;
    }
    const QString logo = yov::nsString(entry.value(QStringLiteral("ProviderLogo")));
    if (!logo.isEmpty()) {
        config.setConfigurationByModule(QStringLiteral("ProviderLogoImage"), logo);
        config.setConfigurationByModule(QStringLiteral("ChangeProviderLogo"), true);
        if (!config.writeToFile())
            qCWarning(lcMainController) << "the provider logo could not be stored in the settings";
    }
    return CodeResult::Accepted;
}

void ServiceProviderCodeWindow::checkSPCode()
{
    if (!textfieldSPCode_ || textfieldSPCode_->text().isEmpty())
        return;
    switch (findAPNInfoBySPCode(textfieldSPCode_->text())) {
    case CodeResult::Accepted:
        closeCheckSPCodeWin();
        return;
    case CodeResult::Unknown:
        NSRunAlertPanelExt(tr_("Warning"), tr_("Invalid service provider code"), tr_("OK"));
        if (textfieldSPCode_)
            textfieldSPCode_->clear();
        controlTextDidChange();
        return;
    case CodeResult::NotSaved:
        // The code stays in the field so that it can be tried again.
        NSRunAlertPanelExt(tr_("Warning"), tr_("The profile of this code could not be saved. Please try again."),
                           tr_("OK"));
        return;
    }
}

void ServiceProviderCodeWindow::checkSPCodeWndCancel()
{
    const int answer = NSRunAlertPanelExt(tr_("Warning"), tr_("STRING_INPUT_SPCODE_WARNING"), tr_("Cancel"),
                                          tr_("Continue"));
    if (answer == yov::AlertPresenter::AlternateReturn)
        closeCheckSPCodeWin();
}

void ServiceProviderCodeWindow::closeCheckSPCodeWin()
{
    if (QDialog *window = wndCheckSPCode_) {
        window->hide();
        window->deleteLater();
    }
    wndCheckSPCode_ = nullptr;
    main_.resetProviderLogoImage(main_.customLogoToolbarItem_);
    if (mainWindow_)
        mainWindow_->setWindowOpacity(1.0);
    ConfigManager &config = main_.config();
    config.setConfigurationByModule(QStringLiteral("CheckSPCode"), false);
    if (!config.writeToFile())
        qCWarning(lcMainController) << "CheckSPCode could not be cleared in the settings";
    main_.notifyChangeTabViewItem(QStringLiteral("Internet"));
    if (auto done = std::exchange(closed_, {}))
        done();
}

} // namespace ostrel
