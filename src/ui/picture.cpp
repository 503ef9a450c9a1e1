#include "ui/picture.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace ui {

QString joinPath(const QString& folder, const QString& fileName)
{
    if (folder.isEmpty())
        return fileName;
    return QDir::cleanPath(folder + QLatin1Char('/') + fileName);
}

std::optional<Picture> readPictureFile(const QString& path, QString* error)
{
    if (!QFileInfo(path).isFile()) {
        if (error)
            *error = QStringLiteral("the file does not exist");
        return std::nullopt;
    }
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = reader.errorString();
        return std::nullopt;
    }
    return QPixmap::fromImage(image);
}

Picture builtinPicture(const QString& name)
{
    return QPixmap(QStringLiteral(":/builtin/%1.png").arg(name));
}

} // namespace ui
