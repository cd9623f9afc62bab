#include "ostrel/sms/SmsTestMessages.h"

#include "ostrel/sms/service/SmsListSorts.h"

#include <QRandomGenerator>

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace sms_test;

namespace {

using SortFunction = int (*)(const QVariantMap &, const QVariantMap &, const QString &);

TEST(SmsListSorts, EachFunctionByKey)
{
    const QVariantMap early = withSummaryKey(singleSms("200", "x", 1, 1), "username", "Bea");
    const QVariantMap late = withSummaryKey(concatSms("100", {"a", "b"}, 5, 0), "username", "Al");
    const QVariantMap draftA = withKey(flatDraft("1", "d", 9), "username", "Zed");
    const QVariantMap draftB = withKey(flatDraft("2", "d", 3), "username", "Amy");
    struct Case {
        const char *what;
        SortFunction sort;
        QVariantMap first, second;
        QString key;
        int expected;
    };
    const Case cases[] = {
        {"single before concatenated by date", boxListAscendingSort, early, late, "date", -1},
        {"descending exchanges", boxListDescendingSort, early, late, "date", 1},
        {"number of the summary", boxListAscendingSort, early, late, "mobilephone", 1},
        {"name of the summary", boxListAscendingSort, early, late, "username", 1},
        {"stat of the part and of the summary", boxListAscendingSort, early, late, "stat", 1},
        {"a key not compared is the same", boxListAscendingSort, early, late, "messagetext", 0},
        {"drafts by date", draftBoxListAscendingSort, draftA, draftB, "date", 1},
        {"drafts by name", draftBoxListDescendingSort, draftA, draftB, "username", -1},
        {"drafts by number", draftBoxListAscendingSort, draftA, draftB, "mobilephone", -1},
        {"drafts do not compare stat", draftBoxListAscendingSort, draftA, draftB, "stat", 0},
        {"delete list runs from the highest index", deleteListDescendingSort, withKey(early, "index", 2),
         withKey(late, "index", 7), "index", 1},
        {"delete list compares only the index", deleteListDescendingSort, early, late, "date", 0},
        {"a missing value sorts first", boxListAscendingSort, singleSms("1", "x", 1), early, "username", -1},
    };
    for (const Case &t : cases)
        EXPECT_EQ(t.sort(t.first, t.second, t.key), t.expected) << t.what;
}

TEST(SmsListSorts, ADraftSortByStatLeavesTheOrderAsItWas)
{
    QList<QVariantMap> drafts;
    for (int i = 0; i < 20; ++i)
        drafts.append(flatDraft(QString::number(20 - i), QString::number(i), i));
    const QList<QVariantMap> before = drafts;
    std::stable_sort(drafts.begin(), drafts.end(),
                     [](const QVariantMap &a, const QVariantMap &b) { return draftBoxListAscendingSort(a, b, "stat") < 0; });
    EXPECT_EQ(drafts, before);
}

// Values of every kind a list file may hold, and none.
QVariant mixedValue(quint32 pick)
{
    switch (pick % 9) {
    case 0: return {};
    case 1: return QString::number(pick % 7);
    case 2: return int(pick % 5) - 2;
    case 3: return double(pick % 11) / 3.0;
    case 4: return smsDate(int(pick % 50));
    case 5: return bool(pick & 1);
    case 6: return QVariantMap{{"x", 1}};
    case 7: return qulonglong(pick % 4);
    default: return QString();
    }
}

QVariantMap mixedMessage(QRandomGenerator &random)
{
    QVariantMap message = random.bounded(2) ? singleSms("1", "t", 1) : concatSms("1", {"a", "b"}, 1);
    QVariantMap summary = message.value("concatSmsInfo").toMap();
    for (const char *key : {"mobilephone", "username", "date", "stat"}) {
        if (random.bounded(5) == 0)
            summary.remove(key);
        else
            summary.insert(key, mixedValue(random.generate()));
    }
    message.insert("concatSmsInfo", summary);
    if (!message.value("concatSmsFlag").toBool()) {
        QVariantMap part = message.value("smsInfo").toMap();
        part.insert("date", mixedValue(random.generate()));
        part.insert("stat", mixedValue(random.generate()));
        message.insert("smsInfo", part);
    }
    message.insert("index", mixedValue(random.generate()));
    for (const char *key : {"mobilephone", "username", "date"})
        message.insert(key, mixedValue(random.generate()));
    return message;
}

// Irreflexive, asymmetric, transitive, and "same" transitive: what std::sort relies on.
TEST(SmsListSorts, EveryFunctionIsAStrictWeakOrderOverMixedValues)
{
    QRandomGenerator random(27);
    std::vector<QVariantMap> sample;
    for (int i = 0; i < 60; ++i)
        sample.push_back(mixedMessage(random));
    const struct {
        SortFunction sort;
        QStringList keys;
    } functions[] = {
        {boxListAscendingSort, {"mobilephone", "username", "date", "stat", "other"}},
        {boxListDescendingSort, {"mobilephone", "username", "date", "stat"}},
        {draftBoxListAscendingSort, {"mobilephone", "username", "date", "stat"}},
        {draftBoxListDescendingSort, {"date"}},
        {deleteListDescendingSort, {"index"}},
    };
    for (const auto &f : functions) {
        for (const QString &key : f.keys) {
            const size_t n = sample.size();
            std::vector<int> cmp(n * n);
            for (size_t i = 0; i < n; ++i)
                for (size_t j = 0; j < n; ++j)
                    cmp[i * n + j] = f.sort(sample[i], sample[j], key);
            for (size_t i = 0; i < n; ++i) {
                ASSERT_EQ(cmp[i * n + i], 0) << key.toStdString();
                for (size_t j = 0; j < n; ++j) {
                    ASSERT_EQ(cmp[i * n + j], -cmp[j * n + i]) << key.toStdString();
                    for (size_t k = 0; k < n; ++k) {
                        if (cmp[i * n + j] < 0 && cmp[j * n + k] < 0) {
                            ASSERT_LT(cmp[i * n + k], 0) << key.toStdString();
                        }
                        if (cmp[i * n + j] == 0 && cmp[j * n + k] == 0) {
                            ASSERT_EQ(cmp[i * n + k], 0) << key.toStdString();
                        }
                    }
                }
            }
        }
    }
}

TEST(SmsListSorts, ThousandMixedEntriesSortInOrder)
{
    QRandomGenerator random(1000);
    QList<QVariantMap> list;
    for (int i = 0; i < 1000; ++i)
        list.append(mixedMessage(random));
    for (const QString key : {"date", "username", "stat", "mobilephone"}) {
        std::stable_sort(list.begin(), list.end(),
                         [&](const QVariantMap &a, const QVariantMap &b) { return boxListAscendingSort(a, b, key) < 0; });
        for (qsizetype i = 1; i < list.size(); ++i)
            ASSERT_LE(boxListAscendingSort(list.at(i - 1), list.at(i), key), 0) << key.toStdString() << " at " << i;
    }
}

} // namespace
