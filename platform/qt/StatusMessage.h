#pragma once
#include <QString>

#include "platform/Status.h"

namespace orvex {

// The status text in the user's language, its arguments put in, and the detail
// on a line of its own.
QString statusText(const Status& status);

// The one way a command handler reports a failure beyond the numbered errors:
// a warning box titled like every other, nothing for success or a cancel.
// The busy pointer goes back to normal first, as Errori does. True when the
// status is OK, so a handler can write `if (!showStatus(...)) return;`.
bool showStatus(const Status& status);

}  // namespace orvex
