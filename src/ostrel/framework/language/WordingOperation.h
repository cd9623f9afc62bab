#pragma once
// Operator wording: texts that operators reword, looked up by keys of the form Module_Name with
// Module one of Main, Init, SMS, PhoneBook, Setting, Internet, Record, USSD. The whole key is an
// entry of the token list; an operator's list gives it the operator's text.

#include <QString>

namespace ostrel {

class WordingOperation {
public:
    WordingOperation() = delete;
    // The wording for the key; "" (and one log line) for a key that breaks the rule.
    static QString getDisplayWordingValueByWordingKey(const QString &key);
};

} // namespace ostrel
