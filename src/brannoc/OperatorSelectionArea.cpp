#include "brannoc/OperatorSelectionArea.h"

#include "brannoc/ModemRecords.h"
#include "common/ValueConversion.h"
#include "common/records/settings/NetworkSelectionRecords.h"


namespace brannoc {

namespace {

constexpr std::int32_t kSettingModule = 3;

const char *const kKeys[] = {"Operators", "SearchDelayMs", "SearchResult", "SelectDelayMs", "RefuseNumerics",
                             "CheckOutcomes", "CountOverride", "LongNames", "ReplyAfterCancel", "SelectVariant",
                             "SelectionMode"};

QVariantMap entry(int state, const char *longName, const char *shortName, const char *numeric, const char *act)
{
    return {{QStringLiteral("State"), state}, {QStringLiteral("Long"), QLatin1String(longName)},
            {QStringLiteral("Short"), QLatin1String(shortName)}, {QStringLiteral("Numeric"), QLatin1String(numeric)},
            {QStringLiteral("Act"), QLatin1String(act)}};
}

QVariantList defaultOperators()
{
    return {entry(2, "Vandrel", "Vandrel", "26202", "2"), entry(1, "Korvane Mobil", "Korvane", "26201", "2"),
            entry(3, "Ostwind Telecom", "Ostwind", "26203", "0")};
}

} // namespace

OperatorSelectionArea::OperatorSelectionArea()
{
    for (QTimer *t : {&searchTimer_, &selectTimer_, &checkTimer_})
        t->setSingleShot(true);
}

QStringList OperatorSelectionArea::stateKeys() const
{
    QStringList keys;
    for (const char *k : kKeys)
        keys << QLatin1String(k);
    return keys;
}

void OperatorSelectionArea::load(const QVariantMap &state)
{
    state_ = state;
    stopPending();
    checksAnswered_ = 0;
}

QVariantMap OperatorSelectionArea::state() const
{
    QVariantMap s = state_;
    s.insert(QStringLiteral("SelectionMode"), stateInt(state_, "SelectionMode", 0));
    s.insert(QStringLiteral("SearchPending"), searchTimer_.isActive());
    s.insert(QStringLiteral("ChecksAnswered"), checksAnswered_);
    return s;
}

void OperatorSelectionArea::stopPending()
{
    for (QTimer *t : {&searchTimer_, &selectTimer_, &checkTimer_}) {
        t->stop();
        t->disconnect();
    }
}

QByteArray OperatorSelectionArea::searchAnswer() const
{
    const QVariantList operators = state_.contains(QStringLiteral("Operators"))
                                       ? yov::nsArray(state_.value(QStringLiteral("Operators")))
                                       : defaultOperators();
    const bool unterminated = stateBool(state_, "LongNames", false);
    yov::NetSearchResult result;
    for (const QVariant &v : operators) {
        const QVariantMap op = yov::nsDict(v);
        yov::NetSearchEntry e;
        e.state = yov::nsInt(op.value(QStringLiteral("State")));
        e.longName = yov::nsString(op.value(QStringLiteral("Long"))).toUtf8();
        e.shortName = yov::nsString(op.value(QStringLiteral("Short"))).toUtf8();
        e.numeric = yov::nsString(op.value(QStringLiteral("Numeric"))).toLatin1();
        e.technology = yov::nsString(op.value(QStringLiteral("Act"))).toLatin1();
        if (unterminated) {
            // Every text fills its field: the reader has no terminator to stop at.
            e.longName = e.longName.leftJustified(yov::NetSearchEntry::kLongWidth, 'L', true);
            e.shortName = e.shortName.leftJustified(yov::NetSearchEntry::kShortWidth, 'S', true);
            e.numeric = e.numeric.leftJustified(yov::NetSearchEntry::kNumericWidth, '9', true);
            e.technology = e.technology.leftJustified(yov::NetSearchEntry::kTechnologyWidth, '2', true);
        }
        result.entries.append(e);
    }
    result.count = state_.contains(QStringLiteral("CountOverride")) ? stateInt(state_, "CountOverride", 0)
                                                                    : std::min<int>(int(result.entries.size()), 30);
    return result.encode();
}

QVariantMap OperatorSelectionArea::operatorOf(const QByteArray &numeric) const
{
    const QVariantList operators = state_.contains(QStringLiteral("Operators"))
                                       ? yov::nsArray(state_.value(QStringLiteral("Operators")))
                                       : defaultOperators();
    for (const QVariant &v : operators) {
        const QVariantMap op = yov::nsDict(v);
        if (yov::nsString(op.value(QStringLiteral("Numeric"))).toLatin1() == numeric)
            return op;
    }
    return {};
}

void OperatorSelectionArea::pushMode(ModemContext &context, int mode)
{
    state_.insert(QStringLiteral("SelectionMode"), mode);
    context.push(makeRecord(513, 83, 1, kOk, kSettingModule, int32Payload({mode})));
}

void OperatorSelectionArea::answerSelect(ModemContext &context, const QByteArray &numeric, bool success)
{
    const QVariantMap op = operatorOf(numeric);
    QByteArray payload;
    if (stateBool(state_, "SelectVariant", false)) {
        yov::ManualSelectResult answer;
        answer.quality = success ? 1.0f : 0.0f;
        answer.numeric = numeric;
        answer.technology = yov::nsString(op.value(QStringLiteral("Act"))) == QLatin1String("0") ? '2' : '3';
        payload = answer.encode();
    }
    context.push(makeRecord(513, 79, 1, success ? kOk : kFailed, kSettingModule, payload));
    if (!success)
        return;
    if (ModemArea *network = context.area(QStringLiteral("Network"))) {
        const QString digits = QString::fromLatin1(numeric);
        network->set({{QStringLiteral("Mcc"), digits.left(3)},
                      {QStringLiteral("Mnc"), digits.mid(3)},
                      {QStringLiteral("OperatorName"), yov::nsString(op.value(QStringLiteral("Long")))},
                      {QStringLiteral("Registered"), true},
                      {QStringLiteral("SelectedMode"), 1}}, // its mode reports now say manual
                     context);
    }
    pushMode(context, 1);
}

bool OperatorSelectionArea::handleRequest(const yov::UI_MSG &request, ModemContext &context)
{
    if (request.majorID != 513)
        return false;
    const yov::PayloadReader payload = yov::PayloadReader::ofMsg(request);
    switch (request.minorID) {
    case 78: {
        checksAnswered_ = 0;
        searchTimer_.stop();
        searchTimer_.disconnect();
        const int delay = stateInt(state_, "SearchDelayMs", 2000);
        if (delay < 0)
            return true; // never answered
        QObject::connect(&searchTimer_, &QTimer::timeout, [this, &context] {
            const int result = stateInt(state_, "SearchResult", 0);
            context.push(makeRecord(513, 78, 1, std::int8_t(result), kSettingModule, result == 0 ? searchAnswer() : QByteArray()));
        });
        searchTimer_.start(delay);
        return true;
    }
    case 89:
        if (!stateBool(state_, "ReplyAfterCancel", false)) {
            searchTimer_.stop();
            searchTimer_.disconnect();
        }
        return true;
    case 79: {
        selectTimer_.stop();
        selectTimer_.disconnect();
        const yov::ManualSelectRequest select = yov::ManualSelectRequest::decode(payload);
        const int delay = stateInt(state_, "SelectDelayMs", 1000);
        if (delay < 0)
            return true;
        QStringList refused;
        for (const QVariant &v : yov::nsArray(state_.value(QStringLiteral("RefuseNumerics"))))
            refused << yov::nsString(v);
        const QVariantMap op = operatorOf(select.numeric);
        const bool success = !op.isEmpty() && yov::nsInt(op.value(QStringLiteral("State"))) != 3
                             && !refused.contains(QString::fromLatin1(select.numeric));
        pendingNumeric_ = select.numeric;
        QObject::connect(&selectTimer_, &QTimer::timeout, [this, &context, success] {
            answerSelect(context, pendingNumeric_, success);
        });
        selectTimer_.start(delay);
        return true;
    }
    case 88: {
        const QVariantList outcomes = yov::nsArray(state_.value(QStringLiteral("CheckOutcomes")));
        const bool success = checksAnswered_ < outcomes.size()
                             && yov::nsString(outcomes[checksAnswered_]).compare(QLatin1String("success"), Qt::CaseInsensitive) == 0;
        ++checksAnswered_;
        checkTimer_.stop();
        checkTimer_.disconnect();
        QObject::connect(&checkTimer_, &QTimer::timeout, [this, &context, success] {
            answerSelect(context, pendingNumeric_, success);
        });
        const int delay = stateInt(state_, "SelectDelayMs", 1000);
        if (delay >= 0)
            checkTimer_.start(delay);
        return true;
    }
    case 76:
        // The network area answers; a success returns the selection to automatic, reported after
        // that answer.
        if (ModemArea *network = context.area(QStringLiteral("Network"));
            network && stateInt(network->state(), "ModeResult", 0) == 0)
            QTimer::singleShot(0, &searchTimer_, [this, &context] { pushMode(context, 0); });
        return false;
    default:
        return false;
    }
}

void OperatorSelectionArea::onEvent(ModemEvent event, ModemContext &)
{
    if (event == ModemEvent::DeviceRemoved)
        stopPending();
}

} // namespace brannoc
