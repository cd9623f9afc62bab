#pragma once
// What the rest of the dashboard asks of the phonebook controller (PBController).
//
// DefaultPBController: no groups, no contacts; loading a per-SIM phonebook does nothing.
#include <QString>
#include <QVariantMap>

namespace ostrel {

class PBControllerInterface {
public:
    virtual ~PBControllerInterface() = default;

    virtual int sumOfGroupInPC() const = 0;
    virtual int sumOfContactInGroup(int group) const = 0;
    // Row -1 gives the group's header dictionary; an empty map outside the group.
    virtual QVariantMap getPCUserByIndex(int group, int row) const = 0;
    virtual int getSimUserNumber() const = 0;
    virtual QVariantMap getUserFromSim(int index) const = 0;
    virtual int getMeUserNumber() const = 0;
    virtual QVariantMap getUserFromMe(int index) const = 0;
    // The text cut to at most maxLength characters.
    virtual QString deleteExtraContent(const QString &text, int maxLength) const = 0;
    virtual void popupAlertOk(const QString &message) = 0;
    virtual void loadPcPhoneListByImsi(const QString &fileName) = 0;
    virtual void selectAtPCSide() = 0;
    // "%d/%d": SIM contacts used / SIM phonebook capacity.
    virtual QString getDiagnosticsContact() const = 0;
};

class DefaultPBController : public PBControllerInterface {
public:
    int sumOfGroupInPC() const override { return 0; }
    int sumOfContactInGroup(int) const override { return 0; }
    QVariantMap getPCUserByIndex(int, int) const override { return {}; }
    int getSimUserNumber() const override { return 0; }
    QVariantMap getUserFromSim(int) const override { return {}; }
    int getMeUserNumber() const override { return 0; }
    QVariantMap getUserFromMe(int) const override { return {}; }
    QString deleteExtraContent(const QString &text, int maxLength) const override
    {
        return maxLength < 0 ? QString() : text.left(maxLength);
    }
    void popupAlertOk(const QString &) override {}
    void loadPcPhoneListByImsi(const QString &) override {}
    void selectAtPCSide() override {}
    QString getDiagnosticsContact() const override { return {}; }
};

} // namespace ostrel
