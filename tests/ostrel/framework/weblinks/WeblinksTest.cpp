// The link-icon list and its refresh against a local HTTP server: the date rule, the download into
// the ModemList folder, the notifications, and the paths that are refused.
#include "common/PlistBridge.h"
#include "ostrel/framework/weblinks/DownloadUtilities.h"
#include "ostrel/framework/weblinks/HttpDate.h"
#include "ostrel/framework/weblinks/WeblinkUpdateUtilities.h"
#include "platform/NotificationCenter.h"
#include "support/LocalHttpServer.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace ostrel;
using testing_support::LocalHttpServer;

TEST(HttpDateTest, ParsesTheHttpFormInUtcWhateverTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::German));
    const struct {
        const char *text;
        bool valid;
        qint64 epoch;
    } cases[] = {
        {"Sun, 06 Nov 1994 08:49:37 GMT", true, 784111777},
        {"Wed, 02 Oct 2024 10:00:00 GMT", true, 1727863200},
        {"Wed, 2 Oct 2024 10:00:00 UTC", true, 1727863200},
        {"Sunday, 06-Nov-94 08:49:37 GMT", false, 0},
        {"Sun, 06 Nov 1994 08:49:37 +0200", false, 0},
        {"Sun, 31 Feb 1994 08:49:37 GMT", false, 0},
        {"Xyz, 06 Nov 1994 08:49:37 GMT", false, 0},
        {"", false, 0},
    };
    for (const auto &c : cases) {
        const std::optional<QDateTime> date = parseHttpDate(QString::fromLatin1(c.text));
        ASSERT_EQ(date.has_value(), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(date->toSecsSinceEpoch(), c.epoch) << c.text;
        }
    }
    EXPECT_EQ(formatHttpDate(QDateTime::fromSecsSinceEpoch(784111777, Qt::UTC)),
              QStringLiteral("Sun, 06 Nov 1994 08:49:37 GMT"));
    QLocale::setDefault(QLocale::c());
}

namespace {

const QByteArray kOld = "Sun, 06 Nov 1994 08:49:37 GMT";
const QByteArray kNew = "Wed, 02 Oct 2024 10:00:00 GMT";

struct Refresh : ::testing::Test {
    void SetUp() override
    {
        downloader.setModemListFolder(dir.path());
        updater.setNotificationCenter(&center);
        updater.setIconPlacer([this](const QVariantMap &entry) { placed << entry; });
        center.addObserver(&observer, QStringLiteral("LoadImageFormURLOver"), nullptr,
                           [this](const yov::Notification &) { posted << QStringLiteral("LoadImageFormURLOver"); });
        center.addObserver(&observer, QStringLiteral("loadFavouriteBtnWebKitViews"), nullptr,
                           [this](const yov::Notification &) { posted << QStringLiteral("loadFavouriteBtnWebKitViews"); });
    }
    void serve(const char *path, const QByteArray &lastModified, const QByteArray &body = "PICTURE")
    {
        LocalHttpServer::Reply reply{body, "image/jpeg"};
        if (!lastModified.isEmpty())
            reply.headers = "Last-Modified: " + lastModified + "\r\n";
        server.route(path, reply);
    }
    QVariantMap entry(const char *path, const QString &store, const QByteArray &date = kOld) const
    {
        return {{QStringLiteral("ImageURL"), server.url(path)},
                {QStringLiteral("ImageStorePath"), store},
                {QStringLiteral("ImageModifiedDate"), QString::fromLatin1(date)}};
    }
    void writeList(const QVariantList &list)
    {
        yov::PlistBridge::writeFile(listFile(), list);
        updater.setcfgFile(listFile());
        updater.loadcfg();
    }
    QString listFile() const { return dir.filePath(QStringLiteral("IconLinks.plist")); }
    // Runs a refresh until every query (and the downloads it starts) ended.
    void refresh(int queries, int downloads)
    {
        QSignalSpy queried(&downloader, &DownloadUtilities::queryFinished);
        QSignalSpy downloaded(&downloader, &DownloadUtilities::downloadFinished);
        ASSERT_EQ(updater.startUpdateWebLinks(), 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return queried.size() >= queries; }, 5000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return downloaded.size() >= downloads; }, 5000));
        QTest::qWait(50);
        EXPECT_EQ(downloaded.size(), downloads);
    }
    QVariantMap stored(int i) const { return yov::PlistBridge::readFile(listFile())->toList().value(i).toMap(); }

    QTemporaryDir dir;
    LocalHttpServer server;
    DownloadUtilities downloader;
    WeblinkUpdateUtilities updater{&downloader};
    yov::NotificationCenter center;
    QObject observer;
    QVariantList placed;
    QStringList posted;
};

} // namespace

