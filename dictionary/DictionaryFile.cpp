#include "dictionary/DictionaryFile.h"

#include "app/RunTimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace dictionary {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F; its five undefined
// bytes map to the control characters of the same value, as Windows does.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString fromWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? Windows1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

bool isAscii(const QByteArray &bytes)
{
    for (const char byte : bytes)
        if (static_cast<unsigned char>(byte) >= 0x80)
            return false;
    return true;
}

// CR LF and a lone CR become LF, in one pass in place (QString::replace
// moves the rest of the text for every batch of matches, which grows with
// the square of a large file).
void normalizeLineEnds(QString &text)
{
    QChar *data = text.data();
    const qsizetype size = text.size();
    qsizetype out = 0;
    for (qsizetype in = 0; in < size; ++in) {
        if (data[in] == u'\r') {
            if (in + 1 < size && data[in + 1] == u'\n')
                continue;
            data[out++] = u'\n';
        } else {
            data[out++] = data[in];
        }
    }
    text.truncate(out);
}

} // namespace

QString dictionaryPath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QString::fromLatin1(FileName));
}

QString decodeDictionary(const QByteArray &bytes)
{
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    } else if (isAscii(bytes)) {
        text = QString::fromLatin1(bytes);
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8.decode(bytes);
        if (utf8.hasError())
            text = fromWindows1252(bytes);
    }
    normalizeLineEnds(text);
    return text;
}

QString readDictionary(const QString &programFolder)
{
    QFile file(dictionaryPath(programFolder));
    if (!file.exists())
        throw RunTimeError::fileNotFound();
    if (QFileInfo(file).isDir() || !file.open(QIODevice::ReadOnly))
        throw RunTimeError::pathFileAccessError();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RunTimeError::deviceIoError();
    return decodeDictionary(bytes);
}

} // namespace dictionary
