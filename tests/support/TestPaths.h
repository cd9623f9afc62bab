#pragma once
// Folders the tests read from: fixtures, the shipped resources, and the build tree's programs.
#include <QString>

namespace testing_paths {
inline QString fixtures() { return QStringLiteral(OSTREL_TEST_FIXTURES); }
inline QString sourceResources() { return QStringLiteral(OSTREL_SOURCE_RESOURCES); }
inline QString binDir() { return QStringLiteral(OSTREL_BUILD_BIN_DIR); }
inline QString shareDir() { return QStringLiteral(OSTREL_BUILD_SHARE_DIR); }
// Where a test saves a screenshot named name: a file in $OSTREL_TEST_SCREENSHOTS, or empty (take
// none) when that variable is unset, so that test runs leave nothing behind.
inline QString screenshotPath(const QString &name)
{
    const QString dir = qEnvironmentVariable("OSTREL_TEST_SCREENSHOTS");
    return dir.isEmpty() ? QString() : dir + QLatin1Char('/') + name;
}
} // namespace testing_paths
