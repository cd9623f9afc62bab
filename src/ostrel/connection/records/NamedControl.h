#pragma once
// A control of the records windows, made with its parent and named after its role (objectName),
// the name the skin, the controller and tests find it by.
#include <QWidget>

namespace ostrel {

template <typename T>
T *namedRecordControl(QWidget *parent, const char *name)
{
    auto *control = new T(parent);
    control->setObjectName(QLatin1String(name));
    return control;
}

} // namespace ostrel
