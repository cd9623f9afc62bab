// The "Alert" panel: the state of each sound's row, the file shown and its default, the chooser
// and the Play buttons.
#include "PanelHarness.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace settingstest;

const char *const kFileKeys[] = {"onlineSoundFileName", "offlineSoundFileName", "smsSoundFileName", "callSoundFileName"};
const char *const kMuteKeys[] = {"onlineSoundMute", "offlineSoundMute", "smsSoundMute", "callSoundMute"};
const char *const kDefaults[] = {"sound/online.wav", "sound/offline.wav", "sound/sms.wav", "sound/call.wav"};

class SoundPanelTest : public PanelFixture {
protected:
    void SetUp() override
    {
        PanelFixture::SetUp();
        config->setConfigurationByModule("toolBarItems", QVariantList{QVariantMap{{"itemIdentifier", "SMS"}},
                                                                      QVariantMap{{"itemIdentifier", "Call"}}});
        set("UIConfig", "NoToolbar", true);
        setItems({"Alert"});
    }
    QString makeFile(const QString &name)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("RIFF");
        return path;
    }
};

TEST_F(SoundPanelTest, RowStateFollowsMuteAndTheTickMeaning)
{
    const struct {
        bool alertNotMuteSet, muted;
        bool ticked, enabled;
    } cases[] = {{false, false, false, true}, {false, true, true, false}, {true, false, true, true}, {true, true, false, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "AlertNotMuteSet " << c.alertNotMuteSet << " muted " << c.muted);
        controller.reset();
        set("Setting", "AlertNotMuteSet", c.alertNotMuteSet);
        for (const char *key : kMuteKeys)
            config->setConfigurationByModule(key, c.muted);
        makeController();
        for (int type = 0; type < 4; ++type) {
            EXPECT_EQ(controller->muteBox(type)->isChecked(), c.ticked) << type;
            EXPECT_EQ(controller->soundField(type)->isEnabled(), c.enabled) << type;
            EXPECT_EQ(controller->soundBrowseButton(type)->isEnabled(), c.enabled) << type;
            EXPECT_EQ(controller->soundPlayButton(type)->isEnabled(), c.enabled) << type;
        }
        // A click turns the row over and stores the flag the store's way.
        controller->muteBox(1)->click();
        EXPECT_EQ(stored().value("offlineSoundMute").toBool(), !c.muted);
        EXPECT_EQ(controller->soundField(1)->isEnabled(), c.muted);
        EXPECT_EQ(controller->muteBox(1)->isChecked(), !c.ticked);
    }
}

TEST_F(SoundPanelTest, AMissingFileFallsBackToTheDefaultWhichIsWrittenBack)
{
    const QString kept = makeFile("mine/ring.wav");
    config->setConfigurationByModule("onlineSoundFileName", kept);
    config->setConfigurationByModule("offlineSoundFileName", dir.filePath("gone.wav"));
    for (bool nameOnly : {false, true}) {
        SCOPED_TRACE(nameOnly);
        controller.reset();
        set("Setting", "DisplayOnlySoundFileName", nameOnly);
        makeController();
        const QVariantMap s = stored();
        EXPECT_EQ(s.value("onlineSoundFileName").toString(), kept);
        for (int type = 1; type < 4; ++type)
            EXPECT_EQ(s.value(kFileKeys[type]).toString(), dir.filePath(kDefaults[type])) << type;
        EXPECT_EQ(controller->soundField(0)->text(), nameOnly ? "ring.wav" : kept);
        EXPECT_EQ(controller->soundField(1)->text(), nameOnly ? "offline.wav" : dir.filePath("sound/offline.wav"));
    }
}

TEST_F(SoundPanelTest, TheChooserChangesTheFileOnlyWhenAFileIsChosen)
{
    makeController();
    const QString before = stored().value("smsSoundFileName").toString();
    chooser.cancelNext();
    controller->soundBrowseButton(2)->click();
    EXPECT_EQ(stored().value("smsSoundFileName").toString(), before);

    const QString ring = makeFile("ring.MP3");
    chooser.chooseNext(ring);
    controller->soundBrowseButton(2)->click();
    EXPECT_EQ(stored().value("smsSoundFileName").toString(), ring);
    EXPECT_EQ(controller->soundField(2)->text(), ring);
    ASSERT_FALSE(chooser.requests().isEmpty());
    EXPECT_TRUE(chooser.requests().last().fileTypes.contains("mp3"));
    EXPECT_EQ(chooser.requests().last().title, "Select one or more audio files.");
    EXPECT_EQ(chooser.requests().last().fileTypesName, "Audio files"); // one filter for every audio type

    // A file of another kind is not taken.
    alerts.clear();
    chooser.chooseNext(makeFile("notes.txt"));
    controller->soundBrowseButton(2)->click();
    EXPECT_EQ(stored().value("smsSoundFileName").toString(), ring);
    EXPECT_EQ(alerts.messages(), QStringList{"Please choose an audio file."});
}

TEST_F(SoundPanelTest, PlayOnTheCallRowTwiceStopsTheRing)
{
    const QString ring = makeFile("call.wav");
    config->setConfigurationByModule("callSoundFileName", ring);
    makeController();
    soundEvents.clear();
    controller->soundPlayButton(3)->click();
    EXPECT_EQ(soundEvents, QStringList{"play:" + ring});
    controller->soundPlayButton(3)->click();
    EXPECT_EQ(soundEvents, (QStringList{"play:" + ring, "stop"}));

    // The other rows play for a while and stop by themselves.
    soundEvents.clear();
    controller->soundPlayButton(0)->click();
    EXPECT_EQ(soundEvents.first(), "play:" + stored().value("onlineSoundFileName").toString());
    clock.advance(3000);
    EXPECT_EQ(soundEvents.last(), "stop");
}

} // namespace
