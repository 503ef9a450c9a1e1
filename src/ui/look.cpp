#include "ui/look.h"

#include <QApplication>
#include <QFont>

namespace ui {

void applyLook()
{
    QFont font = QApplication::font();
    font.setFamily(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    QApplication::setFont(font);
}

} // namespace ui
