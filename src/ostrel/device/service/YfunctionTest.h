#pragma once
// Test overrides of the operator-name display, from the settings module TestSpn. With
// Test_Spnshow_Flag on, InitService takes the names, the SPDI list, the networks and the display
// condition from here instead of from the device. Reads the live store at every call.

#include <QString>
#include <QStringList>
#include <QVariant>

namespace ostrel {

class ConfigManager;

class YfunctionTest {
public:
    static YfunctionTest *sharedFunctionTest();
    // Over a given store (not owned); null: the shared store at each call.
    explicit YfunctionTest(ConfigManager *store = nullptr);

    bool testSpnshowFlag() const;              // Test_Spnshow_Flag
    QString testLocalSpn() const;              // Test_LocalSpn
    QString testHomeSpn() const;               // Test_HomeSpn
    QStringList testFriendlyList() const;      // Test_FriendlyList
    QString testCurrentLocalMccMnc() const;    // Test_CurrentLocalMccMnc
    QString testCurrentHomeMccMnc() const;     // Test_CurrentHomeMccMnc
    int testThe1and2Field() const;             // Test_The1and2Field
    QString testCurrentLongFormatSpn() const;  // Test_CurrentLongFormatSpn
    int testPnnOplFlag() const;                // Test_PnnOplFlag

private:
    QVariant value(const char *key) const;
    ConfigManager *store_ = nullptr;
};

} // namespace ostrel
