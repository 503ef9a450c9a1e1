#pragma once

#include "app/edition.h"

#include <QString>

// The help page in a language, by its code: "id" (the game's own language,
// and what any other code gets) or "en". A resource path.
QString helpPage(const QString& language = QStringLiteral("id"));

// The help window's title: "Bantuan" in the language shown, and the
// program's name.
QString helpTitle(Edition edition);
