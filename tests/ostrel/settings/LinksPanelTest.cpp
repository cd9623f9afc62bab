// The "Browser" panel (the link opened when a connection starts, its advanced list, the one-time
// page) and the "FavoriteLinks" editor (showing, editing, moving, saving and launching links),
// with the list files that cannot be read set aside.
#include "PanelHarness.h"

#include "common/PlistBridge.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/widgets/IconMatrix.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

using namespace settingstest;
using ostrel::BrowserLinkList;
using ostrel::LinkListFile::hasWebScheme;
using ostrel::LinkListFile::linkWithScheme;

QVariantList links(const QStringList &texts)
{
    QVariantList list;
    for (const QString &t : texts)
        list << BrowserLinkList::entryFor(t);
    return list;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class LinksPanelTest : public PanelFixture {
protected:
    void writeList(const QString &name, const QVariant &value) { ASSERT_TRUE(yov::PlistBridge::writeFile(modemFile(name), value)); }
    QStringList browserFile() const
    {
        QStringList texts;
        for (const QVariant &e : yov::PlistBridge::readFile(modemFile("browserList.plist")).value_or(QVariant()).toList())
            texts << e.toMap().value("browserdiscription").toString();
        return texts;
    }
    void startBrowser(const QStringList &texts, int browserId = 0, int fixed = 0)
    {
        writeList("browserList.plist", links(texts));
        config->setConfigurationByModule("BrowserID", browserId);
        config->setConfigurationByModule("DefaultBrowserNum", fixed);
        setItems({"Browser", "FavoriteLinks"});
        makeController();
        alerts.setHoldOpen(true);
    }
    void openAdvanced()
    {
        controller->advancedbrowserlist();
        ASSERT_TRUE(controller->addBrowserSheet()->isVisible());
    }
    void selectAvailable(const QString &text)
    {
        controller->availableLinksCombo()->setCurrentIndex(controller->availableLinksCombo()->findText(text));
    }
    void connected(bool on)
    {
        controller->setRuntimeObject(on, "runtimeIsConnecttedFlag");
        center.post("ConnectStatusDidChange");
    }
};

TEST(LinkListFileTest, WebSchemeRule)
{
    const struct {
        const char *text, *url;
    } cases[] = {{"www.a.b", "http://www.a.b"}, {"https://a.b", "https://a.b"}, {"http:/x", "http://http:/x"},
                 {"http://a", "http://a"},       {"https:/", "https:/"},         {"HTTP://a", "http://HTTP://a"}};
    for (const auto &c : cases)
        EXPECT_EQ(linkWithScheme(QLatin1String(c.text)), QLatin1String(c.url)) << c.text;
    EXPECT_FALSE(hasWebScheme("http:/"));
}

TEST(LinkListFileTest, TheChosenLinkIsFollowedAcrossRemovals)
{
    // BrowserID 2 of five links; each case removes links named by their place in the file.
    const struct {
        QList<int> removed;
        int chosen;
    } cases[] = {{{0}, 1}, {{2}, 0}, {{3}, 2}, {{0, 3}, 1}, {{4, 1, 0}, 0}, {{}, 2}};
    for (const auto &c : cases) {
        BrowserLinkList list;
        list.reset(links({"a", "b", "c", "d", "e"}));
        const QStringList names{"a", "b", "c", "d", "e"};
        for (int removed : c.removed)
            list.remove(list.indexOf(names.at(removed)));
        EXPECT_EQ(list.followChosen(2), c.chosen);
    }
    BrowserLinkList added;
    added.reset(links({"a"}));
    ASSERT_EQ(added.add("b"), BrowserLinkList::Refusal::None);
    added.remove(0);
    EXPECT_EQ(added.followChosen(0), 0) << "the chosen link is gone: the first one";
}

TEST_F(LinksPanelTest, TheSkinKeysOfTheLocalPanelsFindTheirOwnControls)
{
    setItems({"System", "Connect", "Alert", "Browser", "FavoriteLinks"});
    makeController();
    for (const char *key :
         {"btnSettingStartWithSys", "btnSettingStartWithDeviceIsPlugLabel", "btnSettingAutoConnect", "matrixSettingAutoConnect",
          "labelAutoSetting", "labelselectLanguageSetting", "comboSupportLanguageSetting", "MatrixConnectTypeSetting",
          "labelConnectTypeSetting", "labelConnectSetting", "btnConnectBrowseSetting", "btnSMSBrowseSetting",
          "btnDisconnectBrowseSetting", "btnCallBrowseSetting", "btnConnectTextDiscriptionSetting",
          "labelSMSTextDiscriptionSetting", "btnDisconnectTextDiscriptionSetting", "btnCallTextDiscriptionSetting",
          "btnConnectSoundFileNameSetting", "btnSMSSoundFileNameSetting", "btnDisconnectSoundFileNameSetting",
          "btnCallSoundFileNameSetting", "btnConnectMuteSetting", "btnSMSMuteSetting", "btnDisconnectMuteSetting",
          "btnCallMuteSetting", "wndSettingAddBrowser", "btnSettingAddBrowser", "labelBrowserAutoConnectSetting",
          "textBrowserSetting", "cbboxSettingBrowserList", "btnAdvancedSetting", "labelAdvancedSetting",
          "labelAddLinkSetting", "textAddBrowserSetting", "btnAddLinkSetting", "labelAddBrowserListSetting",
          "cbboxAddBrowserListSetting", "btnEditAvailableSetting", "btnRemoveAvailableSetting", "textEditBrowserSetting",
          "btnOKAddBrowserSetting", "btnCancelAddBrowserSetting", "btnOKEditBrowserSetting", "btnCancelEditBrowserSetting"}) {
        EXPECT_TRUE(ostrel::SettingController::skinKeys().contains(QLatin1String(key))) << key;
        EXPECT_NE(controller->controlForSkinKey(QLatin1String(key)), nullptr) << key;
    }
}

TEST_F(LinksPanelTest, AddEditAndRemoveRefuseBadTexts)
{
    startBrowser({"fixed.example", "a.example", "b.example"}, 0, 1);
    openAdvanced();
    const struct {
        const char *text;
        const char *warning; // null: none
        QStringList list;
    } adds[] = {
        {"has blank", "Invalid Profile!", {"fixed.example", "a.example", "b.example"}},
        {"a.example", "Name already exists, please rename!", {"fixed.example", "a.example", "b.example"}},
        {"", nullptr, {"fixed.example", "a.example", "b.example"}},
        {"c.example", nullptr, {"fixed.example", "a.example", "b.example", "c.example"}},
    };
    for (const auto &c : adds) {
        SCOPED_TRACE(c.text);
        alerts.clear();
        controller->addBrowserField()->setText(QLatin1String(c.text));
        controller->addlink();
        EXPECT_EQ(alerts.messages(), c.warning ? QStringList{c.warning} : QStringList{});
        if (c.warning) {
            EXPECT_EQ(alerts.shown().first().title, "Warning!");
        }
        alerts.answerAllOpen();
        QStringList shown;
        for (int i = 0; i < controller->availableLinksCombo()->count(); ++i)
            shown << controller->availableLinksCombo()->itemText(i);
        EXPECT_EQ(shown, c.list);
    }

    // The fixed entry cannot be edited or removed.
    selectAvailable("fixed.example");
    EXPECT_FALSE(controller->editLinkButton()->isEnabled());
    EXPECT_FALSE(controller->removeLinkButton()->isEnabled());
    selectAvailable("a.example");
    EXPECT_TRUE(controller->editLinkButton()->isEnabled());

    const struct {
        const char *text;
        const char *warning;
        bool sheetStays;
        const char *result;
    } edits[] = {
        {"a b", "Invalid Profile!", true, "a.example"},
        {"a.example", nullptr, false, "a.example"}, // unchanged: the sheet closes
        {"b.example", "Name already exists, please rename!", true, "a.example"},
        {"", nullptr, true, "a.example"},
        {"z.example", nullptr, false, "z.example"},
    };
    for (const auto &c : edits) {
        SCOPED_TRACE(c.text);
        alerts.clear();
        selectAvailable(QString::fromLatin1(c.result == QLatin1String("z.example") ? "a.example" : c.result));
        controller->editLinkButton()->click();
        ASSERT_TRUE(controller->editBrowserSheet()->isVisible());
        controller->editBrowserField()->setText(QLatin1String(c.text));
        controller->okEditBrowser();
        EXPECT_EQ(alerts.messages(), c.warning ? QStringList{c.warning} : QStringList{});
        alerts.answerAllOpen();
        EXPECT_EQ(controller->editBrowserSheet()->isVisible(), c.sheetStays);
        if (c.sheetStays)
            controller->cancelEditBrowser();
        EXPECT_GE(controller->browserLinks().indexOf(QLatin1String(c.result)), 0);
    }

    // Cancel drops every change; the file is as it was.
    controller->cancelAddBrowser();
    EXPECT_EQ(browserFile(), (QStringList{"fixed.example", "a.example", "b.example"}));
    EXPECT_EQ(controller->browserCombo()->count(), 3);
    EXPECT_EQ(controller->browserCombo()->itemText(1), "a.example");
}

TEST_F(LinksPanelTest, RemovalsKeepTheChosenLinkAfterOk)
{
    const struct {
        QStringList removed;
        int browserId;
        QString chosen;
    } cases[] = {
        {{"l0"}, 1, "l2"}, {{"l2"}, 0, "l0"}, {{"l3"}, 2, "l2"}, {{"l0", "l2", "l3"}, 0, "l1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(qPrintable(c.removed.join(',')));
        controller.reset();
        startBrowser({"l0", "l1", "l2", "l3", "l4"}, 2);
        EXPECT_EQ(controller->browserCombo()->currentText(), "l2");
        openAdvanced();
        for (const QString &text : c.removed) {
            selectAvailable(text);
            controller->removAvailableLinks();
        }
        controller->okAddBrowser();
        EXPECT_EQ(stored().value("BrowserID").toInt(), c.browserId);
        EXPECT_EQ(controller->browserCombo()->currentText(), c.chosen);
        EXPECT_EQ(browserFile().size(), 5 - c.removed.size());
    }
    // Removing the only entry while it is chosen leaves no selection to lose.
    controller.reset();
    startBrowser({"only"}, 0);
    openAdvanced();
    selectAvailable("only");
    controller->removAvailableLinks();
    controller->okAddBrowser();
    EXPECT_EQ(stored().value("BrowserID").toInt(), 0);
    EXPECT_FALSE(controller->browserCombo()->isEnabled());
    // The emptied list is no dead end: a new first link can be added and is the chosen one.
    ASSERT_TRUE(controller->advancedButton()->isEnabled());
    openAdvanced();
    EXPECT_FALSE(controller->availableLinksCombo()->isEnabled());
    controller->addBrowserField()->setText("fresh.example");
    controller->addlink();
    controller->okAddBrowser();
    EXPECT_EQ(browserFile(), QStringList{"fresh.example"});
    EXPECT_TRUE(controller->browserCombo()->isEnabled());
    EXPECT_EQ(controller->browserCombo()->currentText(), "fresh.example");
}

TEST_F(LinksPanelTest, TheLinkOpensOncePerConnectionUnlessSwitchedOff)
{
    const struct {
        const char *text;
        const char *url;
    } cases[] = {{"www.a.b", "http://www.a.b"}, {"https://a.b", "https://a.b"}, {"http:/x", "http://http:/x"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        controller.reset();
        opened.clear();
        startBrowser({QLatin1String(c.text)});
        connected(true);
        controller->AutoLaunchURL(); // the dial controller asks too
        EXPECT_EQ(opened, QStringList{QUrl(QLatin1String(c.url)).toString()});
        connected(false);
        connected(true);
        EXPECT_EQ(opened.size(), 2) << "the next connection opens it again";
    }
    // The do-not-open box, stored on OK.
    opened.clear();
    connected(false);
    openAdvanced();
    controller->doNotOpenBox()->setChecked(true);
    controller->okAddBrowser();
    EXPECT_TRUE(stored().value("NotAutolaunch").toBool());
    connected(true);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(LinksPanelTest, TheOneTimePageOpensOnceWithoutABrowserPanel)
{
    QFile list(dir.filePath("tokens.txt"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("\"The Custom URL\" = \"http://operator.example/welcome\";\n");
    list.close();
    ASSERT_TRUE(ostrel::Lingrove_Init(list.fileName()));
    struct Reset {
        ~Reset() { ostrel::Lingrove_Init(QString()); }
    } reset;
    const struct {
        QVariant hasOpened;
        bool opens;
    } cases[] = {{QVariant(), false}, {false, true}, {true, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.hasOpened.toString().toStdString());
        controller.reset();
        opened.clear();
        QVariantMap internet;
        if (c.hasOpened.isValid())
            internet.insert("CustomURLHasOpened", c.hasOpened);
        config->setConfigurationByModule("Internet", internet);
        setItems({"System"});
        makeController();
        connected(true);
        EXPECT_EQ(opened, c.opens ? QStringList{"http://operator.example/welcome"} : QStringList{});
        connected(false);
        connected(true);
        EXPECT_EQ(opened.size(), c.opens ? 1 : 0) << "once only";
        if (c.hasOpened.isValid())
            EXPECT_EQ(stored().value("Internet").toMap().value("CustomURLHasOpened").toBool(), c.opens || c.hasOpened.toBool());
        else
            EXPECT_FALSE(stored().value("Internet").toMap().contains("CustomURLHasOpened"));
    }

    // A language file without the page opens nothing and leaves the page to open once it has one.
    ostrel::Lingrove_Init(QString());
    controller.reset();
    opened.clear();
    config->setConfigurationByModule("Internet", QVariantMap{{"CustomURLHasOpened", false}});
    makeController();
    connected(true);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_FALSE(config->getConfigurationByModule("Internet").toMap().value("CustomURLHasOpened", true).toBool());
}

TEST_F(LinksPanelTest, UnreadableListFilesAreSetAsideAndNeverOverwritten)
{
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"not a plist", "this is not a property list"},
        {"a dictionary root", *yov::PlistBridge::toXml(QVariantMap{{"a", 1}})},
        {"an element that is a string", *yov::PlistBridge::toXml(QVariantList{BrowserLinkList::entryFor("x"), "text"})},
    };
    for (const char *file : {"browserList.plist", "FavoriteLinks.plist"}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(file) + ": " + c.name);
            controller.reset();
            QDir(dir.path()).removeRecursively();
            QDir().mkpath(dir.path());
            const QString path = modemFile(QLatin1String(file));
            {
                QFile f(path);
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                f.write(c.bytes);
            }
            setItems({"Browser", "FavoriteLinks"});
            alerts.clear();
            makeController();
            alerts.setHoldOpen(true);
            EXPECT_EQ(fileBytes(path + ".unreadable"), c.bytes) << "set aside byte for byte";
            ASSERT_EQ(alerts.count(), 1);
            EXPECT_TRUE(alerts.messages().first().contains(path + ".unreadable"));
            // The editors start empty and save a fresh file beside it.
            if (QLatin1String(file) == QLatin1String("browserList.plist")) {
                EXPECT_EQ(controller->browserCombo()->count(), 0);
                controller->addBrowserField()->setText("new.example");
                controller->addlink();
                controller->okAddBrowser();
                EXPECT_EQ(browserFile(), QStringList{"new.example"});
            } else {
                EXPECT_TRUE(controller->favoriteLinksProperties().isEmpty());
                controller->modifyFavoriteLink();
                EXPECT_TRUE(QFileInfo::exists(path));
            }
            EXPECT_EQ(fileBytes(path + ".unreadable"), c.bytes);
            EXPECT_EQ(alerts.count(), 1) << "told once";
        }
    }
    // A second unreadable file gets a numbered name.
    controller.reset();
    QFile f(modemFile("browserList.plist"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("again");
    f.close();
    {
        QFile first(modemFile("browserList.plist.unreadable"));
        ASSERT_TRUE(first.open(QIODevice::WriteOnly));
        first.write("first");
    }
    makeController();
    EXPECT_EQ(fileBytes(modemFile("browserList.plist.unreadable-2")), "again");
    EXPECT_EQ(fileBytes(modemFile("browserList.plist.unreadable")), "first");
}

// --- favourite links ---------------------------------------------------------------------------

QVariantMap favorite(int index, const QString &name, int type, const QString &path, const QString &para = {},
                     int atStartup = 0, int whenConnected = 0)
{
    QVariantMap e{{"Index", index}, {"Name", name}, {"Type", type}, {"Path", path}, {"Image", "/img/" + name + ".png"},
                  {"LaunchAtStartup", atStartup}, {"LaunchaWhenConnected", whenConnected}};
    if (!para.isEmpty())
        e.insert("Para", para);
    return e;
}

class FavoriteLinksTest : public LinksPanelTest {
protected:
    void startFavorites(const QVariantList &entries)
    {
        writeList("FavoriteLinks.plist", entries);
        setItems({"FavoriteLinks"});
        makeController();
        alerts.setHoldOpen(true);
    }
    void clickCell(int index) { controller->favoriteIconMatrix()->cell(index)->click(); }
    QVariantList savedFavorites() const
    {
        return yov::PlistBridge::readFile(modemFile("FavoriteLinks.plist")).value_or(QVariant()).toList();
    }
};

TEST_F(FavoriteLinksTest, ShowsTheClickedLinkAndFillsMissingKeys)
{
    startFavorites({favorite(0, "editor", 0, "/usr/bin/editor", "notes.txt", 1, 0), QVariantMap{{"Index", 5}},
                    favorite(2, "site", 1, "http://a.example", {}, 0, 1)});
    clickCell(0);
    EXPECT_EQ(controller->linkNameField()->text(), "editor");
    EXPECT_EQ(controller->linkParaField()->text(), "notes.txt");
    EXPECT_TRUE(controller->launchAtStartupBox()->isChecked());
    EXPECT_TRUE(controller->linkParaField()->isEnabled());

    // -1 and an index no entry has change nothing.
    for (int index : {-1, 7}) {
        controller->switchInterfaceToIndexedLink(index);
        EXPECT_EQ(controller->linkNameField()->text(), "editor");
    }
    // An entry without keys: empty texts, the first type, boxes off.
    controller->linkTypeCombo()->setCurrentIndex(1);
    clickCell(5);
    EXPECT_EQ(controller->linkNameField()->text(), "");
    EXPECT_EQ(controller->linkPathField()->text(), "");
    EXPECT_EQ(controller->linkTypeCombo()->currentIndex(), 0);
    EXPECT_FALSE(controller->launchAtStartupBox()->isChecked());
    EXPECT_FALSE(controller->launchWhenConnectedBox()->isChecked());

    // A web link has no parameter and no path chooser.
    clickCell(2);
    EXPECT_EQ(controller->linkTypeCombo()->currentIndex(), 1);
    EXPECT_FALSE(controller->linkParaField()->isEnabled());
    EXPECT_FALSE(controller->linkPathBrowseButton()->isEnabled());
}

TEST_F(FavoriteLinksTest, TheChoosersTakeAProgramOrADesktopEntryAndAnyImage)
{
    startFavorites({favorite(0, "editor", 0, "/usr/bin/editor")});
    clickCell(0);
    const auto makeFile = [this](const QString &name, bool executable) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        if (executable)
            f.setPermissions(f.permissions() | QFile::ExeOwner);
        return path;
    };
    const struct {
        const char *name;
        QString chosen; // empty: cancelled
        bool taken;
    } cases[] = {
        {"cancelled", QString(), false},
        {"a program", makeFile("tool", true), true},
        {"a desktop entry", makeFile("viewer.DESKTOP", false), true},
        {"a plain file", makeFile("notes.txt", false), false},
    };
    QString expected = "/usr/bin/editor";
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        alerts.clear();
        if (c.chosen.isEmpty())
            chooser.cancelNext();
        else
            chooser.chooseNext(c.chosen);
        controller->linkPathBrowseButton()->click();
        EXPECT_TRUE(chooser.requests().last().programsOnly);
        if (c.taken)
            expected = c.chosen;
        EXPECT_EQ(controller->linkPathField()->text(), expected);
        EXPECT_EQ(alerts.messages().size(), (!c.chosen.isEmpty() && !c.taken) ? 1 : 0);
        alerts.answerAllOpen();
    }
    // Only Modify saves: the file still names the old program.
    EXPECT_EQ(savedFavorites().first().toMap().value("Path").toString(), "/usr/bin/editor");
    controller->modifyFavoriteLink();
    EXPECT_EQ(savedFavorites().first().toMap().value("Path").toString(), expected);

    // The image chooser starts in the configuration's image folder and takes any file.
    const QString picture = makeFile("icon.png", false);
    chooser.chooseNext(picture);
    controller->linkImageBrowseButton()->click();
    EXPECT_TRUE(chooser.requests().last().directory.contains("rorira/images")) << chooser.requests().last().directory.toStdString();
    EXPECT_EQ(controller->linkImageField()->text(), picture);
}

TEST_F(FavoriteLinksTest, MovesExchangeIndexesAroundTheEnds)
{
    const struct {
        int from;
        bool forward;
        int to;
    } cases[] = {{0, false, 2}, {2, true, 0}, {1, true, 2}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << (c.forward ? " forward" : " backward"));
        controller.reset();
        startFavorites({favorite(0, "a", 1, "http://a"), favorite(1, "b", 1, "http://b"), favorite(2, "c", 1, "http://c")});
        ostrel::IconMatrix *matrix = controller->favoriteIconMatrix();
        const QString moving = matrix->cellName(c.from);
        const QString other = matrix->cellName(c.to);
        clickCell(c.from);
        if (c.forward)
            controller->moveLinkForward();
        else
            controller->moveLinkBackward();
        EXPECT_EQ(matrix->curcellIndex(), c.to);
        EXPECT_EQ(matrix->cellName(c.to), moving);
        EXPECT_EQ(matrix->cellName(c.from), other);
        EXPECT_EQ(matrix->cellImage(c.to), "/img/" + moving + ".png");
        // Saved only by Modify.
        EXPECT_EQ(savedFavorites().at(c.from).toMap().value("Index").toInt(), c.from);
        controller->modifyFavoriteLink();
        for (const QVariant &e : savedFavorites()) {
            if (e.toMap().value("Name") == moving) {
                EXPECT_EQ(e.toMap().value("Index").toInt(), c.to);
            }
        }
        EXPECT_EQ(dial.calls.last(), "loadFavoritesLinkPropeties");
    }
    // Cancel goes back to the file.
    clickCell(0);
    controller->moveLinkForward();
    controller->cancelFavoriteLink();
    EXPECT_EQ(controller->favoriteIconMatrix()->cellName(0), "a");
    EXPECT_EQ(controller->favoriteIconMatrix()->cellName(1), "c");
}

TEST_F(FavoriteLinksTest, ModifyRefusesABadUrlInTheOperatorsMode)
{
    startFavorites({favorite(0, "site", 1, "http://a.example")});
    const QByteArray before = fileBytes(modemFile("FavoriteLinks.plist"));
    config->setConfigurationByModule("DifferentWorkingMothodForDedorud", true);
    clickCell(0);
    controller->linkPathField()->setText("ftp://a.example");
    controller->modifyFavoriteLink();
    EXPECT_EQ(phonebook.calls, QStringList{"popupAlertOk:URL must start with \"http://\" or \"https://\""});
    EXPECT_EQ(fileBytes(modemFile("FavoriteLinks.plist")), before);
    EXPECT_TRUE(dial.calls.isEmpty());

    controller->linkPathField()->setText("https://b.example");
    controller->linkNameField()->setText("renamed");
    controller->modifyFavoriteLink();
    EXPECT_EQ(savedFavorites().first().toMap().value("Path").toString(), "https://b.example");
    EXPECT_EQ(savedFavorites().first().toMap().value("Name").toString(), "renamed");
}

TEST_F(FavoriteLinksTest, LaunchesByMomentFromTheSavedFile)
{
    const QString desktop = dir.filePath("viewer.desktop");
    startFavorites({favorite(0, "plain", 0, "/usr/bin/plain", {}, 1, 0), favorite(1, "withDoc", 0, "/usr/bin/tool", "my file.txt", 1, 1),
                    favorite(2, "entry", 0, desktop, "doc.pdf", 0, 1), favorite(3, "site", 1, "http://a.example", {}, 1, 1),
                    favorite(4, "other", 2, "/usr/bin/never", {}, 1, 1)});
    launcher.started.clear();
    opened.clear();
    // An edit that is not saved does not count.
    clickCell(2);
    controller->launchWhenConnectedBox()->click();
    const struct {
        int moment;
        QList<QStringList> started;
        QStringList urls;
    } cases[] = {
        {0, {{"/usr/bin/plain"}, {"/usr/bin/tool", "my file.txt"}}, {"http://a.example"}},
        {1, {{"/usr/bin/tool", "my file.txt"}, {"gio", "launch", desktop, "doc.pdf"}}, {"http://a.example"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.moment);
        launcher.started.clear();
        opened.clear();
        controller->checkLauchWebLinksAtMoment(c.moment);
        EXPECT_EQ(launcher.commandLines(), c.started);
        EXPECT_EQ(opened, c.urls);
    }
}

} // namespace
