#pragma once
// MCC/MNC texts of the device state.
//
// Two forms exist side by side. The registered network's "mccmnc" text that the rest of the
// dashboard keeps and compares with the operator configuration is "%05X" of (MCC << 8 | MNC),
// each read as a hexadecimal number: "46001" for MCC 460, MNC 01, but "31260" for MCC 310,
// MNC 260, where the third MNC digit overlaps the MCC. Where the service itself decides whether a
// network is the home network it uses Plmn, the MCC and MNC digits as the device and the SIM give
// them, so that a network with a three-digit MNC is never taken for another.

#include <QString>

namespace ostrel {

struct Plmn {
    QString mcc; // three digits
    QString mnc; // two or three digits

    bool isValid() const { return mcc.size() == 3 && (mnc.size() == 2 || mnc.size() == 3); }
    QString digits() const { return mcc + mnc; }
    bool operator==(const Plmn &other) const = default;

    // MCC and MNC texts as reported (an MNC shorter than two digits is padded with zeros on the
    // left); invalid when either is not all digits or the lengths do not fit.
    static Plmn fromParts(const QString &mcc, const QString &mnc);
    // A text of five or six digits: the MCC and a two- or three-digit MNC.
    static Plmn fromDigits(const QString &digits);
    // The SIM's home network from the IMSI: the MCC and an MNC of mncLength digits (2 or 3; any
    // other value means not reported and gives the usual two, i.e. the first five IMSI digits).
    static Plmn fromImsi(const QString &imsi, int mncLength);
};

namespace mccmnc {

// The "%05X" text of (MCC << 8 | MNC), the MCC and MNC texts read as hexadecimal numbers; empty
// when the MCC text is empty or either text is not a hexadecimal number.
QString formatMccmnc(const QString &mccText, const QString &mncText);

// MCC and MNC of a five-character MCC/MNC text: its first three and its last two characters;
// any other length gives "".
QString getMCCByMccmnc(const QString &mccmnc);
QString getMNCByMccmnc(const QString &mccmnc);

// The key of the home-or-friendly table for an MCC/MNC text: "memKeyMCCMNCXMCCMNC(%05d)" with
// the decimal value of the five-digit text read as a hexadecimal number. A text of other length
// (a three-digit MNC) gets a key of its own form, "memKeyMCCMNCXMCCMNC[<text>]", so that it can
// never meet the key of another network. Empty for a text that is not hexadecimal.
QString moduleMapKey(const QString &mccmnc);

} // namespace mccmnc
} // namespace ostrel
