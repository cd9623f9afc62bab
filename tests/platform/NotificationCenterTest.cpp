#include "platform/NotificationCenter.h"

#include <gtest/gtest.h>
#include <memory>

using yov::Notification;
using yov::NotificationCenter;

TEST(NotificationCenter, DeliversInRegistrationOrderWithFilters)
{
    NotificationCenter center;
    QObject a, b, c, senderX, senderY;
    QStringList calls;
    center.addObserver(&a, "N", nullptr, [&](const Notification &n) { calls << "a:" + n.userInfo.value("k").toString(); });
    center.addObserver(&b, "N", &senderX, [&](const Notification &) { calls << "b"; });
    center.addObserver(&c, QString(), nullptr, [&](const Notification &n) { calls << "c:" + n.name; });
    center.post("N", &senderY, {{"k", "v"}});
    center.post("N", &senderX);
    center.post("Other");
    EXPECT_EQ(calls, (QStringList{"a:v", "c:N", "a:", "b", "c:N", "c:Other"}));
}

TEST(NotificationCenter, RemovalDuringPostStopsLaterObservers)
{
    NotificationCenter center;
    QObject first, second;
    int secondCalls = 0;
    center.addObserver(&first, "N", nullptr, [&](const Notification &) { center.removeObserver(&second); });
    center.addObserver(&second, "N", nullptr, [&](const Notification &) { ++secondCalls; });
    center.post("N");
    EXPECT_EQ(secondCalls, 0);
}

TEST(NotificationCenter, AdditionDuringPostTakesEffectFromNextPost)
{
    NotificationCenter center;
    QObject first, late;
    int lateCalls = 0;
    bool added = false;
    center.addObserver(&first, "N", nullptr, [&](const Notification &) {
        if (!added) {
            added = true;
            center.addObserver(&late, "N", nullptr, [&](const Notification &) { ++lateCalls; });
        }
    });
    center.post("N");
    EXPECT_EQ(lateCalls, 0);
    center.post("N");
    EXPECT_EQ(lateCalls, 1);
}

TEST(NotificationCenter, ObserverDestroyedDuringPostOrBeforeIsDropped)
{
    NotificationCenter center;
    auto victim = std::make_unique<QObject>();
    QObject killer;
    int victimCalls = 0;
    center.addObserver(&killer, "N", nullptr, [&](const Notification &) { victim.reset(); });
    center.addObserver(victim.get(), "N", nullptr, [&](const Notification &) { ++victimCalls; });
    center.post("N");
    EXPECT_EQ(victimCalls, 0);
    EXPECT_EQ(center.observerCount(), 1);
}

TEST(NotificationCenter, MemberFunctionHandlersAndNamedRemoval)
{
    struct Receiver : QObject {
        int hits = 0;
        void onNote(const Notification &) { ++hits; }
    } r;
    NotificationCenter center;
    center.addObserver(&r, &Receiver::onNote, "A");
    center.addObserver(&r, &Receiver::onNote, "B");
    center.post("A");
    center.removeObserver(&r, "A");
    center.post("A");
    center.post("B");
    EXPECT_EQ(r.hits, 2);
    EXPECT_EQ(center.observerCount(&r), 1);
}
