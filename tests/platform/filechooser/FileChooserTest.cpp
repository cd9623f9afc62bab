// The desktop's file dialog behind the file chooser: window-modal on the given window, the
// answer through the callback once the dialog closes, and the file type a saved name ends with.
#include "platform/filechooser/FileChooser.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <optional>

using yov::FileChooser;

TEST(FileChooserTest, SavedNameEndsWithTheChosenType)
{
    const QStringList types{QStringLiteral("txt"), QStringLiteral("csv")};
    struct Case {
        const char *path;
        const char *type;
        QStringList types;
        const char *expected;
    };
    const Case cases[] = {
        {"/tmp/records", "txt", types, "/tmp/records.txt"},
        {"/tmp/records.txt", "txt", types, "/tmp/records.txt"},
        {"/tmp/records.CSV", "txt", types, "/tmp/records.CSV"},
        {"/tmp/records.pdf", "csv", types, "/tmp/records.pdf.csv"},
        {"/tmp/records", "", types, "/tmp/records"},
        {"/tmp/records", "txt", {}, "/tmp/records"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FileChooser::pathWithFileType(QString::fromUtf8(c.path), QString::fromUtf8(c.type), c.types),
                  QString::fromUtf8(c.expected))
            << c.path;
}

TEST(FileChooserTest, DialogIsWindowModalAndAnswersOnce)
{
    QTemporaryDir dir;
    QWidget window;
    window.show();
    for (const bool accept : {true, false}) {
        SCOPED_TRACE(accept);
        yov::FileChooserRequest request;
        request.title = QStringLiteral("Save Record");
        request.directory = dir.path();
        request.fileTypes = {QStringLiteral("csv")};
        request.parent = &window;
        int answers = 0;
        std::optional<yov::FileChooserAnswer> answer;
        FileChooser::shared().chooseFileToSave(request, [&](const yov::FileChooserAnswer &a) {
            ++answers;
            answer = a;
        });
        auto *dialog = window.findChild<QFileDialog *>();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
        EXPECT_EQ(answers, 0) << "the call does not wait for the user";
        if (accept) {
            dialog->selectFile(dir.filePath(QStringLiteral("records")));
            static_cast<QDialog *>(dialog)->accept();
        } else {
            dialog->reject();
        }
        ASSERT_EQ(answers, 1);
        EXPECT_EQ(answer->accepted, accept);
        if (accept) {
            EXPECT_EQ(answer->path, dir.filePath(QStringLiteral("records.csv")));
            EXPECT_EQ(answer->fileType, QStringLiteral("csv"));
        }
        QTest::qWait(0);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(window.findChild<QFileDialog *>(), nullptr) << "the dialog goes when it closes";
    }
}

TEST(FileChooserTest, NamedTypesFormOneFilterWhenOpening)
{
    QTemporaryDir dir;
    QWidget window;
    const struct {
        const char *name;
        QStringList expected;
    } cases[] = {
        {"Audio files", {QStringLiteral("Audio files (*.wav *.mp3)")}},
        {"", {QStringLiteral("WAV (*.wav)"), QStringLiteral("MP3 (*.mp3)")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        yov::FileChooserRequest request;
        request.directory = dir.path();
        request.fileTypes = {QStringLiteral("wav"), QStringLiteral("mp3")};
        request.fileTypesName = QString::fromLatin1(c.name);
        request.parent = &window;
        FileChooser::shared().chooseFileToOpen(request, [](const yov::FileChooserAnswer &) {});
        auto *dialog = window.findChild<QFileDialog *>();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameFilters(), c.expected);
        dialog->reject();
        QTest::qWait(0);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST(FileChooserTest, AProgramChooserListsFoldersProgramsAndDesktopEntriesOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const auto make = [&dir](const char *name, bool executable) {
        QFile f(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        if (executable)
            f.setPermissions(f.permissions() | QFile::ExeOwner);
    };
    make("tool", true);
    make("viewer.desktop", false);
    make("notes.txt", false);
    const struct {
        const char *name;
        bool program;
    } cases[] = {{"tool", true}, {"viewer.desktop", true}, {"notes.txt", false}, {"sub", false}, {"missing", false}};
    for (const auto &c : cases)
        EXPECT_EQ(FileChooser::isProgram(dir.filePath(QLatin1String(c.name))), c.program) << c.name;

    QWidget window;
    yov::FileChooserRequest request;
    request.directory = dir.path();
    request.parent = &window;
    request.programsOnly = true;
    FileChooser::shared().chooseFileToOpen(request, [](const yov::FileChooserAnswer &) {});
    auto *dialog = window.findChild<QFileDialog *>();
    ASSERT_NE(dialog, nullptr);
    QAbstractProxyModel *proxy = dialog->proxyModel();
    ASSERT_NE(proxy, nullptr);
    auto *files = qobject_cast<QFileSystemModel *>(proxy->sourceModel());
    ASSERT_NE(files, nullptr);
    const QModelIndex folder = files->index(dir.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return files->rowCount(folder) == 4; }, 5000));
    QStringList shown;
    const QModelIndex proxyFolder = proxy->mapFromSource(folder);
    for (int row = 0; row < proxy->rowCount(proxyFolder); ++row)
        shown << proxy->index(row, 0, proxyFolder).data().toString();
    shown.sort();
    EXPECT_EQ(shown, (QStringList{QStringLiteral("sub"), QStringLiteral("tool"), QStringLiteral("viewer.desktop")}));
    dialog->reject();
    QTest::qWait(0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
