#pragma once

#include "app/edition.h"
#include "net/messages.h"

namespace net {

// What this program says of itself to the other side: its name, its
// edition's word, the protocol and the game's version. A host and a joined
// program must say the same.
Identity programIdentity(Edition edition);

}  // namespace net
