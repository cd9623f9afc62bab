#include "ostrel/settings/RoamSwitchTracker.h"

namespace ostrel {

void RoamSwitchTracker::sent(bool byUser, Switches before, Switches sent, qint64 nowMs)
{
    pending_.append({byUser, before, sent, nowMs});
}

bool RoamSwitchTracker::answered(Pending *pending)
{
    if (pending_.isEmpty())
        return false;
    const Pending first = pending_.takeFirst();
    if (pending)
        *pending = first;
    return true;
}

QList<RoamSwitchTracker::Pending> RoamSwitchTracker::expire(qint64 nowMs)
{
    QList<Pending> expired;
    while (!pending_.isEmpty() && nowMs - pending_.first().sentAtMs >= kAnswerTimeoutMs)
        expired << pending_.takeFirst();
    return expired;
}

bool RoamSwitchTracker::userPending() const
{
    for (const Pending &p : pending_)
        if (p.byUser)
            return true;
    return false;
}

RoamSwitchTracker::Switches RoamSwitchTracker::restored(const Pending &failed, Switches shown)
{
    if (failed.before.nRoam != failed.sent.nRoam)
        shown.nRoam = failed.before.nRoam;
    if (failed.before.iRoam != failed.sent.iRoam)
        shown.iRoam = failed.before.iRoam;
    return shown;
}

} // namespace ostrel
