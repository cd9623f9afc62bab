// Feeds arbitrary bytes to the property-list reader. Beyond what the sanitizers see, it stops when
// the direct XML reader reads a document to anything other than what libplist reads it to (both
// written back as XML, which keeps every type apart).
#include "common/PlistBridge.h"
#include "common/PlistXmlReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto value = yov::PlistBridge::parse(bytes);
    const auto fast = yov::PlistXmlReader::read(bytes);
    if (fast.status != yov::PlistXmlReader::Status::Read)
        return 0;
    const auto general = yov::PlistBridge::parseGeneral(bytes);
    if (!value || !general)
        std::abort();
    if (yov::PlistBridge::toXml(fast.value) != yov::PlistBridge::toXml(*general))
        std::abort();
    return 0;
}
