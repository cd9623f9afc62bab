#pragma once
// Supplementary services of the simulated network: call forwarding, call waiting and call
// barring (major 2307, common/records/settings/SettingsRecords.h).
//
// State (Modem/CallSettings):
//   Forwarding ({})          reason ("0" all, "1" busy, "2" no answer, "3" not reachable) ->
//                            {On (NO), Number ("")}
//   Waiting (NO)             call waiting
//   Barring ({})             facility ("AO", "OI", "OX", "AI", "IR") -> locked (NO)
//   BarringPassword ("0000") the barring password; a set with another one is answered 255
//   NumberPrefix ("")        a forwarding number registered with a leading 0 is stored with this
//                            prefix in place of the 0, as networks write numbers internationally
//   FailMinors ([])          answer minors (156-161) answered with result 255 and no data
//   ItemClass (1)            the class of the items of the status answers
//   ExtraItems ([])          items added after the first of the forwarding and waiting status
//                            answers ({Status, Class, Number}); the count field counts them all,
//                            even past the 20 the record has room for
//
// Queries (mode 2) are answered 161 (forwarding: count, then one item for the reason asked: its
// status and, when on, its number with type 145 for a "+" number, else 129), 159 (waiting) and
// 160 (barring: int32 status); sets are answered 157, 158 and 156, result 0. Answers carry type 1
// and module 3, and come only while the SIM is ready and the network registered.

#include "brannoc/ModemArea.h"

namespace brannoc {

class CallSettingsArea final : public ModemArea {
public:
    QString name() const override { return QStringLiteral("CallSettings"); }
    void load(const QVariantMap &state) override;
    bool handleRequest(const yov::UI_MSG &request, ModemContext &context) override;
    QStringList stateKeys() const override;

private:
    bool networkReady(ModemContext &context) const;
    void answer(ModemContext &context, std::uint16_t minor, const QByteArray &payload = {});
    void forwarding(const yov::UI_MSG &request, ModemContext &context);
    void waiting(const yov::UI_MSG &request, ModemContext &context);
    void barring(const yov::UI_MSG &request, ModemContext &context);
};

} // namespace brannoc
