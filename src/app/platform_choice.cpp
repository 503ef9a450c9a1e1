#include "app/platform_choice.h"

bool shouldUseX11(const QString& platformEnv, const QStringList& arguments, const QString& displayEnv)
{
    if (!platformEnv.isEmpty() || displayEnv.isEmpty())
        return false;
    // Qt reads "-platform NAME" and "--platform NAME" anywhere after the
    // program's path.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("-platform") || argument == QLatin1String("--platform"))
            return false;
    }
    return true;
}
