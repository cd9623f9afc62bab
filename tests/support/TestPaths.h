#pragma once
// Folders the tests read from: fixtures, the shipped resources, and the build tree's programs.
#include <QString>

namespace testing_paths {
inline QString fixtures() { return QStringLiteral(OSTREL_TEST_FIXTURES); }
inline QString sourceResources() { return QStringLiteral(OSTREL_SOURCE_RESOURCES); }
inline QString binDir() { return QStringLiteral(OSTREL_BUILD_BIN_DIR); }
inline QString shareDir() { return QStringLiteral(OSTREL_BUILD_SHARE_DIR); }
} // namespace testing_paths
