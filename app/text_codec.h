#pragma once
// The one place where byte strings become QString (and file paths go back to bytes). The build
// forbids every silent conversion, so nothing else converts.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// A text read from a torrent (a name, a comment): the bytes are in whatever encoding the
// torrent's maker used. Valid UTF-8 is shown as UTF-8; anything else is decoded as GB18030,
// the superset of the Chinese code page in which such names were always shown.
QString TextFromBytes(QByteArrayView bytes);

// A file path as the file system holds it (its bytes), for showing or for Qt's file classes.
QString PathFromBytes(const QByteArray& path);

// A QString path back to the file system's bytes.
QByteArray BytesFromPath(const QString& path);
