#pragma once
// Names of the device-service link on the session bus, shared by the dashboard and the device
// service.
//
// The device service owns kService and exports, at kPath on kInterface, the method yMsg(ay) (one
// raw UI_MSG per request; an empty reply once it has taken the record) and the signal yMsg(ay)
// (its replies and its own reports). No activation file is installed: a send while the service is
// not running fails at once.
//
// The stand-in device service adds a test-control interface at kTestPath (kTestInterface).

namespace yov::devicebus {

inline constexpr char kService[] = "com.vandrel.DataCardServer";
inline constexpr char kPath[] = "/com/vandrel/DataCardServer";
inline constexpr char kInterface[] = "com.vandrel.DataCardServer";
inline constexpr char kMember[] = "yMsg";

inline constexpr char kTestPath[] = "/com/vandrel/DataCardServer/Test";
inline constexpr char kTestInterface[] = "com.vandrel.DataCardServer.Test";

} // namespace yov::devicebus
