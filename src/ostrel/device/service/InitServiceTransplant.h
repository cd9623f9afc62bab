#pragma once
// A second keeper of the SIM-file parsing with fields of its own: the SPN and its display
// condition, the home-or-friendly table and the ICCID, read exactly as InitService reads them.
// The dashboard does not create it.

#include "ostrel/device/service/HexCursor.h"
#include "ostrel/framework/service/YovServiceBase.h"

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <optional>

namespace ostrel {

class InitServiceTransplant : public YovServiceBase {
public:
    static InitServiceTransplant *sharedInitServiceTransplant();
    InitServiceTransplant() = default;
    InitServiceTransplant(const InitServiceTransplant &) = delete;
    InitServiceTransplant &operator=(const InitServiceTransplant &) = delete;

    void doParseEF_SPN(const QByteArray &hexText);
    static std::optional<QString> decodeAlphaIdInSPN(const QByteArray &bytes);
    // Fills only the home-or-friendly table.
    void doParseEF_SPDI(const QByteArray &hexText);
    static QStringList decodeSpPLMNList(const QByteArray &hexText);
    void doParseEF_ICCID(const QByteArray &hexText);
    static QString decodeICCID(const QByteArray &hexText);

    QVariant isHomeOrFriendly(const QString &mccmnc) const;
    QVariantMap moduleMapsDict() const;

    QString spnStr() const { return spnStr_; }
    int condForSPN() const { return condForSPN_; }
    QString iccidStr() const { return iccidStr_; }
    int networkMode() const { return networkMode_; }
    void setNetworkMode(int mode) { networkMode_ = mode; }

    // The circuit-switched domain is bit 1 of the domain bits; the packet domain always counts.
    bool hasCSDomain() const { return (networkMode_ & 0x01) != 0; }
    bool hasPSDomain() const { return true; }
    bool checkToReturnPSDomain() const { return true; }

private:
    int networkMode_ = 0;
    QString spnStr_ = QStringLiteral("");
    int condForSPN_ = 0;
    QVariantMap moduleMapsDict_;
    mutable QMutex pModuleMapsDictLock_;
    QString iccidStr_;
};

} // namespace ostrel
