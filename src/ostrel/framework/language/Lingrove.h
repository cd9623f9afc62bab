#pragma once
// The active translation table of the user interface.
//
// Every visible text is written in the code as its English sentence and passes through
// Map_Name_Item_of_IndexString() on its way to the screen. Lingrove_Init() loads one token list
// (TokenList.h) as the active table. A missing or unreadable list, or a text without an entry,
// never fails: the English text is shown as it stands.
//
// The table is process-wide and safe to read from any thread.

#include <QString>

namespace ostrel {

// Loads the token list at path as the active table; false (and an empty table, so English passes
// through) when the path is empty or the file cannot be read.
bool Lingrove_Init(const QString &path);
// Lists the active table to the log (debug level of the category "ostrel.language").
void Lingrove_Dump();
// The translation of an English text; the text itself when the table has no entry.
QString Map_Name_Item_of_IndexString(const QString &english);
// The text of a numbered entry (key "#<index>"); empty when the table has none.
QString Map_Name_Item_of_Index(int index);

// The path last given to Lingrove_Init() (empty before the first call).
QString Lingrove_ActivePath();
// Number of entries in the active table.
int Lingrove_Count();

} // namespace ostrel
