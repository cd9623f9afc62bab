// The online update options: the keys stored at first start, the radio and Apply rules as the
// update link sees them, silence without update support, and the operator's update-check address.
#include "SettingsHarness.h"

#include "common/BuildInfo.h"

#include <QButtonGroup>
#include <QUrlQuery>

namespace {

using namespace settingstest;

struct RecordingUpdateLink : ostrel::SettingUpdateLink {
    bool isSupportUpdate() const override { return supported; }
    void setAutoUpdate(bool on) override { calls << QStringLiteral("setAutoUpdate:%1").arg(on); }
    void setServiceAddress(const QString &address) override { calls << QStringLiteral("setServiceAddress:") + address; }
    void setUpdateDuration(int days) override { calls << QStringLiteral("setUpdateDuration:%1").arg(days); }
    void send_Init_Msg() override { calls << QStringLiteral("send_Init_Msg"); }
    void send_ManualUpdate_Msg() override { calls << QStringLiteral("send_ManualUpdate_Msg"); }
    bool supported = true;
    QStringList calls;
};

struct FirmwareInit : RecordingInit {
    QString getFWVersionWithCGMR() const override { return firmware; }
    QString firmware;
};

class UpdateSettingsTest : public SettingsFixture {
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        setItems({"System", "Security", "OnlineUpdate"});
        ostrel::Neighbours::setInit(&firmwareInit);
    }
    void start(bool supported = true)
    {
        link->supported = supported;
        // The link is set before the page fills itself, as the assembly does.
        ostrel::ControllerContext ctx;
        ctx.config = config.get();
        ctx.msgCenter = msgCenter.get();
        ctx.notificationCenter = &center;
        ctx.clock = &clock;
        controller = std::make_unique<ostrel::SettingController>(ctx);
        controller->install();
        controller->setUpdateLink(link);
        controller->setUrlOpener([this](const QUrl &url) {
            opened << url;
            return true;
        });
        controller->setOsLanguageSource([] { return QStringLiteral("de-DE"); });
        controller->wndMain = mainWindow.get();
        controller->tabviewMain = tabs;
        controller->setSettingPage(ostrel::viewOfIdentifier(tabs, QStringLiteral("Setting")));
        controller->awakeFromNib();
    }
    QVariant stored(const char *key) const { return config->getConfigurationByModule(QLatin1String(key)); }
    QVariant onDisk(const char *key) const
    {
        ostrel::ConfigManager fresh(dir.path());
        return fresh.getConfigurationByModule(QLatin1String(key));
    }

    std::shared_ptr<RecordingUpdateLink> link = std::make_shared<RecordingUpdateLink>();
    FirmwareInit firmwareInit;
    QList<QUrl> opened;
};

TEST_F(UpdateSettingsTest, FirstStartStoresTheDefaultsAndNoInterval)
{
    start();
    EXPECT_EQ(onDisk("SERVICE_ADDRESS"), QVariant(QString()));
    EXPECT_EQ(onDisk("SERVICE_ADDRESS").typeId(), QMetaType::QString);
    EXPECT_EQ(onDisk("AUTOUPDATE_ENABLE"), QVariant(false));
    EXPECT_FALSE(stored("UPDATE_DURATION").isValid());
    EXPECT_FALSE(controller->autoUpdateBox()->isChecked());
    EXPECT_EQ(controller->autoUpdateRadio()->checkedId(), 0);
    EXPECT_TRUE(link->calls.isEmpty()) << "starting tells the link nothing";
}

TEST_F(UpdateSettingsTest, StoredKeysFillTheControls)
{
    config->setConfigurationByModule("SERVICE_ADDRESS", "update.example.net");
    config->setConfigurationByModule("AUTOUPDATE_ENABLE", true);
    config->setConfigurationByModule("UPDATE_DURATION", 14);
    start();
    EXPECT_EQ(controller->serverField()->text(), "update.example.net");
    EXPECT_TRUE(controller->autoUpdateBox()->isChecked());
    EXPECT_EQ(controller->autoUpdateRadio()->checkedId(), 1);
    EXPECT_EQ(controller->updateDurationField()->text(), "14");
}

