#pragma once
#include <QString>

namespace orvex {

// The folder of the program's read-only files (the user guide) when the
// program is installed: <prefix>/share/orvex beside <prefix>/bin. Empty when
// the program runs from its build folder or a copied folder, where those
// files sit beside the executable.
QString installedDataFolder();

}  // namespace orvex
