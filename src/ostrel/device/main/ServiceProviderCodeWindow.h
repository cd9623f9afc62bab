#pragma once
// The service-provider-code window of the first start: the user types the code printed on the
// box; the code picks the APN profile (written as the only profile of "dialConfig.plist") and,
// when it brings one, the provider logo. The main window stays transparent while it is open; the
// launch goes on (the closed callback) once it closes, with a code or by "Continue".
//
// The codes come from the settings: AllSPCodeIndex (code -> {Index, ProviderLogo}) into
// AllDialConfig (the profiles offered).
#include "ostrel/framework/neighbours/ServiceProviderCodeWindowInterface.h"

#include <QObject>
#include <QPointer>

#include <functional>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ostrel {

class MainController;

class ServiceProviderCodeWindow : public QObject, public ServiceProviderCodeWindowInterface {
    Q_OBJECT
public:
    explicit ServiceProviderCodeWindow(MainController &main);
    ~ServiceProviderCodeWindow() override;

    enum class CodeResult { Accepted, Unknown, NotSaved };

    // Nib time: with CheckSPCode the window is made and the main window turns transparent.
    void initCheckSPCodeWin(QWidget *mainWindow);
    void openCheckSPCodeWindow(QWidget *mainWindow, std::function<void()> closed) override;

    // What the code selects: its profile written as the whole profile file, its logo into the
    // settings. Unknown for a code without an entry, an index outside AllDialConfig or a missing
    // table; NotSaved when the profile file could not be written (nothing else changes then).
    CodeResult findAPNInfoBySPCode(const QString &code);

    // The window's controls (made at nib time; null before and after).
    QDialog *window() const { return wndCheckSPCode_; }
    QLineEdit *codeField() const { return textfieldSPCode_; }
    QPushButton *okButton() const { return btnCheckOK_; }
    QPushButton *cancelButton() const { return btnCheckCancel_; }

    // OK: an empty field does nothing; a known code closes the window; otherwise the user is told
    // and the window stays.
    void checkSPCode();
    // Cancel: asks whether to go on without a code ("Continue" closes the window).
    void checkSPCodeWndCancel();
    void closeCheckSPCodeWin();
    void controlTextDidChange();

private:
    void buildWindow();

    MainController &main_;
    QPointer<QDialog> wndCheckSPCode_;
    QPointer<QLabel> labelCheckWnd_;
    QPointer<QLineEdit> textfieldSPCode_;
    QPointer<QPushButton> btnCheckOK_;
    QPointer<QPushButton> btnCheckCancel_;
    QPointer<QWidget> mainWindow_;
    std::function<void()> closed_;
};

} // namespace ostrel
