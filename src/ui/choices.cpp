#include "ui/choices.h"

#include "ui/settings.h"

namespace ui {

namespace {

QSettings gameSettings() { return QSettings(settingsOrganisation(), settingsApplication()); }

} // namespace

bool rememberedChoice(const QString& key, bool byDefault)
{
    return gameSettings().value(key, byDefault).toBool();
}

void rememberChoice(const QString& key, bool on) { gameSettings().setValue(key, on); }

} // namespace ui
