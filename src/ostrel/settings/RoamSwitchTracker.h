#pragma once
// The roaming-switch requests (513/84) waiting for their answers, oldest first. Each remembers
// whether the user made it, the switches before it and the switches it carried, so that a failed
// answer puts back only what that request changed, and an answer is matched to the request it
// belongs to rather than to whichever the user made last. A request unanswered for 30 s counts
// as failed. No widgets: the caller applies what comes back.
#include <QList>
#include <QtGlobal>

namespace ostrel {

class RoamSwitchTracker {
public:
    static constexpr qint64 kAnswerTimeoutMs = 30000;

    struct Switches {
        int nRoam = 0;
        int iRoam = 0;
        bool operator==(const Switches &) const = default;
    };
    struct Pending {
        bool byUser = false;
        Switches before;
        Switches sent;
        qint64 sentAtMs = 0;
    };

    void sent(bool byUser, Switches before, Switches sent, qint64 nowMs);
    // The oldest request, taken off the list; false when none waits (the answer is ignored).
    bool answered(Pending *pending);
    // The requests unanswered for kAnswerTimeoutMs or longer, taken off the list, oldest first.
    QList<Pending> expire(qint64 nowMs);
    bool isEmpty() const { return pending_.isEmpty(); }
    // Whether a request of the user waits for its answer.
    bool userPending() const;
    // The switches to show after a failed request, from those shown now: each switch the request
    // changed returns to its value before it.
    static Switches restored(const Pending &failed, Switches shown);

private:
    QList<Pending> pending_;
};

} // namespace ostrel
