#pragma once
// The simulated modem's operator search and manual operator selection (Modem/OperatorSelection).
//
// State:
// - Operators: the operators a search finds, each {State 1-3, Long, Short, Numeric, Act ("0" 2G,
//   "2" 3G)}; by default the home network (current), one available and one forbidden operator.
// - SearchDelayMs (2000; -1: the search is never answered), SearchResult (0: the answer's result).
// - SelectDelayMs (1000; -1: a registration is never answered), RefuseNumerics (numerics whose
//   registration fails), CheckOutcomes (the answers to the status checks 513/88, in order:
//   "success" or "fail").
// - CountOverride (the count field as sent, for bad input) and LongNames (names written over the
//   whole field, without terminator).
// - ReplyAfterCancel (false): a cancelled search (513/89) is still answered.
// - SelectVariant (false): registration answers carry the 180-byte result (a float, the numeric and
//   the technology character).
// - SelectionMode (0 automatic, 1 manual): the current mode.
// Requests (answers type 1, module 3):
// - 513/78: after the delay, the list (at most 30 entries unless CountOverride says otherwise).
// - 513/89: drops a pending search unless ReplyAfterCancel.
// - 513/79: after the delay, result 0 and the network area registered on that operator, then
//   513/83 with 1; a refused or forbidden numeric fails and the registration is unchanged.
// - 513/88: answered later by a 513/79 with the next of CheckOutcomes.
// - 513/76 (answered by the network area): a success sets the mode back to automatic and 513/83
//   with 0 follows.
#include "brannoc/ModemArea.h"

#include <QTimer>

namespace brannoc {

class OperatorSelectionArea final : public ModemArea {
public:
    OperatorSelectionArea();

    QString name() const override { return QStringLiteral("OperatorSelection"); }
    void load(const QVariantMap &state) override;
    bool handleRequest(const yov::UI_MSG &request, ModemContext &context) override;
    void onEvent(ModemEvent event, ModemContext &context) override;
    QStringList stateKeys() const override;
    QVariantMap state() const override;

    // The 513/78 answer's payload for the present state.
    QByteArray searchAnswer() const;

private:
    QVariantMap operatorOf(const QByteArray &numeric) const;
    void answerSelect(ModemContext &context, const QByteArray &numeric, bool success);
    void pushMode(ModemContext &context, int mode);
    void stopPending();

    QTimer searchTimer_;
    QTimer selectTimer_;
    QTimer checkTimer_;
    QByteArray pendingNumeric_;
    int checksAnswered_ = 0;
};

} // namespace brannoc
