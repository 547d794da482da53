// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dictionary/DictionaryFile.h"

#include "core/CodePage.h"
#include "core/RunTimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace dictionary {
namespace {

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
    const QDir folder(programFolder);
    QString beside = folder.filePath(QString::fromLatin1(FileName));
    if (QFileInfo::exists(beside))
        return beside;
    // An installed program keeps its data apart: bin/ and share/fyzorin/.
    const QString installed
        = QDir::cleanPath(folder.filePath(QStringLiteral("../share/fyzorin/") + QLatin1String(FileName)));
    return QFileInfo::exists(installed) ? installed : beside;
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
            text = core::CodePage::toText(bytes);
    }
    normalizeLineEnds(text);
    return text;
}

QString readDictionary(const QString &programFolder)
{
    QFile file(dictionaryPath(programFolder));
    if (!file.exists())
        throw core::RunTimeError::fileNotFound();
    if (QFileInfo(file).isDir() || !file.open(QIODevice::ReadOnly))
        throw core::RunTimeError::pathFileAccessError();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw core::RunTimeError::deviceIoError();
    return decodeDictionary(bytes);
}

} // namespace dictionary
