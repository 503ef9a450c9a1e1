#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace ui {

// The languages a player can read the game in. The game writes its texts in
// Indonesian and keeps comparing what it wrote; only what a widget shows is
// translated.
enum class Language { Indonesian, English };

// The short code of a language ("id", "en"), as the command line and the
// settings spell it, and back; nothing for any other code.
QString languageCode(Language language);
std::optional<Language> languageWithCode(const QString& code);
// Each language's name in its own words, as the language choice lists it, in
// the order of Language.
QStringList languageNames();

// The language the widgets show now; Indonesian until set.
Language shownLanguage();
// Shows every designed text of every window in LANGUAGE from now on: the open
// windows are redrawn at once.
void showLanguage(Language language);

// The translation context every designed text is marked in, for example
// QT_TRANSLATE_NOOP("kestrava", "Nama").
inline constexpr char kTextContext[] = "kestrava";

// What a designed text (written by the game in Indonesian and marked for
// translation) reads in the language shown.
QString shownText(const QString& designed);

// Whether a field or window shows a text the game designed (translated) or
// one that came from a player, a number or a name (always shown as it is).
enum class TextKind { Designed, Player };

// Something that shows a designed text: redrawn when the language changes.
// Fields and windows that show captions derive from it.
class Translated {
public:
    Translated(const Translated&) = delete;
    Translated& operator=(const Translated&) = delete;

protected:
    Translated();
    virtual ~Translated();
    // Puts its text, in the language shown, back on the widget.
    virtual void showInLanguage() = 0;

private:
    friend void showLanguage(Language language);
};

// The player's choice of language, remembered from one start to the next in
// the game's settings (both programs share it). Indonesian when nothing is
// remembered.
Language rememberedLanguage();
void rememberLanguage(Language language);

} // namespace ui
