#pragma once
// Appending to a file of this user in a shared folder: opened without following a symbolic link,
// created readable by the user alone, refused when it is not a regular file of this user.
#include <QByteArray>
#include <QString>

namespace ostrel {

// With separateWithNewline, a line feed goes before the bytes when the file is not empty.
bool appendToPrivateFile(const QString &path, const QByteArray &bytes, bool separateWithNewline, QString *error);

} // namespace ostrel