TEST_F(UpdateSettingsTest, RadioBoxAndApplyRules)
{
    start();
    controller->autoUpdateBox()->click(); // ticked
    EXPECT_EQ(stored("AUTOUPDATE_ENABLE"), QVariant(true));
    // The cell tagged 0 stores NO even with the box ticked.
    controller->autoUpdateRadio()->button(0)->click();
    EXPECT_EQ(stored("AUTOUPDATE_ENABLE"), QVariant(false));
    EXPECT_TRUE(controller->autoUpdateBox()->isChecked());
    // Apply takes the box, and an empty server field is stored as "".
    controller->serverField()->clear();
    controller->applyServerButton()->click();
    EXPECT_EQ(onDisk("AUTOUPDATE_ENABLE"), QVariant(true));
    EXPECT_EQ(onDisk("SERVICE_ADDRESS"), QVariant(QString()));
    controller->updateNowButton()->click();
    controller->SetUpdateDuration(30);
    EXPECT_EQ(onDisk("UPDATE_DURATION"), QVariant(30));
    EXPECT_EQ(link->calls, (QStringList{"setAutoUpdate:1", "send_Init_Msg", "setAutoUpdate:0", "send_Init_Msg",
                                        "setAutoUpdate:1", "setServiceAddress:", "send_Init_Msg", "send_ManualUpdate_Msg",
                                        "setUpdateDuration:30", "send_Init_Msg"}));
}

TEST_F(UpdateSettingsTest, WithoutUpdateSupportEverythingIsHiddenAndSilent)
{
    start(false);
    for (QWidget *w : {controller->updateBox(), static_cast<QWidget *>(controller->autoUpdateBox()),
                       static_cast<QWidget *>(controller->serverField()), static_cast<QWidget *>(controller->applyServerButton()),
                       static_cast<QWidget *>(controller->updateNowButton()),
                       static_cast<QWidget *>(controller->updateDurationField())})
        EXPECT_TRUE(w->isHidden()) << qPrintable(w->objectName());
    controller->CheckAutoUpdate(controller->autoUpdateBox());
    controller->ApplyServerAddress();
    controller->SendManualUpdate();
    controller->SetUpdateDuration(7);
    EXPECT_TRUE(link->calls.isEmpty());
    EXPECT_FALSE(stored("AUTOUPDATE_ENABLE").isValid());
    EXPECT_FALSE(stored("SERVICE_ADDRESS").isValid());
    EXPECT_FALSE(stored("UPDATE_DURATION").isValid());
}

TEST_F(UpdateSettingsTest, CheckForUpdatesEncodesEachValueIntoTheAddress)
{
    start();
    firmwareInit.firmware = QStringLiteral("V1.0 B&x");
    EXPECT_FALSE(controller->checkForUpdateButton()->isEnabled()) << "no device yet";
    controller->setCheckForUpdateRuzuvoEnable(true);
    controller->checkForUpdateButton()->click();
    ASSERT_EQ(opened.size(), 1);
    const QUrl url = opened.first();
    EXPECT_EQ(url.scheme(), "http");
    EXPECT_EQ(url.path(), "/mbsu");
    const QUrlQuery query(url);
    EXPECT_EQ(query.queryItems().size(), 5) << "no parameter slipped in through a value";
    EXPECT_EQ(query.queryItemValue("fwver", QUrl::FullyDecoded), "V1.0 B&x");
    EXPECT_EQ(query.queryItemValue("macswver", QUrl::FullyDecoded), yov::BuildInfo::version());
    EXPECT_EQ(query.queryItemValue("lang"), "de-DE");
    EXPECT_EQ(query.queryItemValue("brand"), "33");
}

} // namespace
