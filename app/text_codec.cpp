#include "app/text_codec.h"

#include <QFile>
#include <QStringDecoder>

QString TextFromBytes(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    // Debian's Qt decodes GB18030 through ICU; it covers every byte sequence of code page 936.
    QStringDecoder gb18030("GB18030", QStringDecoder::Flag::Stateless);
    if (!gb18030.isValid())
        return text;  // no ICU: the UTF-8 reading with replacement characters is the best left
    return gb18030.decode(bytes);
}

QString PathFromBytes(const QByteArray& path)
{
    return QFile::decodeName(path);
}

QByteArray BytesFromPath(const QString& path)
{
    return QFile::encodeName(path);
}
