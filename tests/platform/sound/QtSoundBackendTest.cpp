#include "platform/sound/SoundBackend.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

// Qt Multimedia loads samples on a thread of its own and frees them later through the event loop;
// a sample still loading when a test ends stays allocated at exit. Its allocations are made inside
// Qt libraries built without frame pointers, so only full unwinding shows the Qt Multimedia frames
// that the suppression file names.
extern "C" const char *__asan_default_options() { return "fast_unwind_on_malloc=0"; }

namespace {

// A mono 16-bit PCM WAV file of the given length of silence.
QString writeWav(const QString &path, int milliseconds)
{
    const quint32 rate = 8000;
    const quint32 samples = rate * quint32(milliseconds) / 1000;
    const quint32 dataBytes = samples * 2;
    QByteArray wav;
    auto u32 = [&wav](quint32 v) { for (int i = 0; i < 4; ++i) wav.append(char((v >> (8 * i)) & 0xff)); };
    auto u16 = [&wav](quint16 v) { wav.append(char(v & 0xff)); wav.append(char(v >> 8)); };
    wav.append("RIFF");
    u32(36 + dataBytes);
    wav.append("WAVEfmt ");
    u32(16);
    u16(1);        // PCM
    u16(1);        // mono
    u32(rate);
    u32(rate * 2); // byte rate
    u16(2);        // block align
    u16(16);       // bits per sample
    wav.append("data");
    u32(dataBytes);
    wav.append(QByteArray(int(dataBytes), '\0'));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(wav) != wav.size())
        return {};
    return path;
}

} // namespace

TEST(QtSoundBackend, MissingFilePlaysNothingAndStopsTheCurrentSound)
{
    QTemporaryDir dir;
    const QString wav = writeWav(dir.filePath("ring.wav"), 2000);
    ASSERT_FALSE(wav.isEmpty());
    auto backend = yov::createQtSoundBackend();
    backend->preload(wav);
    // Whether it is still playing now depends on the worker thread (without an audio output the
    // sound ends at once), so only the refusal of the missing file is checked.
    EXPECT_TRUE(backend->play(wav));
    EXPECT_FALSE(backend->play(dir.filePath("missing.wav")));
    EXPECT_FALSE(backend->isPlaying());
    EXPECT_FALSE(backend->play(QString()));
}

TEST(QtSoundBackend, StopEndsPlayingAndAShortSoundEndsByItself)
{
    QTemporaryDir dir;
    const QString longWav = writeWav(dir.filePath("long.wav"), 3000);
    const QString shortWav = writeWav(dir.filePath("short.wav"), 50);
    auto backend = yov::createQtSoundBackend();
    ASSERT_TRUE(backend->play(longWav));
    backend->stop();
    EXPECT_FALSE(backend->isPlaying());

    // Whether the machine has an audio output or not, a 50 ms sound is over within seconds (it
    // ends, or fails to open the output): it never stays "playing".
    ASSERT_TRUE(backend->play(shortWav));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !backend->isPlaying(); }, 10000));
}

TEST(QtSoundBackend, UndecodableFileIsReportedAsNotPlaying)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("broken.wav"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a sound file at all");
    f.close();
    auto backend = yov::createQtSoundBackend();
    EXPECT_TRUE(backend->play(f.fileName()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !backend->isPlaying(); }, 10000));
}
