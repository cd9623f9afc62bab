#pragma once
// The operator search and manual selection without widgets: the operator list made from a search
// answer, the table's cell texts, whether "Apply" may be pressed for a row, the check of a
// registration answer and the decision what to do with it. SettingController (its
// SettingControllerNetwork.cpp) drives these and does what they decide on screen and on the link.
#include "common/records/settings/NetworkSelectionRecords.h"

#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <functional>
#include <optional>

namespace ostrel::netsel {

// Keys of one operator of the list (and the table's column identifiers).
inline constexpr const char *kState = "state";
inline constexpr const char *kNetState = "netState";
inline constexpr const char *kName = "lalpha_oper";
inline constexpr const char *kNumeric = "numeric_oper";
inline constexpr const char *kNetType = "nettype";
// The columns in order, with their English header titles.
inline constexpr const char *kColumns[] = {kState, kName, kNumeric, kNetType};
inline constexpr const char *kColumnTitles[] = {"Operator Status", "Operator Name", "Numeric Symbol", "Network Type"};
inline constexpr int kColumnCount = 4;

// How long the device may take before the dashboard stops waiting.
inline constexpr int kSearchAnswerMs = 180000;
inline constexpr int kSelectAnswerMs = 90000;
inline constexpr int kModeAnswerMs = 30000;
// Checks after a failed registration (with the retry switch): the first after 20 s, the others
// after 10 s, at most five.
inline constexpr int kFirstCheckMs = 20000;
inline constexpr int kNextCheckMs = 10000;
inline constexpr int kMaxChecks = 5;

using Translate = std::function<QString(const QString &)>;

// The English state word of a device state (1-3), empty for any other.
QString stateWordOf(int state);
// The operator list of a search answer (at most 30 entries, ended by a state 0): one map per
// operator with the keys above; the state word localised by tr; the short name instead of the long
// one with shortFormat.
QVariantList operatorList(const yov::NetSearchResult &result, bool shortFormat, const Translate &tr);

// The English word of the "Network Type" column: "2G" for 0, "3G" for 2 ("Special2G" /
// "Special3G" with special), empty for 1 and for anything else.
QString netTypeWord(const QString &nettype, bool special);
// The text without its first two characters; empty when it has fewer.
QString withoutFirstTwo(const QString &text);

// What the name column shows besides the device's name (the operator-name options).
struct NameCellOptions {
    bool changeSpn = false;            // Internet/Internet_ChangeSPN_IfNeeded
    QVariantMap specificMccMnc;        // Init/Init_specificMccAndMnc
    // The whole name of Init_specificMccAndMnc, as the local operator name shows it while the
    // device-state service's roaming status is 0 (roaming); otherwise without its first two
    // characters.
    bool wholeSpecificName = false;
    QString currentRmccrmnc;           // the registered network's MCC+MNC
    bool simNeedsSpn = false;          // the SIM asks for the custom names
    QVariantMap customSpn;             // Init/Init_ChangeAllSPN_IfMatchedSpecialMCCMNC
};
// The name cell of an operator whose (already localised) name is name.
QString nameCell(const QString &name, const QString &numeric, const NameCellOptions &options);

// Whether "Apply" is on for the chosen row; nullopt leaves it as it is.
struct RowChoice {
    bool hasRow = false;
    bool forbidden = false;            // the row's state is "FORBIDDEN"
    bool forbiddenCanChoose = false;   // Internet/ForbiddenNetCanChoose
    bool registering = false;          // a registration is pending with the sheet left open
    bool mccMncRegistered = false;     // the row's numeric is in AllowMCCMNCList
    bool applySwitch = false;          // Setting/Setting_SetSearchNetListViewApplyBtnEnable
};
std::optional<bool> applyEnabled(const RowChoice &choice);

// The check of a registration answer. row: the operator the registration was for (null when none).
struct SelectCheck {
    bool specialVersion = false;       // specialSoftVersion/H3GKV421FromIta
    int result = 0;
    yov::ManualSelectResult answer;
    const QVariantMap *row = nullptr;
};
bool manualSelectSucceeded(const SelectCheck &check);

// What the registration answer leads to.
enum class Outcome {
    Ignore,         // the answer of the automatic second registration: nothing at all
    NotifyOnly,     // an answer of another type: only the notification
    Success,
    CheckLater,     // the retry switch: ask the device again after delayMs
    FailBackToList, // "Failed", then the same list again
    FailKeepSheet,  // "Failed" on the sheet, which stays; then back to automatic
    FailCloseSheet, // "Failed" on the window, the sheet closed; then back to automatic
};
struct Decision {
    Outcome outcome = Outcome::Ignore;
    int delayMs = 0;
    int checksAfter = 0; // the count of checks made after this answer
};
struct SelectAnswer {
    bool secondRegistration = false;   // the answer is for the automatic second registration
    int type = 1;
    bool success = false;
    int checksMade = 0;
    bool retrySwitch = false;          // NetSearchForIndiaIdea
    bool backToList = false;           // Setting/BackToNetSelectList
    bool notExitSheet = false;         // Setting/NotExitNetSelSheet
};
Decision decide(const SelectAnswer &answer);

// The index of the first "CURRENT" operator (by its localised state word), or -1.
int findCurrent(const QVariantList &list, const QString &currentWord);

} // namespace ostrel::netsel
