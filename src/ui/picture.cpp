#include "ui/picture.h"

#include "ui/mirror.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <deque>
#include <map>

namespace ui {

namespace {

// The names of the pictures read or built, by their pixmap's cache key (a
// copy shares it). Only the newest ones are kept: a picture read long ago
// and replaced since has no use for its name.
constexpr std::size_t kNamesKept = 512;

struct PictureNames {
    std::map<qint64, net::PictureName> byKey;
    std::deque<qint64> order;
};

PictureNames& pictureNames()
{
    static PictureNames names;
    return names;
}

void nameThePicture(const Picture& picture, net::PictureName name)
{
    if (picture.isNull())
        return;
    PictureNames& names = pictureNames();
    const qint64 key = picture.cacheKey();
    if (names.byKey.insert_or_assign(key, std::move(name)).second)
        names.order.push_back(key);
    while (names.order.size() > kNamesKept) {
        names.byKey.erase(names.order.front());
        names.order.pop_front();
    }
}

QByteArray fingerprintOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return pictureFingerprint(file.readAll());
}

} // namespace

QByteArray pictureFingerprint(const QByteArray& content)
{
    return QCryptographicHash::hash(content, QCryptographicHash::Sha1).left(8);
}

net::PictureName pictureName(const Picture& picture)
{
    if (picture.isNull())
        return {};
    const PictureNames& names = pictureNames();
    const auto found = names.byKey.find(picture.cacheKey());
    return found == names.byKey.end() ? net::PictureName{} : found->second;
}

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
    QPixmap picture = QPixmap::fromImage(image);
    nameThePicture(picture, net::PictureName{QStringLiteral("file:") + QFileInfo(path).fileName(), fingerprintOf(path)});
    return picture;
}

Picture builtinPicture(const QString& name)
{
    QPixmap picture(QStringLiteral(":/builtin/%1.png").arg(name));
    nameThePicture(picture, net::PictureName{QStringLiteral("builtin:") + name, {}});
    return picture;
}

} // namespace ui
