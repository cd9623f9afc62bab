#include "ostrel/framework/webengine/WebEngineSetup.h"

#include "ostrel/framework/widgets/WebViewUtilities.h"

#ifdef OSTREL_HAVE_WEBENGINE
#include "ostrel/framework/webengine/EngineWebView.h"
#endif

#include <QLoggingCategory>
#include <QtGlobal>

#include <unistd.h>

namespace ostrel {

namespace {
Q_LOGGING_CATEGORY(lcEngineSetup, "ostrel.webview")
const char kDisableSandbox[] = "QTWEBENGINE_DISABLE_SANDBOX";
} // namespace

bool WebEngineSetup::available()
{
#ifdef OSTREL_HAVE_WEBENGINE
    return true;
#else
    return false;
#endif
}

bool WebEngineSetup::sandboxMustBeSwitchedOff(bool runsAsRoot, bool environmentChose)
{
    return runsAsRoot && !environmentChose;
}

bool WebEngineSetup::prepareProcess()
{
    if (!available() || !sandboxMustBeSwitchedOff(geteuid() == 0, qEnvironmentVariableIsSet(kDisableSandbox)))
        return false;
    qputenv(kDisableSandbox, "1");
    qCWarning(lcEngineSetup) << "running as root: the web engine's sandbox cannot run and is switched off";
    return true;
}

bool WebEngineSetup::installWebViews()
{
#ifdef OSTREL_HAVE_WEBENGINE
    WebViewUtilities::setWebViewFactory([](QWidget *parent) -> WebView * { return new EngineWebView(parent); });
    return true;
#else
    return false;
#endif
}

void WebEngineSetup::uninstallWebViews()
{
    WebViewUtilities::setWebViewFactory({});
}

} // namespace ostrel
