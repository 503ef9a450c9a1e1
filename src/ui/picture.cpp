#include "ui/picture.h"

#include "ui/mirror.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <map>

namespace ui {

namespace {

// The names of the pictures read or built, by their pixmap's cache key (a
// copy shares it). Each entry holds a copy of its picture, so a key is never
// reused while its name is kept. A name is forgotten only once nothing but
// this table holds its picture: a picture still shown keeps its name however
// many pictures were read since.
constexpr std::size_t kNamesBeforeSweep = 512;

struct NamedPicture {
    Picture picture;
    net::PictureName name;
};

std::map<qint64, NamedPicture>& pictureNames()
{
    static std::map<qint64, NamedPicture> names;
    return names;
}

// Forgets the names of the pictures nothing else holds any more.
void forgetUnheldPictures(std::map<qint64, NamedPicture>& names)
{
    for (auto it = names.begin(); it != names.end();)
        it = it->second.picture.isDetached() ? names.erase(it) : std::next(it);
}

void nameThePicture(const Picture& picture, net::PictureName name)
{
    if (picture.isNull())
        return;
    auto& names = pictureNames();
    if (names.size() >= kNamesBeforeSweep)
        forgetUnheldPictures(names);
    names.insert_or_assign(picture.cacheKey(), NamedPicture{picture, std::move(name)});
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
    const auto& names = pictureNames();
    const auto found = names.find(picture.cacheKey());
    return found == names.end() ? net::PictureName{} : found->second.name;
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
