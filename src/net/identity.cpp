#include "net/identity.h"

#include "net/net_words.h"
#include "ui/number_text.h"

#include <QStringList>

namespace net {

QString editionWord(bool windEdition) { return windEdition ? QStringLiteral("wind") : QStringLiteral("full"); }

QString differences(const Identity& host, const Identity& joined)
{
    QStringList found;
    if (host.program != joined.program)
        found << words::differs(words::program(), host.program, joined.program);
    if (host.edition != joined.edition)
        found << words::differs(words::edition(), host.edition, joined.edition);
    if (host.protocol != joined.protocol)
        found << words::differs(words::protocolVersion(), numtext::text(static_cast<std::int64_t>(host.protocol)),
                                numtext::text(static_cast<std::int64_t>(joined.protocol)));
    if (host.gameVersion != joined.gameVersion)
        found << words::differs(words::gameVersion(), host.gameVersion, joined.gameVersion);
    return found.join(QStringLiteral("; "));
}

}  // namespace net
