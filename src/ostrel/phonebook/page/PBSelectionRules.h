#pragma once
// The enabling rules of the phonebook page as data: what a selection of contact rows enables, by
// side, search and number of selected rows.
#include <array>

namespace ostrel {

// The states a contact selection gives: SetMutexButton's first two arguments (copy, move and
// export; call) and the six buttons of buttonControl (add group, delete group, edit group, add
// contact, delete contact, edit contact).
struct SelectionButtons {
    bool moveCopyExport = false;
    bool call = false;
    std::array<bool, 6> buttons{};

    bool operator==(const SelectionButtons &) const = default;
};

class PBSelectionRules {
public:
    // side: 0 computer, 1 SIM, 2 device memory, 3 memory card (which has no search); any other side
    // enables nothing; selected: the number of selected rows (nothing enabled for none).
    static SelectionButtons forSelection(int side, bool searching, int selected);
};

} // namespace ostrel
