// The run-time dictionary and the alert sounds.
#include "ControllerTestSupport.h"

using namespace controller_test;
using ostrel::AlertSounds;
using ostrel::YOVUIController;

namespace {

class RuntimeTest : public ControllerFixture {};

class SoundTest : public ControllerFixture {
protected:
    void SetUp() override
    {
        ControllerFixture::SetUp();
        useSettings(soundSettings({}));
    }
    static QVariantMap soundSettings(const QVariantMap &extra)
    {
        QVariantMap s{{"onlineSoundFileName", "/snd/online.wav"}, {"offlineSoundFileName", "/snd/offline.wav"},
                      {"smsSoundFileName", "/snd/sms.wav"},       {"callSoundFileName", "/snd/call.wav"},
                      {"quitUISoundFileName", "/snd/quit.wav"},   {"smsSoundMute", true}};
        for (auto it = extra.begin(); it != extra.end(); ++it)
            s.insert(it.key(), it.value());
        return s;
    }
    QStringList plays() const
    {
        QStringList out;
        for (const QString &e : soundLog->events)
            if (!e.startsWith("preload:"))
                out.append(e);
        return out;
    }
};

} // namespace

TEST_F(RuntimeTest, ValuesLiveUnderRuntimeDataAndAreRemovedFromTheFile)
{
    useSettings({{"IsLogOn", false}});
    YOVUIController a(context), b(context);
    EXPECT_TRUE(a.runtimeDictionary().isEmpty());
    EXPECT_TRUE(config->getConfigurationByModule("RuntimeData").isValid()); // created when missing

    a.setRuntimeObject(true, "runtimeSIMCardReady");
    a.setRuntimeObject("861234567890123", "runtimeIMEI");
    a.setRuntimeObject(QVariant(), "runtimeIMEI"); // no value: nothing
    a.setRuntimeObject(1, QString());               // no key: nothing
    // Shared between controllers through the store.
    EXPECT_EQ(b.runtimeObjectForKey("runtimeIMEI"), QVariant("861234567890123"));
    EXPECT_EQ(b.runtimeDictionary().size(), 2);

    // Written with the store's writes while the program runs...
    ASSERT_TRUE(config->writeToFile());
    EXPECT_TRUE(storedSettings().contains("RuntimeData"));
    // ...and removed, in memory and in the file, by the delete.
    EXPECT_TRUE(b.deleteRuntimeDictionary());
    EXPECT_FALSE(storedSettings().contains("RuntimeData"));
    EXPECT_EQ(storedSettings().value("IsLogOn"), QVariant(false));
    EXPECT_FALSE(a.runtimeObjectForKey("runtimeIMEI").isValid());
}

TEST_F(RuntimeTest, StaleRunTimeDataOfAnEarlierRunIsRemovedAtStart)
{
    useSettings({{"RuntimeData", QVariantMap{{"runtimeIsConnecttedFlag", true}}}, {"CurrentLanguage", "English"}});
    EXPECT_TRUE(YOVUIController::removeRuntimeData(config.get()));
    EXPECT_EQ(storedSettings(), (QVariantMap{{"CurrentLanguage", "English"}}));
}

TEST_F(SoundTest, ConfiguredSoundsArePreloadedOnce)
{
    YOVUIController a(context), b(context);
    EXPECT_EQ(soundLog->events, (QStringList{"preload:/snd/online.wav", "preload:/snd/offline.wav", "preload:/snd/sms.wav",
                                             "preload:/snd/call.wav", "preload:/snd/quit.wav"}));
}

TEST_F(SoundTest, OneSoundAtATimeAndAMutedSoundStillEndsTheEarlierOne)
{
    YOVUIController a(context), b(context);
    a.playSound(AlertSounds::Online);
    EXPECT_EQ(AlertSounds::shared().currentType(), 0);
    b.playSound(AlertSounds::Offline); // another controller: the first sound stops
    EXPECT_EQ(plays(), (QStringList{"play:/snd/online.wav", "stop", "play:/snd/offline.wav"}));

    soundLog->events.clear();
    a.playSound(AlertSounds::SmsArrived); // muted
    EXPECT_EQ(plays(), (QStringList{"stop"}));
    EXPECT_EQ(AlertSounds::shared().currentType(), 2);
    EXPECT_FALSE(soundLog->playing);

    soundLog->events.clear();
    a.playSound(7);  // no such type: the current sound stops, nothing plays
    EXPECT_EQ(AlertSounds::shared().currentType(), AlertSounds::kNone);
    a.playSound(-1);
    EXPECT_EQ(plays(), (QStringList{"stop"}));
}

TEST_F(SoundTest, ARingingCallIsNeverCutButStopSoundOfItsTypeEndsIt)
{
    YOVUIController call(context), other(context);
    call.playSound(AlertSounds::IncomingCall);
    soundLog->events.clear();
    other.playSound(AlertSounds::Online);
    other.playSound(AlertSounds::Offline, 5);
    other.playShortSound(AlertSounds::QuitUI);
    other.stopSound(AlertSounds::Online);
    EXPECT_TRUE(plays().isEmpty());
    EXPECT_EQ(clock.pending(), 0); // no delayed stop was scheduled for the ignored requests
    EXPECT_EQ(AlertSounds::shared().currentType(), 3);

    other.stopSound(AlertSounds::IncomingCall);
    EXPECT_EQ(plays(), (QStringList{"stop"}));
    EXPECT_EQ(AlertSounds::shared().currentType(), AlertSounds::kNone);

    // Once the ring is over (no longer playing), other sounds play again.
    call.playSound(AlertSounds::IncomingCall);
    soundLog->playing = false;
    soundLog->events.clear();
    other.playSound(AlertSounds::Online);
    EXPECT_EQ(plays(), (QStringList{"stop", "play:/snd/online.wav"}));
}

