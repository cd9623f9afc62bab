#pragma once
// The PDP type of a profile ("pdpType") as the profile windows show and read it, and which
// control groups of the edit sheet take input for it.
//
// Codes: 0 IPv4, 1 (neither APN group; not offered with dual-PDP settings), 2 IPv6, 3 IPv4 and IPv6.
// The type group is a radio matrix of one of two shapes:
//   2 x 2: (0,0) = 0, (0,1) = 1, (1,1) = 2, (1,0) = 3;
//   1 x 3: column 0 = 0, column 1 = 2, column 2 = 3 (code 1 has no cell and shows on column 0).
#include <optional>

namespace ostrel {

struct MatrixCell {
    int row = 0;
    int column = 0;
    bool operator==(const MatrixCell &) const = default;
};

// The type of the selected cell by the matrix's shape; 0 for another shape or no selection.
int getPDPType(int rows, int columns, std::optional<MatrixCell> selected);
// The cell that shows a type; none for a type outside 0-3 or another shape.
std::optional<MatrixCell> displayPDPCell(int rows, int columns, int type);

// A negative type is 0; with Internet/NoIPv4v6 on platform 1, types 2 and 3 are 0.
int specialPdpTypeProcess(int type, bool noIPv4v6, int platform);

// Which APN groups of the edit sheet take input for the edit type; none for a type outside 0-3.
// Type 3: IPv6 only while the single-PDP box is off.
struct PdpGroupStates {
    bool ipv4 = false;
    bool ipv6 = false;
    bool operator==(const PdpGroupStates &) const = default;
};
std::optional<PdpGroupStates> pdpTypeGroupStates(int type, bool singlePdp);

// Which APN fields take input (pdpTypeSelect), only while the IPv4 APN is typed (its group not
// on row 0) and IPv6 is supported: 0 IPv4 only, 2 IPv6 only, 3 both; none otherwise.
struct ApnFieldStates {
    bool ipv4 = false;
    bool ipv6 = false;
    bool operator==(const ApnFieldStates &) const = default;
};
std::optional<ApnFieldStates> apnFieldStatesForPdpType(int type, bool ipv4ApnTyped, bool supportIPv6);

} // namespace ostrel
