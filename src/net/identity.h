#pragma once

#include "net/messages.h"

#include <QString>

namespace net {

// The word of an edition on the wire.
QString editionWord(bool windEdition);

// What differs between the host's identity and the joined program's, one
// sentence per difference ("edisi berbeda: tuan rumah full, yang bergabung
// wind"), joined by "; ". Empty when they match. Both sides say the same.
QString differences(const Identity& host, const Identity& joined);

}  // namespace net
