#include "harness.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace harness {

namespace {

void filterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (context.category && qstrcmp(context.category, "kestrava.sound") == 0)
        return;
    std::fprintf(stderr, "Qt %s: %s\n", type == QtWarningMsg ? "warning" : type == QtCriticalMsg ? "critical" : "message",
                 message.toLocal8Bit().constData());
}

} // namespace

bool readNumber(const char* text, long long& value)
{
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || parsed < 0)
        return false;
    value = parsed;
    return true;
}

bool readSeed(const char* text, std::uint32_t& seed)
{
    long long number = 0;
    if (!readNumber(text, number) || number > 0xFFFFFFFFLL)
        return false;
    seed = static_cast<std::uint32_t>(number);
    return true;
}

const char* editionName(Edition edition)
{
    return edition == Edition::Wind ? "wind" : "full";
}

std::optional<Edition> editionNamed(std::string_view name)
{
    for (const Edition edition : kEditions)
        if (name == editionName(edition))
            return edition;
    return std::nullopt;
}

void prepareHeadlessQt()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(filterQtMessages);
}

} // namespace harness
