#pragma once
// The rules of the record settings window's limit fields. UI-free.
//
// The fields take digits and a decimal comma ("1,25" hours); the time field takes digits only when
// the time limit is kept in whole hours. A time limit must be a multiple of a quarter hour; a limit
// of 0 is refused.
#include <QString>

namespace ostrel {

class RecordLimitRules {
public:
    static constexpr int kLimitFieldLength = 6;

    enum class Refusal { None, NoTimeLimit, NotQuarterHours, NoDataLimit };

    // What a field keeps of a typed text: digits (and "," when allowComma), at most six
    // characters; "0" when nothing is left.
    static QString filterLimitText(const QString &typed, bool allowComma);
    // The time limit in hours as the field shows it: whole hours or two decimals, with a decimal
    // comma ("0,00" for none).
    static QString readRecordTimeLimit(double hours, bool onlyIntValue);
    // The same as the field shows it after Apply, where zero shows as "0".
    static QString appliedTimeLimitText(double hours, bool onlyIntValue);
    // The field's value: hours with "," read as ".", or whole megabytes.
    static double timeLimitOfField(const QString &text);
    static qint64 dataLimitOfField(const QString &text);
    // Whether Apply may store the limit of the chosen kind.
    static Refusal checkLimit(bool dataLimit, const QString &dataText, const QString &timeText);
    // The message of a refusal (English, to be localised); empty for None.
    static QString refusalMessage(Refusal refusal);
};

} // namespace ostrel
