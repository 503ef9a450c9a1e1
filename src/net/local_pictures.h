#pragma once

#include "net/messages.h"
#include "ui/picture.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// The pictures a joined program shows for the names a host sends: the ones
// built into the program, and the few files of its own picture folder that
// the game reads (the battlefield and the characters' sprites). A name is
// only ever looked up among those; nothing a host sends becomes a path.
namespace net {

class LocalPictures {
public:
    explicit LocalPictures(QString pictureFolder);

    // The picture by that name, or an empty one when this program knows none.
    ui::Picture find(const PictureName& name);

    // The files of the picture folder a name may name.
    static const QSet<QString>& knownFiles();
    // The files whose content differs from the host's, each named once.
    const QStringList& differing() const { return differing_; }

private:
    struct Read {
        ui::Picture picture;
        QByteArray hash;
    };
    const Read& read(const QString& file);

    QString folder_;
    QHash<QString, Read> files_;
    QStringList differing_;
};

}  // namespace net
