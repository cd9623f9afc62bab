#pragma once
// The data connection of the simulated modem: dial parameters, PPP and NDIS links, packet-domain
// attach and frequency lock. Every record it sends is type 1 and carries the module of the
// request it answers (2 for the connection requests).
//
// State (Modem/Connection): NewDial (false: 258/67 answers with the 36-byte PPP status, true:
// with the 164-byte transfer status), ConnectFails (false), AttachFails (false), StepMs (300: time
// between two link states), SendRate and ReceiveRate (bytes per second while up: 2048, 16384),
// LocalIp ("10.64.12.34"), NdisTransferIntervalMs (1000), DropAfterMs (0: the link stays; else it
// is lost that long after it came up; set at run time it counts from then), ConnectFailsTimes (0:
// that many connect requests fail, then they succeed; each refusal lowers it by one),
// ConnectOnlyApn ("": any APN; else only a link dialled with that APN comes up).
//
// Requests:
//   257/60 dial parameters (920 bytes): stored, answered with result 0.
//   257/61 frequency lock set {enable, value}: stored. 257/62: answered with 257/87 {state, value}.
//   258/65 PPP connect: answered; the link then steps through the PPP states 1, 2, 4, 5, 7 to 8
//          (running), or, when it cannot come up (ConnectFails, no packet service), 1, 2, 4, 5, 9,
//          10, 0. 258/66 disconnect: 9, 10, 0. A lost link: 10, 0.
//   258/67 status poll: the PPP state with time and byte counts that grow while the link is up.
//   258/68 local address: the IPv4 address as a uint32 (0 while down).
//   258/69 NDIS connect: 258/71 reports 2 (connecting), then 1 (connected) or 3 (failed); while up
//          258/73 transfer data (156 bytes) every NdisTransferIntervalMs. 258/70 and a lost
//          link: 258/71 0.
//   258/72 does an NDIS connection stand: result 0 when it does, -1 otherwise.
//   258/76 packet-domain attach or detach (8 bytes): the network area adds or removes the PS
//          domain; answered with 258/64, result 0, or -1 when not registered or AttachFails.

#include "brannoc/ModemArea.h"
#include "common/records/connection/ConnectionRecords.h"

#include <QElapsedTimer>
#include <QTimer>

#include <optional>
#include <vector>

namespace brannoc {

class ConnectionArea final : public ModemArea {
public:
    enum class Road { None, Ppp, Ndis };

    ConnectionArea();

    QString name() const override { return QStringLiteral("Connection"); }
    void load(const QVariantMap &state) override;
    bool handleRequest(const yov::UI_MSG &request, ModemContext &context) override;
    void onEvent(ModemEvent event, ModemContext &context) override;
    QStringList stateKeys() const override;
    QVariantMap state() const override;

    // Bytes sent and received so far on the link that is up (0 while down).
    qint64 sentBytes() const;
    qint64 receivedBytes() const;

protected:
    void changed(const QVariantMap &previous, ModemContext &context) override;

private:
    void stopAll();
    void startPath(Road road, std::vector<int> path);
    void step();
    void applyLinkState(int s);
    bool linkUp() const { return up_; }
    bool linkBusy() const;
    void dropLink();
    void armDrop();
    void pushTransfer();
    std::uint32_t localAddress() const;

    Road road_ = Road::None;
    std::vector<int> path_;
    size_t index_ = 0;
    int linkState_ = 0;
    bool up_ = false;
    QElapsedTimer upClock_;
    QTimer stepTimer_;
    QTimer trafficTimer_;
    QTimer dropTimer_;
    std::optional<yov::MSG_APN_SET_REQ_PARA_T> dialParams_;
    yov::FreqLockSetRequest freqLock_{0, 0};
    std::int32_t requestModule_ = 2;
};

} // namespace brannoc