TEST_F(SoundTest, TimedSoundsStopAfterTheirTimeAndANewSoundCancelsTheOldStop)
{
    struct Case {
        QVariant playSoundTime;
        qint64 stopsAfterMs;
    } cases[] = {{QVariant(), 3000}, {QVariant(1.5), 1500}, {QVariant(0), 0}, {QVariant(-2), 0}, {QVariant("2"), 2000}};
    for (const Case &c : cases) {
        QVariantMap extra;
        if (c.playSoundTime.isValid())
            extra.insert("PlaySoundTime", c.playSoundTime);
        useSettings(soundSettings(extra));
        YOVUIController controller(context);
        controller.playShortSound(AlertSounds::Online);
        ASSERT_TRUE(soundLog->playing);
        if (c.stopsAfterMs > 0) {
            clock.advance(c.stopsAfterMs - 1);
            EXPECT_TRUE(soundLog->playing) << c.stopsAfterMs;
        }
        clock.advance(1);
        EXPECT_FALSE(soundLog->playing) << c.stopsAfterMs;
        EXPECT_EQ(AlertSounds::shared().currentType(), AlertSounds::kNone);
    }

    YOVUIController controller(context);
    controller.playSound(AlertSounds::Online, 1);
    controller.playSound(AlertSounds::Offline); // cancels the pending stop of the first sound
    clock.advance(5000);
    EXPECT_TRUE(soundLog->playing);
    EXPECT_EQ(AlertSounds::shared().currentType(), 1);
    controller.playSound(AlertSounds::Offline, -1); // negative time: nothing
    EXPECT_EQ(AlertSounds::shared().currentType(), 1);
}

TEST_F(SoundTest, CloseSoundPlaysThroughTheTwoSecondBlockThenStops)
{
    YOVUIController controller(context);
    QStringList seenDuringBlock;
    AlertSounds::shared().setBlocker([&](int ms) {
        blocked.append(ms);
        seenDuringBlock = plays();
        EXPECT_TRUE(soundLog->playing);
    });
    controller.playCloseSound();
    EXPECT_EQ(blocked, (QList<int>{2000}));
    EXPECT_EQ(seenDuringBlock, (QStringList{"play:/snd/quit.wav"}));
    EXPECT_FALSE(soundLog->playing);
}

TEST_F(SoundTest, AControllerThatGoesStopsOnlyItsOwnSound)
{
    YOVUIController call(context);
    call.playSound(AlertSounds::IncomingCall);
    {
        YOVUIController picker(context);
    }
    EXPECT_TRUE(soundLog->playing);
    {
        YOVUIController sms(context);
        call.stopSound();
        sms.playSound(AlertSounds::Online);
    }
    EXPECT_FALSE(soundLog->playing);
    EXPECT_EQ(AlertSounds::shared().currentType(), AlertSounds::kNone);
}

TEST_F(SoundTest, TryingTheRingTogglesIt)
{
    YOVUIController controller(context);
    controller.experienceIncomingcallSond(3);
    EXPECT_TRUE(soundLog->playing);
    EXPECT_EQ(AlertSounds::shared().currentType(), 3);
    controller.experienceIncomingcallSond(3);
    EXPECT_FALSE(soundLog->playing);
    controller.experienceIncomingcallSond(0); // any other type plays the ring
    EXPECT_EQ(AlertSounds::shared().currentType(), 3);
}

TEST_F(SoundTest, MuteFlagsAndFileNamesAreStoredAndWritten)
{
    YOVUIController controller(context);
    controller.setSoundType(AlertSounds::Online, true);
    EXPECT_TRUE(controller.isSoundMute(AlertSounds::Online));
    EXPECT_EQ(storedSettings().value("onlineSoundMute"), QVariant(true));
    controller.setSoundType(9, true); // outside 0 to 4: nothing
    EXPECT_FALSE(controller.isSoundMute(9));

    controller.setSoundFileName(AlertSounds::QuitUI, "/snd/bye.wav");
    EXPECT_EQ(controller.soundFileName(4), "/snd/bye.wav");
    EXPECT_EQ(storedSettings().value("quitUISoundFileName"), QVariant("/snd/bye.wav"));
    EXPECT_TRUE(soundLog->events.contains("preload:/snd/bye.wav"));
    controller.setSoundFileName(AlertSounds::QuitUI, QString());
    EXPECT_EQ(controller.soundFileName(4), "/snd/bye.wav");
    EXPECT_EQ(controller.filenameKeyOfSound(3), "callSoundFileName");
    EXPECT_TRUE(controller.filenameKeyOfSound(5).isNull());

    // With AlertNotMuteSet the check boxes mean "plays": YES is stored as NO.
    useSettings({{"Setting", QVariantMap{{"AlertNotMuteSet", true}}}, {"onlineSoundFileName", "/snd/online.wav"}});
    YOVUIController inverted(context);
    inverted.setSoundType(AlertSounds::Online, true);
    EXPECT_FALSE(inverted.isSoundMute(AlertSounds::Online));
    EXPECT_EQ(storedSettings().value("onlineSoundMute"), QVariant(false));
}
