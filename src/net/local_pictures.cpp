#include "net/local_pictures.h"

#include "setup/character_catalogue.h"
#include "ui/number_text.h"

#include <QFile>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(kestravaPictures, "kestrava.net")

namespace net {
namespace {

const QString kBuiltin = QStringLiteral("builtin:");
const QString kFile = QStringLiteral("file:");

}  // namespace

LocalPictures::LocalPictures(QString pictureFolder) : folder_(std::move(pictureFolder)) {}

const QSet<QString>& LocalPictures::knownFiles()
{
    // The battlefield, and each character facing right ("3.gif") and left
    // ("32.gif"), as the roster reads them.
    static const QSet<QString> files = [] {
        QSet<QString> known{QStringLiteral("field.gif")};
        for (const Character& character : characterCatalogue()) {
            const QString number = numtext::text(character.number);
            known.insert(number + QStringLiteral(".gif"));
            known.insert(number + QStringLiteral("2.gif"));
        }
        return known;
    }();
    return files;
}

ui::Picture LocalPictures::find(const PictureName& name)
{
    if (name.name.startsWith(kBuiltin))
        return ui::builtinPicture(name.name.mid(kBuiltin.size()));
    if (!name.name.startsWith(kFile))
        return {};
    const QString file = name.name.mid(kFile.size());
    if (!knownFiles().contains(file))
        return {};
    const Read& local = read(file);
    if (!name.hash.isEmpty() && !local.hash.isEmpty() && name.hash != local.hash && !differing_.contains(file)) {
        differing_.append(file);
        qCWarning(kestravaPictures, "the picture %s differs from the host's: this program shows its own",
                  qUtf8Printable(file));
    }
    return local.picture;
}

const LocalPictures::Read& LocalPictures::read(const QString& file)
{
    const auto cached = files_.constFind(file);
    if (cached != files_.constEnd())
        return *cached;
    Read read;
    const QString path = ui::joinPath(folder_, file);
    QFile source(path);
    if (source.open(QIODevice::ReadOnly)) {
        read.hash = ui::pictureFingerprint(source.readAll());
        // Read as the game reads its pictures, so that the picture keeps its
        // name, as the host's does.
        if (std::optional<ui::Picture> picture = ui::readPictureFile(path))
            read.picture = *picture;
    }
    return *files_.insert(file, read);
}

}  // namespace net
