#pragma once
// A configuration store in a temporary folder, the identity service over it, the network logic,
// and records built the way the device service sends them.

#include "ostrel/device/network/NetworkLogic.h"
#include "ostrel/device/service/InitService.h"
#include "ostrel/device/service/YfunctionTest.h"
#include "ostrel/framework/config/ConfigManager.h"

#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "common/records/Payload.h"
#include "common/records/UiMsg.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

namespace nettest {

using namespace ostrel;

// A received record with the payload, header fields and the platform flag.
inline QByteArray record(int major, int minor, const QByteArray &payload, int type = 0, int result = 0,
                         int moduleID = 1, bool platformFlag = false)
{
    yov::UI_MSG msg = yov::zeroMsg();
    msg.moduleID = moduleID;
    msg.majorID = std::uint16_t(major);
    msg.minorID = std::uint16_t(minor);
    msg.type = type;
    msg.result = std::int8_t(result);
    msg.dataLength = int(payload.size());
    std::memcpy(msg.data, payload.constData(), std::min<size_t>(payload.size(), sizeof msg.data));
    if (platformFlag)
        msg.tail[2] = '1';
    return yov::msgBytes(msg);
}

inline QByteArray words(std::initializer_list<int> values)
{
    yov::PayloadWriter w(int(values.size()) * 4);
    int offset = 0;
    for (int v : values) {
        w.setInt32(offset, v);
        offset += 4;
    }
    return w.data();
}

struct PlmnFields {
    QByteArray name = "Operator";
    QByteArray secondName;
    QByteArray netMcc;
    QByteArray netMnc;
    QByteArray roam = "ROAM_OFF";
    QByteArray homeMcc;
    QByteArray homeMnc;
    int condition = 0;
    bool registered = true;
};

inline QByteArray plmnPayload(const PlmnFields &f)
{
    yov::PayloadWriter w(324);
    w.setText(0, 68, f.name);
    w.setText(68, 68, f.secondName);
    w.setText(136, 36, f.netMcc);
    w.setText(172, 36, f.netMnc);
    w.setText(208, 36, f.roam);
    w.setText(244, 36, f.homeMcc);
    w.setText(280, 36, f.homeMnc);
    w.setInt32(316, f.condition);
    w.setUint8(320, f.registered ? 1 : 0);
    return w.data();
}

inline QByteArray icera46Payload(float registration, const QByteArray &mccmnc, const QByteArray &netText,
                                 const QByteArray &bearer)
{
    yov::PayloadWriter w(180);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &registration, 4);
    w.setInt32(0, std::int32_t(bits));
    w.setText(4, 36, mccmnc);
    w.setText(40, 104, netText);
    w.setText(144, 36, bearer);
    return w.data();
}

inline QByteArray netInfo36Payload(const QByteArray &technology, const QByteArray &domain)
{
    yov::PayloadWriter w(180);
    w.setText(40, 68, technology);
    w.setText(108, 72, domain);
    return w.data();
}

class NetworkFixture : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        const QVariantMap start{{QStringLiteral("Init"), QVariantMap()},
                                {QStringLiteral("Main"), QVariantMap()},
                                {QStringLiteral("Internet"), QVariantMap()},
                                {QStringLiteral("Setting"), QVariantMap()},
                                {QStringLiteral("TestSpn"), QVariantMap()}};
        ASSERT_TRUE(yov::PlistBridge::writeFile(settingsPath(), start));
        store_ = std::make_unique<ConfigManager>(dir_.path());
        functionTest_ = std::make_unique<YfunctionTest>(store_.get());
        service_ = std::make_unique<InitService>(store_.get(), functionTest_.get());
        logic_ = std::make_unique<NetworkLogic>(*service_, store_.get());
        service_->setImsi(QString());
    }
    void TearDown() override { service_->setImsi(QString()); }

    QString settingsPath() const { return QDir(dir_.path()).filePath(QStringLiteral("settings.plist")); }

    // module/key (key null: a top-level value).
    void put(const char *module, const char *key, const QVariant &value)
    {
        const QString m = QString::fromLatin1(module);
        if (!key) {
            store_->setConfigurationByModule(m, value);
            return;
        }
        QVariantMap map = store_->getConfigurationByModule(m).toMap();
        map.insert(QString::fromLatin1(key), value);
        store_->setConfigurationByModule(m, map);
    }
    QVariant saved(const char *module, const char *key = nullptr) const
    {
        const QVariantMap file = yov::PlistBridge::readFile(settingsPath()).value_or(QVariant()).toMap();
        const QVariant m = file.value(QString::fromLatin1(module));
        return key ? m.toMap().value(QString::fromLatin1(key)) : m;
    }

    // A registered 7/37 report of that network.
    NetworkEffects plmn(const QByteArray &mcc, const QByteArray &mnc, const QByteArray &roam = "ROAM_OFF",
                        const NetworkContext &c = {})
    {
        PlmnFields f;
        f.netMcc = mcc;
        f.netMnc = mnc;
        f.roam = roam;
        f.homeMcc = homeMcc_;
        f.homeMnc = homeMnc_;
        return logic_->registration.dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), c);
    }
    // Both domains present, so that the operator-name rules run.
    void bothDomains(const NetworkContext &c = {})
    {
        logic_->registration.dealWithMsgOfCheckNetInfo(record(7, 36, netInfo36Payload("UMTS", "CS_PS")), c);
    }

protected:
    QTemporaryDir dir_;
    std::unique_ptr<ConfigManager> store_;
    std::unique_ptr<YfunctionTest> functionTest_;
    std::unique_ptr<InitService> service_;
    std::unique_ptr<NetworkLogic> logic_;
    QByteArray homeMcc_ = "460";
    QByteArray homeMnc_ = "01";
};

} // namespace nettest
