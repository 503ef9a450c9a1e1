#include "app/help_page.h"

#include "ui/language.h"

QString helpPage(const QString& language)
{
    if (language == QStringLiteral("en"))
        return QStringLiteral(":/help/help_en.html");
    return QStringLiteral(":/help/bantuan_id.html");
}

QString helpTitle(Edition edition)
{
    return ui::shownText(QString::fromUtf8(QT_TRANSLATE_NOOP("kestrava", "Bantuan"))) + QStringLiteral(" - ")
        + programName(edition);
}
