// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EditorFile.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    // Closing can report a write that the disk refused late.
    int close() {
        const int fd = m_fd;
        m_fd = -1;
        return fd >= 0 ? ::close(fd) : 0;
    }

private:
    int m_fd;
};

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, bytes.size() - done, done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}

bool readAll(int fd, QByteArray* bytes) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        bytes->append(buffer, n);
    }
}

// The file that a path names once symbolic links are followed: saving
// writes that file, so that a link stays a link. A link to nothing names
// the file it would point to.
bool followLinks(QByteArray path, QByteArray* real, int* why) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            *real = path;
            return true;
        }
        QByteArray target(std::max<qsizetype>(info.st_size, PATH_MAX) + 1, '\0');
        const ssize_t n = ::readlink(path.constData(), target.data(), target.size());
        if (n < 0) {
            *why = errno;
            return false;
        }
        target.truncate(n);
        path = target.startsWith('/') ? target : path.left(path.lastIndexOf('/') + 1) + target;
    }
    *why = ELOOP;
    return false;
}

// The backup name beside a file: its name with ".BAK" for its extension.
QByteArray backupBeside(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray name = path.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf('.');
    return path.left(slash + 1) + (dot < 0 ? name : name.left(dot)) + ".BAK";
}

// A new, hidden file in the folder of path. Created like any new file
// (0666 less the umask): a file created private would stay private once
// renamed.
int createBeside(const QByteArray& path, QByteArray* created) {
    const qsizetype slash = path.lastIndexOf('/');
    for (int attempt = 0; attempt < 100; ++attempt) {
        *created = path.left(slash + 1) + '.' + path.mid(slash + 1) + '.' +
                   QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(created->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Gives a file the owner, group and mode of old; false when this user may
// not give all of them. The mode is set in any case, so that a copy of a
// private file is never readable by more users than the file was.
bool takeIdentity(int fd, const struct stat& old) {
    struct stat now {};
    bool kept = ::fstat(fd, &now) == 0;
    if (kept && (now.st_uid != old.st_uid || now.st_gid != old.st_gid))
        kept = ::fchown(fd, old.st_uid, old.st_gid) == 0;
    return ::fchmod(fd, old.st_mode & 07777) == 0 && kept;
}

// Renames are only lasting once the folder is on disk too.
void syncFolder(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder =
        slash < 0 ? QByteArray(".") : path.left(std::max<qsizetype>(slash, 1));
    Descriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get());
}

enum class Outcome { Saved, Failed, NeedsInPlace };

// The new text, complete on disk beside the file, takes the file's name;
// the old file takes the backup's name, replacing the old backup in one
// step. A file that was there keeps its owner, group and mode, or the save
// is left to writeInPlace.
Outcome replaceFile(const QByteArray& real, const QByteArray& backup, const QByteArray& bytes,
                    const struct stat* old, int* why) {
    QByteArray temporary;
    Descriptor fd(createBeside(real, &temporary));
    if (fd.get() < 0) {
        *why = errno;
        return Outcome::Failed;
    }
    const auto abandon = [&](int error) {
        *why = error;
        ::unlink(temporary.constData());
        return Outcome::Failed;
    };
    if (old != nullptr && !takeIdentity(fd.get(), *old)) {
        ::unlink(temporary.constData());
        return Outcome::NeedsInPlace;
    }
    if (!writeAll(fd.get(), bytes) || ::fsync(fd.get()) != 0 || fd.close() != 0)
        return abandon(errno);

    // Neither the old file nor an old backup need be there: no failure.
    bool backedUp = false;
    if (old != nullptr)
        backedUp = ::rename(real.constData(), backup.constData()) == 0;
    else
        ::unlink(backup.constData());
    if (::rename(temporary.constData(), real.constData()) != 0) {
        const int error = errno;
        if (backedUp)
            ::rename(backup.constData(), real.constData()); // the old text back under its name
        return abandon(error);
    }
    syncFolder(real);
    return Outcome::Saved;
}

// For a file whose other names (hard links), or whose owner, a new file
// cannot keep: the old text is copied to disk beside it first, then the new
// text is written into the file itself. The copy becomes the backup once
// the file holds the new text; a failure puts the old text back.
bool writeInPlace(const QByteArray& real, const QByteArray& backup, const QByteArray& bytes,
                  const struct stat& old, int* why) {
    QByteArray previous;
    {
        Descriptor in(::open(real.constData(), O_RDONLY | O_CLOEXEC));
        if (in.get() < 0 || !readAll(in.get(), &previous)) {
            *why = errno;
            return false;
        }
    }
    QByteArray copy;
    Descriptor copyFd(createBeside(backup, &copy));
    if (copyFd.get() < 0) {
        *why = errno;
        return false;
    }
    const auto abandon = [&](int error) {
        *why = error;
        ::unlink(copy.constData());
        return false;
    };
    takeIdentity(copyFd.get(), old); // as far as this user may
    if (!writeAll(copyFd.get(), previous) || ::fsync(copyFd.get()) != 0 || copyFd.close() != 0)
        return abandon(errno);

    Descriptor out(::open(real.constData(), O_WRONLY | O_CLOEXEC));
    if (out.get() < 0)
        return abandon(errno);
#ifdef __linux__
    // Room for the new text is taken first: a full disk then stops the
    // save while the file still holds its old text.
    if (bytes.size() > previous.size() &&
        ::fallocate(out.get(), FALLOC_FL_KEEP_SIZE, 0, bytes.size()) != 0 &&
        (errno == ENOSPC || errno == EFBIG || errno == EDQUOT))
        return abandon(errno);
#endif
    if (!writeAll(out.get(), bytes) || ::ftruncate(out.get(), bytes.size()) != 0 ||
        ::fsync(out.get()) != 0) {
        const int error = errno;
        if (writeAll(out.get(), previous) && ::ftruncate(out.get(), previous.size()) == 0 &&
            ::fsync(out.get()) == 0)
            return abandon(error);
        // The file is damaged: its old text stays on disk, under the backup name.
        *why = error;
        if (backup != real)
            ::rename(copy.constData(), backup.constData());
        return false;
    }
    // A file named like its own backup has none.
    if (backup == real || ::rename(copy.constData(), backup.constData()) != 0)
        ::unlink(copy.constData());
    syncFolder(real);
    return true;
}
} // namespace

bool EditorFile::Save(const Identity& identity, const QString& text, Encoding encoding,
                      QString* error) {
    const QString target = identity.FullFileName;
    const QString backupPath = identity.FilePath + identity.BackupName;
    const auto fail = [&](const QString& why) {
        *error = QStringLiteral("Cannot save \"%1\": %2.").arg(target, why);
        return false;
    };
    if (holdsNul(target) || holdsNul(backupPath)) {
        *error =
            QStringLiteral("Cannot save \"%1\": %2.").arg(shown(target), QLatin1String(NulReason));
        return false;
    }

    const QByteArray named = QFile::encodeName(target);
    QByteArray real;
    int why = 0;
    if (!followLinks(named, &real, &why))
        return fail(reason(why));
    // A linked file's backup stands beside the file, not beside the link.
    const QByteArray backup = real == named ? QFile::encodeName(backupPath) : backupBeside(real);

    struct stat old {};
    const bool exists = ::stat(real.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return fail(QStringLiteral("a folder has that name"));
    // Replacing a file asks only for the folder's permission: a file that
    // this user may not write would be replaced without a word.
    if (exists && ::faccessat(AT_FDCWD, real.constData(), W_OK, AT_EACCESS) != 0)
        return fail(QStringLiteral("the file is not writable (%1)").arg(reason(errno)));

    const QByteArray bytes = Encode(text, encoding);
    const bool hardLinked = exists && S_ISREG(old.st_mode) && old.st_nlink > 1;
    if (!hardLinked) {
        switch (replaceFile(real, backup, bytes, exists ? &old : nullptr, &why)) {
        case Outcome::Saved:
            return true;
        case Outcome::Failed:
            return fail(reason(why));
        case Outcome::NeedsInPlace:
            break;
        }
    }
    return writeInPlace(real, backup, bytes, old, &why) || fail(reason(why));
}
