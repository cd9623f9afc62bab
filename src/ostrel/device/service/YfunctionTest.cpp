#include "ostrel/device/service/YfunctionTest.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"

namespace ostrel {

YfunctionTest *YfunctionTest::sharedFunctionTest()
{
    static YfunctionTest instance;
    return &instance;
}

YfunctionTest::YfunctionTest(ConfigManager *store)
    : store_(store)
{
}

QVariant YfunctionTest::value(const char *key) const
{
    ConfigManager *store = store_ ? store_ : ConfigManager::sharedConfigManager();
    return store->getConfigurationByModuleAndKey(QStringLiteral("TestSpn"), QString::fromLatin1(key));
}

bool YfunctionTest::testSpnshowFlag() const { return yov::nsBool(value("Test_Spnshow_Flag")); }
QString YfunctionTest::testLocalSpn() const { return yov::nsString(value("Test_LocalSpn")); }
QString YfunctionTest::testHomeSpn() const { return yov::nsString(value("Test_HomeSpn")); }

QStringList YfunctionTest::testFriendlyList() const
{
    QStringList list;
    for (const QVariant &entry : yov::nsArray(value("Test_FriendlyList")))
        list.append(yov::nsString(entry));
    return list;
}

QString YfunctionTest::testCurrentLocalMccMnc() const { return yov::nsString(value("Test_CurrentLocalMccMnc")); }
QString YfunctionTest::testCurrentHomeMccMnc() const { return yov::nsString(value("Test_CurrentHomeMccMnc")); }
int YfunctionTest::testThe1and2Field() const { return yov::nsInt(value("Test_The1and2Field")); }
QString YfunctionTest::testCurrentLongFormatSpn() const { return yov::nsString(value("Test_CurrentLongFormatSpn")); }
int YfunctionTest::testPnnOplFlag() const { return yov::nsInt(value("Test_PnnOplFlag")); }

} // namespace ostrel
