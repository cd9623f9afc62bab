#pragma once
// What the Internet view shows of the connection, as the connection controller keeps it. The view
// (ostrel/connection/view) draws it after each DialController::displayChanged().
#include "ostrel/connection/profile/DialProfile.h"

#include <QString>

namespace ostrel {

struct DialDisplay {
    // The connect buttons (main, simple window, post-connection, skin "btnDialConnectExt").
    QString connectButtonTitle = QStringLiteral("Connect");
    QString connectButtonToolTip;
    bool connectButtonEnabled = false;
    bool connectButtonHidden = false;
    QString stateImage = QStringLiteral("StateOfNotConnection");
    // The connect button's image file (Internet/ConnectBtnDisplayWithImage); empty: none.
    QString connectButtonImage;

    QString stateText;         // m_ConnectState
    QString startUpNote;       // "Modem is in start-up process." until the first enabling
    QString modemAndSimState;  // the device-state line
    // The data-state icon (Internet/SetConnectStateForDidizu): "DataConnected" or
    // "DataNotConnected" with its tool tip; empty while the operator has no such icon.
    QString dataStateImage;
    QString dataStateToolTip;

    QString connectTime = QStringLiteral("00:00:00");
    QString sendData = QStringLiteral("_____");
    QString receiveData = QStringLiteral("_____");
    QString totalData = QStringLiteral("_____");
    QString sendSpeed = QStringLiteral("_____");
    QString receiveSpeed = QStringLiteral("_____");
    QString ipAddress = QStringLiteral("0.0.0.0");
    QString monthlyData;
    // Settings AutoHideConnectState: the state, time, data and address fields are hidden while no
    // connection runs, and the modem/SIM line shows in their place (and is hidden meanwhile).
    bool connectStateHidden = false;
    bool modemAndSimStateHidden = false;
    // Internet/AutoHideConnectStateForDidizu: the two speed fields follow the same rule.
    bool connectSpeedHidden = false;

    bool profileChooserEnabled = true;
    // The chooser item shown instead of the current profile's (item 1 after the device was
    // removed, with per-SIM profiles); -1: the current profile's item.
    int chooserItem = -1;
    QString currentApn;
    // The current profile's details (displayAPNInfo) and the operator's detail label
    // (changeControlsPosForProfile); the detail fields take no input while no device is present.
    ProfileDisplay profile;
    QString profileDetail;
    bool profileFieldsEnabled = true;
    // The check box "Enable Auto APN Match": shown only when settings.plist has EnableAutoApnMatch.
    bool autoApnMatchShown = false;
    bool autoApnMatchChecked = false;
    // A device mode without APN, PDP-address and DNS settings hides them in the profile windows.
    bool wcdmaConfigHidden = false;

    // Operator windows.
    bool connectStateWindowShown = false;
    QString connectStateLabel;
    bool connectStateCancelEnabled = false;
    bool connectFailedWindowShown = false;
    QString connectFailedLabel;
    int progressImage = 0; // 1 ... 10 while an animation runs

    bool operator==(const DialDisplay &) const = default;
};

} // namespace ostrel
