#include "app/platform_choice.h"

QString platformRequest(const QString& platformEnv, const QStringList& arguments, const QString& displayEnv)
{
    if (!platformEnv.isEmpty() || displayEnv.isEmpty())
        return QString();
    // Qt reads "-platform NAME" and "--platform NAME" anywhere after the
    // program's path.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("-platform") || argument == QLatin1String("--platform"))
            return QString();
    }
    return QStringLiteral("xcb;wayland");
}
