#include "brannoc/VoiceProxy.h"

namespace brannoc {

int VoiceProxy::prepareVoiceTransfer()
{
    active_ = true;
    frames_ = 0;
    return 1;
}

int VoiceProxy::readVoiceData()
{
    if (!active_)
        return 0;
    ++frames_;
    return 1;
}

int VoiceProxy::writeVoiceData(int)
{
    if (!active_)
        return 0;
    ++frames_;
    return 1;
}

int VoiceProxy::stopVoiceTransfer()
{
    active_ = false;
    return 1;
}

} // namespace brannoc
