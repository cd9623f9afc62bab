#include "ostrel/connection/profile/PdpTypeRules.h"

namespace ostrel {

int getPDPType(int rows, int columns, std::optional<MatrixCell> selected)
{
    if (!selected)
        return 0;
    if (rows == 2 && columns == 2) {
        if (*selected == MatrixCell{0, 1})
            return 1;
        if (*selected == MatrixCell{1, 0})
            return 3;
        if (*selected == MatrixCell{1, 1})
            return 2;
        return 0;
    }
    if (rows == 1 && columns == 3) {
        if (selected->row != 0)
            return 0;
        if (selected->column == 1)
            return 2;
        if (selected->column == 2)
            return 3;
    }
    return 0;
}

std::optional<MatrixCell> displayPDPCell(int rows, int columns, int type)
{
    if (type < 0 || type > 3)
        return std::nullopt;
    if (rows == 2 && columns == 2) {
        static constexpr MatrixCell kFour[] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
        return kFour[type];
    }
    if (rows == 1 && columns == 3) {
        static constexpr int kThree[] = {0, 0, 1, 2};
        return MatrixCell{0, kThree[type]};
    }
    return std::nullopt;
}

int specialPdpTypeProcess(int type, bool noIPv4v6, int platform)
{
    if (type < 0)
        return 0;
    if (noIPv4v6 && platform == 1 && (type == 2 || type == 3))
        return 0;
    return type;
}

std::optional<PdpGroupStates> pdpTypeGroupStates(int type, bool singlePdp)
{
    switch (type) {
    case 0:
        return PdpGroupStates{true, false};
    case 1:
        return PdpGroupStates{false, false};
    case 2:
        return PdpGroupStates{false, true};
    case 3:
        return PdpGroupStates{true, !singlePdp};
    default:
        return std::nullopt;
    }
}

std::optional<ApnFieldStates> apnFieldStatesForPdpType(int type, bool ipv4ApnTyped, bool supportIPv6)
{
    if (!ipv4ApnTyped || !supportIPv6)
        return std::nullopt;
    switch (type) {
    case 0:
        return ApnFieldStates{true, false};
    case 2:
        return ApnFieldStates{false, true};
    case 3:
        return ApnFieldStates{true, true};
    default:
        return std::nullopt;
    }
}

} // namespace ostrel
