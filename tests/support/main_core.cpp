// main() of test programs without widgets: a QCoreApplication around GoogleTest.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // A test never reaches the host's system services: outside scripts/with-session-bus (which
    // gives a private system bus) the system bus is one that does not exist.
    if (qEnvironmentVariableIsEmpty("DBUS_SYSTEM_BUS_ADDRESS"))
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/ostrel-test-no-system-bus");
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
