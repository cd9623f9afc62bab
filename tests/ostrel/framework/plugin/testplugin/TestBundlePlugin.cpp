// A tab plug-in that shows a label listing the shared objects it was given.
#include "ostrel/framework/plugin/TabPluginInterface.h"

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QStringList>

class TestBundlePlugin : public QObject, public ostrel::TabPluginInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID OstrelTabPluginInterface_iid)
    Q_INTERFACES(ostrel::TabPluginInterface)

public:
    bool initWithParam(const QVariantMap &objects) override
    {
        QStringList names;
        for (auto it = objects.begin(); it != objects.end(); ++it) {
            if (it.value().value<QObject *>())
                names.append(it.key());
        }
        names.sort();
        received_ = names.join(QLatin1Char(','));
        return true;
    }

    QWidget *bundleView() override
    {
        if (!view_) {
            view_ = new QLabel(received_);
            view_->setObjectName(QStringLiteral("testBundleView"));
        }
        return view_;
    }

    int interfaceVersion() const override { return 7; }
    QObject *hostController() const override { return host_; }
    void setHostController(QObject *controller) override { host_ = controller; }

private:
    QString received_;
    QPointer<QLabel> view_;
    QPointer<QObject> host_;
};

#include "TestBundlePlugin.moc"
