#include "EditorFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

EditorFile::Identity EditorFile::ParseFile(const QString& path) {
    Identity id;
    id.FullFileName = path;
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    id.FileName = path.mid(slash + 1);
    id.FilePath = path.left(slash + 1);
    const int dot = id.FileName.lastIndexOf(QLatin1Char('.'));
    id.FileExt = dot < 0 ? QString() : id.FileName.mid(dot);
    id.BackupName = (dot < 0 ? id.FileName : id.FileName.left(dot)) + QStringLiteral(".BAK");
    return id;
}

QString EditorFile::Decode(const QByteArray& bytes, Encoding* encoding) {
    // A byte order mark is kept as a character, so that saving writes it back.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        text = QString::fromLatin1(bytes);
        *encoding = Encoding::SingleByte;
    } else {
        *encoding = Encoding::Utf8;
    }
    // Every break becomes one "\n" (CR LF, or a lone CR), in one pass over
    // the text: replacing piece by piece re-moves the rest of a long text
    // for every break.
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QChar* data = text.data();
    const qsizetype size = text.size();
    qsizetype out = 0;
    for (qsizetype in = 0; in < size; ++in) {
        if (data[in] == QLatin1Char('\r')) {
            data[out++] = QLatin1Char('\n');
            if (in + 1 < size && data[in + 1] == QLatin1Char('\n'))
                ++in;
        } else {
            data[out++] = data[in];
        }
    }
    text.truncate(out);
    return text;
}

QByteArray EditorFile::Encode(const QString& text, Encoding encoding) {
    QByteArray bytes;
    if (encoding == Encoding::Utf8) {
        bytes = text.toUtf8();
    } else {
        // Single-byte text goes back byte for byte; a character typed since
        // that has no single byte is written in UTF-8 rather than lost.
        bytes.reserve(text.size());
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c.unicode() <= 0xFF) {
                bytes.append(static_cast<char>(c.unicode()));
            } else {
                const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
                bytes.append(text.mid(i, length).toUtf8());
                i += length - 1;
            }
        }
    }
    // Each "\n" becomes CR LF, in one pass (no encoded character holds the
    // byte of a line feed but the line feed itself).
    const qsizetype breaks = bytes.count('\n');
    if (breaks == 0)
        return bytes;
    QByteArray out(bytes.size() + breaks, Qt::Uninitialized);
    char* to = out.data();
    for (const char c : std::as_const(bytes)) {
        if (c == '\n')
            *to++ = '\r';
        *to++ = c;
    }
    return out;
}

namespace {
// The file system takes names as C strings, cut at a NUL: such a name would
// open or replace another file.
bool holdsNul(const QString& path) {
    return path.contains(QChar(u'\0'));
}

QString shown(QString path) {
    return path.replace(QChar(u'\0'), QStringLiteral("\\0"));
}

const char* const NulReason = "the name holds a NUL byte";
} // namespace

bool EditorFile::Load(const QString& path, QString* text, Encoding* encoding, QString* error) {
    if (holdsNul(path)) {
        *error =
            QStringLiteral("Cannot open \"%1\": %2.").arg(shown(path), QLatin1String(NulReason));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot open \"%1\": %2.").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("Cannot read \"%1\": %2.").arg(path, file.errorString());
        return false;
    }
    *text = Decode(bytes, encoding);
    return true;
}

namespace {
QString reason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}
} // namespace

bool EditorFile::Save(const Identity& identity, const QString& text, Encoding encoding,
                      QString* error) {
    const QString target = identity.FullFileName;
    const QString backup = identity.FilePath + identity.BackupName;
    const QFileInfo targetInfo(target);
    const auto fail = [&](const QString& why) {
        *error = QStringLiteral("Cannot save \"%1\": %2.").arg(target, why);
        return false;
    };
    if (holdsNul(target) || holdsNul(backup)) {
        *error =
            QStringLiteral("Cannot save \"%1\": %2.").arg(shown(target), QLatin1String(NulReason));
        return false;
    }
    if (targetInfo.isDir())
        return fail(QStringLiteral("a folder has that name"));

    // 1. The new text, written completely beside the file.
    const QByteArray bytes = Encode(text, encoding);
    QTemporaryFile temporary(targetInfo.absolutePath() + QStringLiteral("/.") +
                             targetInfo.fileName() + QStringLiteral(".XXXXXX"));
    temporary.setAutoRemove(true);
    if (!temporary.open())
        return fail(temporary.errorString());
    const qint64 written = temporary.write(bytes);
    if (written != bytes.size() || !temporary.flush())
        return fail(temporary.error() != QFileDevice::NoError ? temporary.errorString()
                                                              : reason(ENOSPC));
    if (::fsync(temporary.handle()) != 0)
        return fail(reason(errno));
    // A new file gets the permissions the old one had.
    if (targetInfo.exists())
        temporary.setPermissions(QFile(target).permissions());

    // 2. One generation of backup: the old file takes the backup's name,
    // replacing the old backup in one step; with no old file, a stale backup
    // just goes. Neither may be there; that is no failure.
    bool backedUp = false;
    if (targetInfo.exists())
        backedUp = std::rename(QFile::encodeName(target).constData(),
                               QFile::encodeName(backup).constData()) == 0;
    else
        QFile::remove(backup);

    // 3. The new text takes the file's name.
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(),
                    QFile::encodeName(target).constData()) != 0) {
        const int why = errno;
        if (backedUp)
            QFile::rename(backup, target); // put the old text back under its name
        return fail(reason(why));
    }
    temporary.setAutoRemove(false);
    return true;
}
