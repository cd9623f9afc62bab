#pragma once
// Finds the ModemList folder, where every program of the system keeps its data files.
//
// Order, first match wins:
//   1. the environment variable OSTREL_MODEMLIST (the folder is created when missing);
//   2. the per-user writable copy, <XDG data folder>/ostrel/ModemList, seeded on first use from
//      the shipped template (the first of the searched locations below that exists);
//   3. the searched locations themselves, used directly only when no per-user copy can be made:
//        <prefix>/share/ostrel/ModemList      (the program's own resources)
//        <prefix>/../ModemList                (beside the install prefix)
//        <prefix>/../../Resources/ModemList   (the parent's resources)
//        /usr/share/ostrel/ModemList          (the system folder)
//      where <prefix> is the folder above the program's bin/ folder.
// Nothing found: logs "Can not find ModemList path!!!" and gives an empty path.

#include <QString>
#include <QStringList>

namespace yov {

class ModemListResolver {
public:
    struct Inputs {
        QString overridePath;   // value of OSTREL_MODEMLIST, empty when unset
        QString dataHome;       // the XDG data folder ($XDG_DATA_HOME or ~/.local/share); empty: no per-user copy
        QString programDir;     // folder of the running program
        QString systemDir = QStringLiteral("/usr/share/ostrel/ModemList");
    };

    // Inputs taken from this process: its environment and its program folder.
    static Inputs currentInputs();

    // The shipped-template locations, in search order.
    static QStringList searchedLocations(const Inputs &in);

    // Resolves (and, for the per-user copy, seeds) the folder. Empty when none can be had.
    static QString resolve(const Inputs &in);

    // resolve(currentInputs()), computed once per process.
    static QString modemListPath();

    // The shipped template folder this process would seed from (empty when none exists).
    static QString templatePath(const Inputs &in);

    // Whether the folder is one of the shipped locations (used directly when no per-user copy
    // could be made): files there are the shipped ones, shared by every user of the computer.
    static bool isShippedLocation(const QString &folder, const Inputs &in = currentInputs());
};

} // namespace yov
