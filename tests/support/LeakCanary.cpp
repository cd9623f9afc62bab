// Leaks one object of our own and exits normally: under LeakSanitizer (with the project's
// suppression file) the leak must be reported. See tests/support/CMakeLists.txt.
#include <QObject>

int main()
{
    auto *lost = new QObject;
    lost->setObjectName(QStringLiteral("never deleted"));
    lost = nullptr;
    return 0;
}
