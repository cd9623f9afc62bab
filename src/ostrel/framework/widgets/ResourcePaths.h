#pragma once
// Where the program's shipped data lives: <prefix>/share/ostrel, <prefix> being the folder above
// the program's bin/ folder (the build tree mirrors an install prefix). Tests may set another.

#include <QImage>
#include <QString>

namespace ostrel {

class ResourcePaths {
public:
    // The resources folder; an empty override restores the default.
    static QString resourcesPath();
    static void setResourcesPath(const QString &path);

    // An image of the application by file name, from <resources>/images (the name as given, or
    // with ".png"/".PNG" added). A null image when none loads.
    static QImage applicationImage(const QString &name);
    // The image of that name in a folder, looked up the same way. Only a plain file name is taken:
    // a name with "/" or starting with "." gives a null image, never a file outside the folder.
    static QImage imageInFolder(const QString &folder, const QString &name);
};

} // namespace ostrel
