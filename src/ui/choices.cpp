#include "ui/choices.h"

#include <QSettings>

namespace ui {

namespace {

// The package's name for both, so that the two programs share the choices.
QSettings gameSettings()
{
    return QSettings(QStringLiteral("kestrava"), QStringLiteral("kestrava"));
}

} // namespace

bool rememberedChoice(const QString& key, bool byDefault)
{
    return gameSettings().value(key, byDefault).toBool();
}

void rememberChoice(const QString& key, bool on) { gameSettings().setValue(key, on); }

} // namespace ui
