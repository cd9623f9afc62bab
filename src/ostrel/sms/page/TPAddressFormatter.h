#pragma once
// A validator that keeps a number field to its leading run of dialable characters
// ("0123456789*#abc"). Nothing attaches it by default; a field that wants dialable-only input may.
#include <QValidator>

namespace ostrel {

class TPAddressFormatter : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;

    // The longest leading part of the text made of dialable characters.
    static QString stringForObjectValue(const QString &text);

    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override { input = stringForObjectValue(input); }
};

} // namespace ostrel