TEST_F(Refresh, ANewerPictureIsDownloadedStoredPlacedAndAnnounced)
{
    serve("/icons/banner.jpg", kNew);
    writeList({entry("/icons/banner.jpg", QStringLiteral("rorira/images/banner.jpg"))});
    refresh(1, 1);
    QFile file(dir.filePath(QStringLiteral("rorira/images/banner.jpg")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("PICTURE"));
    EXPECT_EQ(stored(0).value(QStringLiteral("ImageModifiedDate")).toString(), QString::fromLatin1(kNew));
    ASSERT_EQ(placed.size(), 1);
    EXPECT_EQ(placed.first().toMap().value(QStringLiteral("ImageModifiedDate")).toString(), QString::fromLatin1(kNew));
    EXPECT_EQ(posted, (QStringList{QStringLiteral("LoadImageFormURLOver"), QStringLiteral("loadFavouriteBtnWebKitViews")}));
    // The date query names the agent and is a GET.
    ASSERT_FALSE(server.heads.isEmpty());
    EXPECT_TRUE(server.heads.first().startsWith("GET /icons/banner.jpg"));
    EXPECT_TRUE(server.heads.first().contains("User-Agent: MySpecialUserAgent/1.0"));
}

TEST_F(Refresh, ALargePictureIsDatedFromItsHeadersAndStoredWhole)
{
    // The date query needs only the headers: a body larger than any read buffer must not hold it up.
    const QByteArray large(3 * 1024 * 1024, 'P');
    serve("/icons/poster.jpg", kNew, large);
    writeList({entry("/icons/poster.jpg", QStringLiteral("rorira/images/poster.jpg"))});
    refresh(1, 1);
    QFile file(dir.filePath(QStringLiteral("rorira/images/poster.jpg")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.size(), large.size());
    EXPECT_EQ(stored(0).value(QStringLiteral("ImageModifiedDate")).toString(), QString::fromLatin1(kNew));
}

TEST_F(Refresh, NothingHappensForAnOlderSameOrMissingDate)
{
    serve("/a.jpg", kOld);           // the same date
    serve("/b.jpg", QByteArray());   // no Last-Modified
    serve("/c.jpg", "not a date");   // unreadable: nothing to compare
    writeList({entry("/a.jpg", QStringLiteral("a.jpg")), entry("/b.jpg", QStringLiteral("b.jpg")),
               entry("/c.jpg", QStringLiteral("c.jpg"), kNew)});
    refresh(3, 0);
    EXPECT_EQ(server.requested.size(), 3); // only the queries
    EXPECT_TRUE(posted.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("a.jpg"))));
}

TEST_F(Refresh, AnUnreadableStoredDateCountsAsOlder)
{
    serve("/a.jpg", kOld);
    writeList({entry("/a.jpg", QStringLiteral("a.jpg"), "yesterday")});
    refresh(1, 1);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("a.jpg"))));
}

TEST_F(Refresh, TwoEntriesOfOneAddressTakeTheLastPathAndDateTheFirstEntry)
{
    serve("/same.jpg", kNew);
    QVariantMap second = entry("/same.jpg", QStringLiteral("second.jpg"));
    second.remove(QStringLiteral("ImageModifiedDate"));
    writeList({entry("/same.jpg", QStringLiteral("first.jpg")), second});
    refresh(2, 2);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("second.jpg"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("first.jpg"))));
    EXPECT_EQ(stored(0).value(QStringLiteral("ImageModifiedDate")).toString(), QString::fromLatin1(kNew));
    EXPECT_FALSE(stored(1).contains(QStringLiteral("ImageModifiedDate")));
}

TEST_F(Refresh, PathsOutsideModemListAndMismatchedNamesAreRefused)
{
    QTemporaryDir outside;
    serve("/x.jpg", kNew);
    serve("/y.jpg", kNew);
    LocalHttpServer::Reply renamed{"PICTURE", "image/jpeg"};
    renamed.headers = "Last-Modified: " + kNew + "\r\nContent-Disposition: attachment; filename=\"other.jpg\"\r\n";
    server.route("/z.jpg", renamed);
    writeList({entry("/x.jpg", outside.filePath(QStringLiteral("x.jpg"))),
               entry("/y.jpg", QStringLiteral("../y.jpg")),
               entry("/z.jpg", QStringLiteral("z.jpg")),
               QStringLiteral("not a dictionary")});
    EXPECT_EQ(updater.iconLinks().size(), 3) << "the entry that is no dictionary is skipped";
    refresh(3, 3);
    EXPECT_FALSE(QFile::exists(outside.filePath(QStringLiteral("x.jpg"))));
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).absoluteFilePath(QStringLiteral("../y.jpg"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("z.jpg"))));
    EXPECT_TRUE(posted.isEmpty());
}

TEST_F(Refresh, AMissingListFileStartsNothingAndKnownLinksFollowTheList)
{
    updater.setcfgFile(dir.filePath(QStringLiteral("missing.plist")));
    EXPECT_EQ(updater.startUpdateWebLinks(), WeblinkUpdateUtilities::kNoListFile);
    updater.downloadDidFinishWithURL(QStringLiteral("http://x/a.jpg"));
    EXPECT_TRUE(posted.isEmpty());

    writeList({entry("/a.jpg", QStringLiteral("/data/a.jpg"))});
    EXPECT_TRUE(updater.isKnownURLInIconLinks(server.url("/a.jpg")));
    EXPECT_TRUE(updater.isKnownURLInIconLinks(QStringLiteral("/data/a.jpg")));
    EXPECT_TRUE(updater.isKnownURLInIconLinks(QStringLiteral("file:///anything.html")));
    EXPECT_FALSE(updater.isKnownURLInIconLinks(QStringLiteral("http://elsewhere.example/")));
    EXPECT_TRUE(updater.iconLinkPropertiesForURL(QStringLiteral("http://elsewhere.example/")).isEmpty());
}
