// main() of widget test programs: a QApplication (offscreen unless a platform is chosen).
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A test never reaches the host's system services: outside scripts/with-session-bus (which
    // gives a private system bus) the system bus is one that does not exist.
    if (qEnvironmentVariableIsEmpty("DBUS_SYSTEM_BUS_ADDRESS"))
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/ostrel-test-no-system-bus");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
