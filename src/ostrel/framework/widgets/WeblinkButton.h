#pragma once
// The favourite and fixed link buttons of operators. A click on an enabled button follows its link
// by its type:
//   0  starts the program the link names (a file: link or a path), with the link parameter, when
//      set, as its one argument (a file to open); started detached, with an argument list;
//   1  opens the link in the desktop's browser;
//   any other type does nothing.
// How programs are started and links opened is replaceable (tests record them).
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace ostrel {

class WeblinkButton : public QPushButton {
    Q_OBJECT
public:
    explicit WeblinkButton(QWidget *parent = nullptr);

    // The link = the URL made from the text; an empty text gives no link.
    void setWebLinkString(const QString &text);
    QUrl webLink() const { return webLink_; }
    void setLinkType(int type) { linkType_ = type; }
    int linkType() const { return linkType_; }
    void setLinkPara(const QString &para) { linkPara_ = para; }
    QString linkPara() const { return linkPara_; }

    // Follows the link as a click does.
    void followLink();

    using Launcher = std::function<bool(const QString &program, const QStringList &arguments)>;
    using Opener = std::function<bool(const QUrl &url)>;
    // Null restores the defaults (QProcess::startDetached, QDesktopServices::openUrl).
    static void setLauncher(Launcher launcher);
    static void setOpener(Opener opener);
    static bool launch(const QString &program, const QStringList &arguments);
    static bool open(const QUrl &url);

private:
    QUrl webLink_;
    int linkType_ = 0;
    QString linkPara_;
};

// Makes a link URL from a text: an existing path or an absolute path gives a file: URL.
QUrl webLinkFromString(const QString &text);

} // namespace ostrel
