#pragma once
// The Internet tab: the profile chooser, the connect button, the state line and the time, data,
// speed and address fields of the running connection. It draws what DialController::display()
// holds and hands the user's actions to the controller; it also opens the connection's windows
// (statistics, connect warning, the operator's connect-state and connect-failed windows, the
// profile management) when the controller asks.
#include "ostrel/connection/view/ConnectWarningSheet.h"
#include "ostrel/connection/view/CredentialsSheet.h"
#include "ostrel/connection/view/DialConfigSheets.h"
#include "ostrel/connection/view/OperatorConnectWindows.h"
#include "ostrel/connection/view/StatisticsWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

namespace ostrel {

class ConnectFailedWindow;
class ConnectStateWindow;
class ConnectWarningSheet;
class DialConfigChooser;
class DialConfigManagementSheet;
class DialController;
class StatisticsWindow;

class InternetView : public QWidget {
    Q_OBJECT
public:
    explicit InternetView(DialController *controller, QWidget *parent = nullptr);
    ~InternetView() override;

    // Redraws from the controller's display state.
    void refresh();

    QPushButton *connectButton() const { return connectButton_; }
    DialConfigChooser *chooser() const { return chooser_; }
    QLabel *stateLabel() const { return m_ConnectState; }
    QLabel *field(const QString &name) const;
    // The current profile's detail fields: "m_tfdTelNumber", "m_tfdUsername", "m_tfdPassword".
    QLineEdit *profileField(const QString &name) const;
    QLabel *providerLabel() const { return providerLabel_; }
    QLabel *profileDetailLabel() const { return profileDetail_; }
    QLabel *dataStateIcon() const { return dataStateIcon_; }
    // "Enable Auto APN Match" (shown only while settings.plist has EnableAutoApnMatch).
    QCheckBox *autoApnMatchBox() const { return autoApnMatch_; }
    StatisticsWindow *statisticsWindow() const { return statisticsWindow_; }
    ConnectWarningSheet *connectWarningSheet() const { return connectWarningSheet_; }
    CredentialsSheet *credentialsSheet() const { return credentialsSheet_; }
    ConnectStateWindow *connectStateWindow() const { return connectStateWindow_; }
    ConnectFailedWindow *connectFailedWindow() const { return connectFailedWindow_; }
    DialConfigManagementSheet *managementSheet() const { return managementSheet_; }
    // A caption of the view by its name ("Net_Status", "Net_Send", "labelInternetPrompt_", ...).
    QLabel *captionLabel(const QString &name) const;
    // The view's controls under their skin keys, in the order the skin registers them; null where
    // the control is not built yet (the profile windows, the operator's windows).
    QList<std::pair<QString, QObject *>> skinBindings() const;

    // Re-words every caption in the current language.
    void initWording();

private:
    struct Caption {
        QLabel *label;
        const char *english;
    };
    void openManagementSheet();
    QLabel *addCaption(const char *english, const QString &name, QWidget *parent);
    QLabel *addField(QGridLayout *grid, int row, int column, const char *english, const QString &captionName,
                     const QString &name);
    void setFieldHidden(const QString &name, bool hidden);
    QWidget *makeProfileDetails();

    DialController *controller_;
    DialConfigChooser *chooser_ = nullptr;
    QPushButton *connectButton_ = nullptr;
    QLabel *m_ConnectState = nullptr;
    QLabel *stateImage_ = nullptr;
    QLabel *startUpNote_ = nullptr;
    QLabel *modemAndSimState_ = nullptr;
    QLabel *apnLabel_ = nullptr;
    QWidget *profileDetails_ = nullptr;
    QList<QLineEdit *> profileFields_;
    QLabel *providerLabel_ = nullptr;
    QLabel *profileDetail_ = nullptr;
    QLabel *dataStateIcon_ = nullptr;
    QCheckBox *autoApnMatch_ = nullptr;
    QString dataStateImageShown_;
    QString connectButtonImageShown_;
    QWidget *connectStateRow_ = nullptr;
    QList<QLabel *> fields_;
    QList<Caption> captions_;
    QHash<QString, QLabel *> captionOfField_;
    QPointer<StatisticsWindow> statisticsWindow_;
    QPointer<ConnectWarningSheet> connectWarningSheet_;
    QPointer<CredentialsSheet> credentialsSheet_;
    QPointer<ConnectStateWindow> connectStateWindow_;
    QPointer<ConnectFailedWindow> connectFailedWindow_;
    QPointer<DialConfigManagementSheet> managementSheet_;
};

// Puts the Internet view into the tab page whose identifier is "Internet" (adding that tab when the
// tab view has none) and returns it; null without a tab view.
InternetView *installInternetView(DialController *controller, QTabWidget *tabView);

} // namespace ostrel
