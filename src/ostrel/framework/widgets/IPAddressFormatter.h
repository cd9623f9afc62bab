#pragma once
// Dotted IPv4 text: normalises what the user typed ("10.1" -> "10.1.0.0", "300.-5.1.2" ->
// "255.0.1.2") and, as a validator of a line edit, refuses anything but digits and up to three
// dots while typing.

#include <QValidator>
#include <QVariant>

namespace ostrel {

class IPAddressFormatter : public QValidator {
    Q_OBJECT
public:
    explicit IPAddressFormatter(QObject *parent = nullptr);
    static IPAddressFormatter *defaultIPAddressFormatter(QObject *parent = nullptr);

    // "0.0.0.0" for anything but a string; otherwise up to four parts, missing ones 0, each read
    // as a decimal number from its start (0 when it has none) and clamped to 0..255.
    static QString stringForObjectValue(const QVariant &value);
    // The object becomes the normalised string. Always succeeds.
    bool getObjectValue(QVariant *object, const QString &text, QString *errorDescription = nullptr) const;

    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
};

} // namespace ostrel
