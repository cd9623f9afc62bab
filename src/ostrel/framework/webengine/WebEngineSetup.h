#pragma once
// Puts the browser engine behind the dashboard's web views where this build has it (Qt WebEngine,
// OSTREL_WEBENGINE); otherwise the views stay text browsers (WebView.h).
//
// The engine's sandbox cannot run as root: prepareProcess(), called by main() before the
// application object, switches it off then (QTWEBENGINE_DISABLE_SANDBOX=1, one warning in the
// log), unless the environment already chose. A normal user keeps the sandbox.

namespace ostrel {

class WebEngineSetup {
public:
    // Whether this build has the engine.
    static bool available();
    // Whether the sandbox must be switched off here: only as root, and only when the
    // environment has not chosen already.
    static bool sandboxMustBeSwitchedOff(bool runsAsRoot, bool environmentChose);
    // Applies that to this process; true when it switched the sandbox off.
    static bool prepareProcess();
    // Makes new web views engine views (WebViewUtilities::createWebView); false without the engine.
    static bool installWebViews();
    // Back to the text browser.
    static void uninstallWebViews();
};

} // namespace ostrel
