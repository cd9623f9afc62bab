#include "ostrel/phonebook/page/PBSelectionRules.h"

namespace ostrel {

namespace {

struct SelectionRuleRow {
    int side;
    bool searching;
    SelectionButtons one;  // one row selected
    SelectionButtons many; // two rows or more
};

// clang-format off
const SelectionRuleRow kSelectionRules[] = {
    {0, false, {true,  true,  {1, 0, 0, 1, 1, 1}}, {true,  false, {1, 0, 0, 1, 1, 0}}},
    {0, true,  {false, true,  {0, 0, 0, 0, 1, 1}}, {false, false, {0, 0, 0, 0, 1, 0}}},
    {1, false, {true,  true,  {1, 1, 1, 1, 1, 1}}, {true,  false, {1, 1, 0, 1, 1, 0}}},
    {1, true,  {false, true,  {0, 1, 1, 0, 1, 1}}, {false, false, {0, 1, 0, 0, 1, 0}}},
    {2, false, {true,  true,  {1, 1, 1, 0, 0, 0}}, {true,  false, {1, 1, 0, 0, 0, 0}}},
    {2, true,  {false, true,  {0, 1, 1, 0, 0, 0}}, {false, false, {0, 1, 0, 0, 0, 0}}},
    {3, false, {true,  true,  {1, 1, 1, 1, 1, 1}}, {true,  false, {1, 1, 0, 1, 1, 0}}},
};
// clang-format on

} // namespace

SelectionButtons PBSelectionRules::forSelection(int side, bool searching, int selected)
{
    if (selected < 1)
        return {};
    for (const SelectionRuleRow &row : kSelectionRules)
        if (row.side == side && row.searching == searching)
            return selected == 1 ? row.one : row.many;
    return {};
}

} // namespace ostrel
