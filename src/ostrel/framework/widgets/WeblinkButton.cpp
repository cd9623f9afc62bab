#include "ostrel/framework/widgets/WeblinkButton.h"

#include <QDesktopServices>
#include <QDir>
#include <QLoggingCategory>
#include <QProcess>

namespace ostrel {

namespace {
Q_LOGGING_CATEGORY(lcWeblink, "ostrel.weblinks")

WeblinkButton::Launcher &launcher()
{
    static WeblinkButton::Launcher l;
    return l;
}
WeblinkButton::Opener &opener()
{
    static WeblinkButton::Opener o;
    return o;
}
} // namespace

QUrl webLinkFromString(const QString &text)
{
    if (text.isEmpty())
        return QUrl();
    if (QDir::isAbsolutePath(text))
        return QUrl::fromLocalFile(text);
    return QUrl(text);
}

WeblinkButton::WeblinkButton(QWidget *parent) : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, [this] { followLink(); });
}

void WeblinkButton::setWebLinkString(const QString &text)
{
    webLink_ = webLinkFromString(text);
}

void WeblinkButton::followLink()
{
    if (!isEnabled() || !webLink_.isValid() || webLink_.isEmpty())
        return;
    if (linkType_ == 0) {
        const QString program = webLink_.isLocalFile() ? webLink_.toLocalFile() : webLink_.toString();
        const QStringList arguments = linkPara_.isEmpty() ? QStringList() : QStringList{linkPara_};
        if (!launch(program, arguments))
            qCWarning(lcWeblink).noquote() << QStringLiteral("could not start %1").arg(program);
    } else if (linkType_ == 1) {
        open(webLink_);
    }
}

void WeblinkButton::setLauncher(Launcher l) { launcher() = std::move(l); }
void WeblinkButton::setOpener(Opener o) { opener() = std::move(o); }

bool WeblinkButton::launch(const QString &program, const QStringList &arguments)
{
    if (launcher())
        return launcher()(program, arguments);
    return QProcess::startDetached(program, arguments);
}

bool WeblinkButton::open(const QUrl &url)
{
    if (opener())
        return opener()(url);
    return QDesktopServices::openUrl(url);
}

} // namespace ostrel
