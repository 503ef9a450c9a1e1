#include "ui/language.h"

#include "ui/settings.h"

#include <QCoreApplication>
#include <QTranslator>

#include <memory>
#include <vector>
#include <algorithm>

namespace ui {
namespace {

const char* const kLanguageKey = "language";

// What shows each designed text now, in the order they were made.
std::vector<Translated*>& everythingTranslated()
{
    static std::vector<Translated*> all;
    return all;
}

Language& current()
{
    static Language shown = Language::Indonesian;
    return shown;
}

// The English texts, built into the program from i18n/kestrava_en.ts; loaded
// the first time English is shown, so a game in Indonesian never reads them.
QTranslator* englishTranslator()
{
    static std::unique_ptr<QTranslator> translator;
    if (!translator) {
        translator = std::make_unique<QTranslator>();
        if (!translator->load(QStringLiteral(":/i18n/kestrava_en.qm")))
            qWarning("The English texts are missing from the program: it shows its own.");
    }
    return translator.get();
}

} // namespace

QString languageCode(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("id");
}

std::optional<Language> languageWithCode(const QString& code)
{
    for (const Language language : {Language::Indonesian, Language::English})
        if (code == languageCode(language))
            return language;
    return std::nullopt;
}

QStringList languageNames() { return {QStringLiteral("Indonesia"), QStringLiteral("English")}; }

Language shownLanguage() { return current(); }

void showLanguage(Language language)
{
    if (current() == language)
        return;
    current() = language;
    if (language == Language::English)
        QCoreApplication::installTranslator(englishTranslator());
    else
        QCoreApplication::removeTranslator(englishTranslator());
    // A copy: redrawing makes and drops nothing, but the list must not be
    // walked while it could change.
    const std::vector<Translated*> all = everythingTranslated();
    for (Translated* shown : all)
        shown->showInLanguage();
}

QString shownText(const QString& designed)
{
    if (current() == Language::Indonesian || designed.isEmpty())
        return designed;
    return QCoreApplication::translate(kTextContext, designed.toUtf8().constData());
}

Translated::Translated() { everythingTranslated().push_back(this); }

Translated::~Translated()
{
    auto& all = everythingTranslated();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

Language rememberedLanguage()
{
    const QSettings settings(settingsOrganisation(), settingsApplication());
    return languageWithCode(settings.value(QLatin1String(kLanguageKey)).toString()).value_or(Language::Indonesian);
}

void rememberLanguage(Language language)
{
    QSettings settings(settingsOrganisation(), settingsApplication());
    settings.setValue(QLatin1String(kLanguageKey), languageCode(language));
}

} // namespace ui
