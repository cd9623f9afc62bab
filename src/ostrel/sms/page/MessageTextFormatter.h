#pragma once
// The SMS editor's formatter: on every change of its host (a line edit or a text edit) it keeps
// the text within SMS/smsMaxPack parts (5 when missing), replaces special characters (SMS/
// SpecialChar, SMS/ReplaceSpecialChar), writes the counter "info: n/m" and records the part count
// that the send road reads.
//
// A text over the limit is cut in the pass itself; the warning "SMS content exceeds the max
// length!" opens after the pass (queued, non-blocking), never from inside the change handler, and
// never twice at once.
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QLabel;
class QWidget;

namespace ostrel {

class ConfigManager;

class MessageTextFormatter : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultMaxPack = 5;

    // config null: the shared store.
    explicit MessageTextFormatter(ConfigManager *config = nullptr, QObject *parent = nullptr);

    // The field being formatted (QLineEdit or QTextEdit): every change of it runs the pass.
    void setHost(QWidget *host);
    QWidget *host() const { return host_; }
    void setTextCount(QLabel *label) { textCount_ = label; }
    void setSendNumInfo(QLabel *label) { sendNumInfo_ = label; }

    int packNum() const { return packnum_; }
    void setPackNum(int parts) { packnum_ = parts; }
    bool concatSms() const { return packnum_ > 1; }
    bool isPopWarningWindow() const { return isPopWarningWindow_; }

    // The formatting pass: the text to show (the host takes it when it changed).
    QString stringForObjectValue(const QString &text);
    // Each of the first length characters that the alphabet counts as special becomes "?".
    static QString replaceSpecialCharWithQuestionmark(const QString &text, int length);
    // The replacement table applied to the first length characters; nullopt without a table or
    // when nothing changed.
    std::optional<QString> replaceSpecialCharWithAppointedChar(const QString &text, int length) const;

    // Runs the pass on the host's current text.
    void formatHost();

private:
    QString hostText() const;
    void setHostText(const QString &text);
    void warnOverLength();

    ConfigManager *config_;
    QPointer<QWidget> host_;
    QPointer<QLabel> textCount_;
    QPointer<QLabel> sendNumInfo_;
    QMetaObject::Connection hostConnection_;
    int packnum_ = 1;
    bool isPopWarningWindow_ = false;
    bool inPass_ = false;
};

} // namespace ostrel
