#pragma once
// A fast reader for XML property lists, straight from the bytes into QVariant (same mapping as
// PlistBridge). It reads the form that property-list writers produce: an optional XML declaration,
// DOCTYPE and comments, one <plist> holding one value; strings and keys with the five named
// entities, numeric character references and CDATA sections. Anything outside that form (tags
// with attributes other than on <plist>, other entities, numbers or dates written otherwise, a
// repeated key, ...) is not guessed at: the reader answers NotHandled and the caller reads the
// document with the general reader, so a document reads to the same value either way.

#include <QByteArray>
#include <QVariant>

namespace yov {

class PlistXmlReader {
public:
    enum class Status {
        Read,       // value holds the document
        NotHandled, // outside the form above (or not well formed): read it with the general reader
        TooDeep,    // containers nested deeper than PlistBridge::kMaxDepth: refuse the document
    };
    struct Result {
        Status status = Status::NotHandled;
        QVariant value;
    };

    static Result read(const QByteArray &bytes);
};

} // namespace yov
