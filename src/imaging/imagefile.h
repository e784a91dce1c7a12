// The image file named in the image box: where it is, when it last changed,
// and reading it.
#pragma once

#include <QImage>
#include <QString>

// The path of the typed image name: a name without ":" that does not start
// with "/" is taken relative to the program folder.
QString ImagePath(const QString& typed);

// The file's modification time as text (to the millisecond); empty when the
// path is not a regular file (missing, or a folder).
QString ImageFileStamp(const QString& path);

struct LoadedImage {
    QImage image;  // null on failure
    QString error; // the reader's description of the failure
};

// Reads a picture file (JPEG, PNG, BMP, GIF, TIFF, whatever the image
// plug-ins read), allowing images of several hundred megabytes decoded.
LoadedImage ReadImageFile(const QString& path);
