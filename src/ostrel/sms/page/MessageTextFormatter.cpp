#include "ostrel/sms/page/MessageTextFormatter.h"

#include "common/ValueConversion.h"
#include "common/sms/GsmAlphabet.h"
#include "common/sms/SmsLengthCount.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/sms/service/SmsCodecSettings.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

namespace ostrel {

namespace {

const std::uint16_t *units(const QString &text) { return reinterpret_cast<const std::uint16_t *>(text.utf16()); }

} // namespace

MessageTextFormatter::MessageTextFormatter(ConfigManager *config, QObject *parent)
    : QObject(parent), config_(config ? config : ConfigManager::sharedConfigManager())
{
}

void MessageTextFormatter::setHost(QWidget *host)
{
    disconnect(hostConnection_);
    host_ = host;
    isPopWarningWindow_ = false;
    if (auto *line = qobject_cast<QLineEdit *>(host))
        hostConnection_ = connect(line, &QLineEdit::textChanged, this, &MessageTextFormatter::formatHost);
    else if (auto *edit = qobject_cast<QTextEdit *>(host))
        hostConnection_ = connect(edit, &QTextEdit::textChanged, this, &MessageTextFormatter::formatHost);
}

QString MessageTextFormatter::hostText() const
{
    if (auto *line = qobject_cast<QLineEdit *>(host_.data()))
        return line->text();
    if (auto *edit = qobject_cast<QTextEdit *>(host_.data()))
        return edit->toPlainText();
    return {};
}

void MessageTextFormatter::setHostText(const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(host_.data())) {
        line->setText(text);
    } else if (auto *edit = qobject_cast<QTextEdit *>(host_.data())) {
        edit->setPlainText(text);
        edit->moveCursor(QTextCursor::End);
    }
}

void MessageTextFormatter::formatHost()
{
    if (inPass_ || !host_)
        return;
    inPass_ = true;
    // A pass that replaced characters does not count; the next pass over its result does.
    for (int pass = 0; pass < 3; ++pass) {
        const QString text = hostText();
        const QString shown = stringForObjectValue(text);
        if (shown == text)
            break;
        setHostText(shown);
    }
    inPass_ = false;
}

QString MessageTextFormatter::replaceSpecialCharWithQuestionmark(const QString &text, int length)
{
    QString out = text;
    for (int i = 0; i < length && i < out.size(); ++i) {
        const std::uint16_t c = out.at(i).unicode();
        if (yov::sms::ifUcs2IsSpecial(&c, 1) == 1)
            out[i] = QLatin1Char('?');
    }
    return out;
}

std::optional<QString> MessageTextFormatter::replaceSpecialCharWithAppointedChar(const QString &text, int length) const
{
    const QVariant table = config_->getConfigurationByModuleAndKey(QStringLiteral("SMS"), QStringLiteral("ReplaceSpecialChar"));
    if (!table.isValid())
        return std::nullopt;
    const QVariantMap replacements = yov::nsDict(table);
    QString out;
    bool changed = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const QString key = QString::number(c.unicode(), 16);
        if (i < length && replacements.contains(key)) {
            out += yov::nsString(replacements.value(key));
            changed = true;
        } else {
            out += c;
        }
    }
    if (!changed)
        return std::nullopt;
    return out;
}

QString MessageTextFormatter::stringForObjectValue(const QString &input)
{
    packnum_ = 1;
    QString text = input;
    const QVariant maxValue = config_->getConfigurationByModuleAndKey(QStringLiteral("SMS"), QStringLiteral("smsMaxPack"));
    const int maxPack = maxValue.isValid() ? yov::nsInt(maxValue) : kDefaultMaxPack;
    int n = int(text.size());
    if (n == 0) {
        if (textCount_)
            textCount_->clear();
        return text;
    }
    if (yov::nsBool(config_->getConfigurationByModuleAndKey(QStringLiteral("SMS"), QStringLiteral("SpecialChar")))) {
        const QString replaced = replaceSpecialCharWithQuestionmark(text, n);
        if (replaced != text)
            return replaced;
    }
    if (const std::optional<QString> replaced = replaceSpecialCharWithAppointedChar(text, n))
        return *replaced;

    const yov::sms::SmsCodecOptions options = smsCodecOptions(config_);
    const int limit = yov::sms::getMaxTextNum(options, units(text), n, maxPack);
    const int count = yov::sms::getInputTextNum(options, units(text), n);
    if (limit < count) {
        if (!isPopWarningWindow_) {
            isPopWarningWindow_ = true;
            QTimer::singleShot(0, this, &MessageTextFormatter::warnOverLength);
        }
        const int keep = yov::sms::cutMaxTextLen(options, units(text), n, maxPack);
        text = text.left(keep);
        n = int(text.size());
        packnum_ = yov::sms::getInputPackNum(options, units(text), n);
    }
    if (textCount_) {
        if (sendNumInfo_)
            sendNumInfo_->clear();
        packnum_ = yov::sms::getInputPackNum(options, units(text), n);
        const int shownCount = yov::sms::getInputTextNum(options, units(text), n);
        textCount_->setText(QStringLiteral("%1 %2/%3")
                                .arg(Map_Name_Item_of_IndexString(QStringLiteral("info:")))
                                .arg(shownCount)
                                .arg(packnum_));
    }
    return text;
}

void MessageTextFormatter::warnOverLength()
{
    QPointer<MessageTextFormatter> self(this);
    NSBeginAlertPanelExt(Map_Name_Item_of_IndexString(QStringLiteral("Warning")),
                         Map_Name_Item_of_IndexString(QStringLiteral("SMS content exceeds the max length!")),
                         Map_Name_Item_of_IndexString(QStringLiteral("OK")), QString(), [self](int) {
                             if (self)
                                 self->isPopWarningWindow_ = false;
                         });
}

} // namespace ostrel
