#include "ostrel/framework/plugin/PluginHost.h"

#include <QCoreApplication>
#include <QLabel>
#include <QDir>

#include <gtest/gtest.h>

using ostrel::PluginHost;

namespace {
struct PluginDirOverride {
    explicit PluginDirOverride(const QByteArray &dir) : old(qgetenv("OSTREL_PLUGIN_DIR")), had(qEnvironmentVariableIsSet("OSTREL_PLUGIN_DIR"))
    {
        qputenv("OSTREL_PLUGIN_DIR", dir);
    }
    ~PluginDirOverride()
    {
        if (had)
            qputenv("OSTREL_PLUGIN_DIR", old);
        else
            qunsetenv("OSTREL_PLUGIN_DIR");
    }
    QByteArray old;
    bool had;
};
} // namespace

TEST(PluginHost, FolderIsTheEnvironmentOverrideElseLibOstrelPluginsBesideTheProgram)
{
    {
        PluginDirOverride dir("/opt/x/plugins/");
        EXPECT_EQ(PluginHost::pluginDirectory(), "/opt/x/plugins");
    }
    qunsetenv("OSTREL_PLUGIN_DIR");
    QDir prefix(QCoreApplication::applicationDirPath());
    prefix.cdUp();
    EXPECT_EQ(PluginHost::pluginDirectory(), QDir::cleanPath(prefix.filePath("lib/ostrel/plugins")));
}

TEST(PluginHost, PluginNamesStayInsideThePluginFolder)
{
    struct {
        const char *name;
        const char *expected;
    } cases[] = {
        {"USSDBundle.bundle", "/p/USSDBundle"},
        {"CallBundle", "/p/CallBundle"},
        {"../evil.bundle", ""},
        {"sub/x.bundle", ""},
        {"..", ""},
        {".bundle", ""},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PluginHost::pluginPathFor(c.name, "/p"), QString(c.expected)) << c.name;
}

TEST(PluginHost, LoadsTheTestPluginAndHandsItTheSharedObjects)
{
    PluginDirOverride dir(OSTREL_TEST_PLUGIN_DIR);
    PluginHost host;
    ostrel::TabPluginInterface *plugin = host.load("TestBundle.bundle");
    ASSERT_NE(plugin, nullptr) << host.errorString().toStdString();
    EXPECT_EQ(plugin->interfaceVersion(), 7);
    QObject window, center;
    EXPECT_TRUE(plugin->initWithParam({{"wndMain", QVariant::fromValue<QObject *>(&window)},
                                       {"yovMsgCenter", QVariant::fromValue<QObject *>(&center)}}));
    auto *view = qobject_cast<QLabel *>(plugin->bundleView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->text(), "wndMain,yovMsgCenter");
    plugin->setHostController(&window);
    EXPECT_EQ(plugin->hostController(), &window);
    delete view;

    // One plug-in per host.
    EXPECT_EQ(host.load("TestBundle.bundle"), nullptr);
    EXPECT_EQ(host.instance(), plugin);
}

TEST(PluginHost, MissingPluginLoadsNothingAndSaysWhy)
{
    PluginDirOverride dir(OSTREL_TEST_PLUGIN_DIR);
    PluginHost host;
    EXPECT_EQ(host.load("STKBundle.bundle"), nullptr);
    EXPECT_FALSE(host.errorString().isEmpty());
    EXPECT_EQ(host.instance(), nullptr);
    EXPECT_EQ(host.load("../TestBundle.bundle"), nullptr);
}
