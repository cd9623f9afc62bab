#pragma once
// The program's version, one for the whole build: the VERSION of the top-level project() in
// CMakeLists.txt. The internal revision is the source's git revision when the program was built
// from a git checkout, else the version (a build from a tarball).

#include <QString>

namespace yov {

class BuildInfo {
public:
    static QString version();
    static QString internalRevision();
};

} // namespace yov
