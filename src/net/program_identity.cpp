#include "net/program_identity.h"

#include "net/identity.h"
#include "net/protocol.h"

#ifndef KESTRAVA_VERSION
#error "KESTRAVA_VERSION is not defined"
#endif

namespace net {

Identity programIdentity(Edition edition)
{
    return Identity{programName(edition), editionWord(edition == Edition::Wind), kProtocolVersion,
                    QStringLiteral(KESTRAVA_VERSION)};
}

}  // namespace net
