#pragma once

#include <QPixmap>
#include <QString>
#include <optional>

namespace ui {

// A picture held by a field. An empty Picture means "no picture".
using Picture = QPixmap;

// Joins the picture folder and a file name with the platform's separator.
QString joinPath(const QString& folder, const QString& fileName);

// Reads a picture file (GIF and the other formats Qt reads). Returns nothing
// when the file is missing or cannot be decoded; `error` then says why.
std::optional<Picture> readPictureFile(const QString& path, QString* error = nullptr);

// A short fingerprint of a picture file's bytes, so that two machines can
// tell whether their files of one name hold the same picture.
QByteArray pictureFingerprint(const QByteArray& content);

// A picture compiled into the program, by its resource name ("shell",
// "explosion", "roster_p1", ...). Empty when no such picture exists.
Picture builtinPicture(const QString& name);

} // namespace ui
