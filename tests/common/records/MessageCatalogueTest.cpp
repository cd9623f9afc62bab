#include "common/records/MessageCatalogue.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace yov;

static_assert(findMessage(258, 65)->minor == 65);
static_assert(!findMessage(1, 1));

TEST(MessageCatalogue, RowsWithTheirOwnSenderValues)
{
    const struct {
        std::uint16_t major, minor;
        MsgDirection dir;
        int area, module, type, result, size;
    } cases[] = {
        {1, 0, MsgDirection::FromDevice, -1, 0, 0, 0, 0},
        {3, 3, MsgDirection::Both, kModuleInit, kModuleInit, 0, 0, 0},
        {4, 10, MsgDirection::Both, kModuleInit, kModuleInit, 1, 0, 10},
        {4, 11, MsgDirection::Both, kModuleSetting, kModuleSetting, 0, 0, 20},
        {8, 58, MsgDirection::Both, kModuleMain, kModuleMain, 2, 255, 0},
        {257, 60, MsgDirection::Both, kModuleDial, kModuleDial, 0, 0, 920},
        {258, 69, MsgDirection::ToDevice, kModuleDial, kModuleDial, 0, 0, 0},
        {768, 95, MsgDirection::Both, kModuleSetting, kModuleSMS, 0, 0, 32},
        {768, 96, MsgDirection::Both, kModuleSMS, kModuleSetting, 0, 0, 4},
        {768, 109, MsgDirection::Both, kModuleSMS, kModuleSetting, 0, 0, 0},
        {1792, 138, MsgDirection::Both, kModuleUSSD, kModuleUSSD, 0, 0, 8200},
        {2307, 152, MsgDirection::ToDevice, kModuleCall, kModuleCall, 0, 0, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.major << "/" << c.minor);
        const MsgCatalogueEntry *e = findMessage(c.major, c.minor);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->direction, c.dir);
        if (c.area < 0) {
            EXPECT_FALSE(e->isSent());
            continue;
        }
        const MsgSender *s = findSender(c.major, c.minor, c.area);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->module, c.module);
        EXPECT_EQ(s->type, c.type);
        EXPECT_EQ(s->result, c.result);
        EXPECT_EQ(s->payloadSize, c.size);
    }
    // The device-lock unlock request goes out under either of two module IDs.
    const MsgCatalogueEntry *unlock = findMessage(5, 27);
    ASSERT_NE(unlock, nullptr);
    ASSERT_EQ(unlock->senderCount, 2);
    EXPECT_EQ(unlock->senders[0].module, kModuleInit);
    EXPECT_EQ(unlock->senders[1].module, kModuleSetting);
}

TEST(MessageCatalogue, EveryDeviceStateReportIsHandled)
{
    // The IDs the device-state area registers for; the stand-in's start-up pushes some of them.
    const std::pair<std::uint16_t, std::uint16_t> ids[] = {
        {1, 0}, {2, 1}, {3, 2}, {3, 3}, {3, 4}, {3, 5}, {4, 8}, {4, 9}, {4, 10}, {4, 16}, {4, 19},
        {4, 17}, {4, 11}, {4, 13}, {513, 75}, {513, 80}, {6, 32}, {6, 33}, {7, 57}, {7, 34}, {7, 35},
        {7, 55}, {7, 36}, {7, 46}, {7, 37}, {7, 38}, {7, 40}, {7, 39}, {7, 41}, {7, 42}, {7, 51},
        {7, 48}, {7, 49}, {7, 47}, {7, 50}, {7, 54}, {7, 56}, {8, 58}, {8, 59}, {7, 45}, {7, 44},
        {513, 85}, {0, 26}, {0, 164},
    };
    for (auto [major, minor] : ids) {
        const MsgCatalogueEntry *e = findMessage(major, minor);
        ASSERT_NE(e, nullptr) << major << "/" << minor;
        EXPECT_TRUE(e->isHandled()) << major << "/" << minor;
    }
    EXPECT_EQ(findMessage(7, 43), nullptr);
    EXPECT_EQ(findMessage(65535, 65535), nullptr);
    EXPECT_EQ(msgGroupLabel(1), "handshake");
    EXPECT_TRUE(msgGroupLabel(9).empty());
}

TEST(MessageCatalogue, WhatTheSendCallAndTheStandInTakeFromIt)
{
    const struct {
        std::uint16_t major, minor;
        bool needsModule;
        int requestSize;  // -1: not a request
        int answerSize;   // kAnyAnswerSize: not fixed
    } cases[] = {
        {3, 3, false, 0, 0},
        {4, 10, false, 10, 0},
        {4, 11, true, 20, 0},          // two windows, two modules and types
        {5, 27, true, 4, kAnyAnswerSize},
        {768, 96, true, 4, 4},              // the SMS page sends it under the settings' module
        {257, 60, false, 920, 0},
        {258, 67, false, 0, kAnyAnswerSize}, // the status comes in two forms
        {7, 36, false, -1, 180},
        {7, 42, false, 0, 36},
        {9999, 1, false, -1, kAnyAnswerSize},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.major << "/" << c.minor);
        EXPECT_EQ(requestNeedsModule(c.major, c.minor), c.needsModule);
        EXPECT_EQ(requestPayloadSize(c.major, c.minor), c.requestSize);
        EXPECT_EQ(answerPayloadSize(c.major, c.minor), c.answerSize);
        EXPECT_EQ(requestSender(c.major, c.minor, kCatalogueModule) != nullptr, c.requestSize >= 0 && !c.needsModule);
    }
    EXPECT_EQ(requestSender(4, 11, kModuleInit)->type, 1);
    EXPECT_EQ(requestSender(4, 11, kModuleSetting)->type, 0);
    EXPECT_EQ(requestSender(4, 11, kModuleSMS), nullptr);
    EXPECT_EQ(requestSender(768, 95, kModuleSMS)->area, kModuleSetting);
}

TEST(MessageCatalogue, NoCodeOfTheDashboardSendsAroundTheCatalogue)
{
    // Requests go out through YOVMsgCenter::sendCatalogued, whose compile-time checks hold every
    // ID, module and size to this catalogue; the raw send calls belong to the message center.
    const QString src = QDir(testing_paths::sourceResources() + QStringLiteral("/../src")).canonicalPath();
    ASSERT_FALSE(src.isEmpty());
    const QRegularExpression rawSend(QStringLiteral(R"(sendMessageModuleID\s*\(|\bsendMessage\s*\(\s*&)"));
    QStringList offenders;
    QDirIterator files(src, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
    int scanned = 0;
    while (files.hasNext()) {
        const QString path = files.next();
        if (path.contains(QLatin1String("/framework/message/")))
            continue;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
        ++scanned;
        if (rawSend.match(QString::fromUtf8(file.readAll())).hasMatch())
            offenders << QDir(src).relativeFilePath(path);
    }
    EXPECT_GT(scanned, 50);
    EXPECT_TRUE(offenders.isEmpty()) << qPrintable(offenders.join(QLatin1Char(' ')));
}
