// Requests that disagree with the message catalogue must not compile. The build compiles this file
// once per CASE_ macro (tests/ostrel/framework/message/CMakeLists.txt): CASE_RIGHT must compile,
// each other case must fail with its own message.
#include "common/records/Payload.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/framework/message/YOVMsgCenter.h"

bool send(ostrel::YOVMsgCenter &center)
{
#if defined(CASE_RIGHT)
    return center.sendCatalogued<258, 76>(yov::PsAttachRequest())      // a record type of 8 bytes
           && center.sendCatalogued<4, 10>(yov::FixedPayload<10>())    // the PIN
           && center.sendCatalogued<4, 11>(yov::FixedPayload<20>(), yov::kModuleInit)
           && center.sendCatalogued<8, 58>();                          // no data
#elif defined(CASE_WRONG_SIZE)
    return center.sendCatalogued<4, 10>(yov::FixedPayload<12>());      // the PIN request carries 10 bytes
#elif defined(CASE_WRONG_RECORD)
    return center.sendCatalogued<257, 60>(yov::PsAttachRequest());     // the dial parameters are 920 bytes
#elif defined(CASE_DATA_MISSING)
    return center.sendCatalogued<258, 76>();                           // the attach request has 8 bytes
#elif defined(CASE_UNKNOWN_ID)
    return center.sendCatalogued<7, 43>();
#elif defined(CASE_NOT_A_REQUEST)
    return center.sendCatalogued<7, 35>();                             // a report of the device only
#elif defined(CASE_MODULE_MISSING)
    return center.sendCatalogued<768, 109>();                          // sent under module 3 or 5
#else
#error "no CASE_ given"
#endif
}
