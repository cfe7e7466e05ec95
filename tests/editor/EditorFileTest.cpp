// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileBytes.h"
#include "EditorFile.h"
#include "ScratchMount.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct NameCase {
    const char* path;
    const char* fileName;
    const char* filePath;
    const char* fileExt;
    const char* backupName;
};

TEST(EditorFile, ParseFileSplitsThePath) {
    const NameCase cases[] = {
        {"/data/set1.dat", "set1.dat", "/data/", ".dat", "set1.BAK"},
        {"DOC3.dat", "DOC3.dat", "", ".dat", "DOC3.BAK"},
        {"/x/notes", "notes", "/x/", "", "notes.BAK"},
        {"/x/a.b.out", "a.b.out", "/x/", ".out", "a.b.BAK"},
    };
    for (const NameCase& c : cases) {
        const EditorFile::Identity id = EditorFile::ParseFile(QString::fromUtf8(c.path));
        EXPECT_EQ(id.FullFileName, QString::fromUtf8(c.path));
        EXPECT_EQ(id.FileName, QString::fromUtf8(c.fileName)) << c.path;
        EXPECT_EQ(id.FilePath, QString::fromUtf8(c.filePath)) << c.path;
        EXPECT_EQ(id.FileExt, QString::fromUtf8(c.fileExt)) << c.path;
        EXPECT_EQ(id.BackupName, QString::fromUtf8(c.backupName)) << c.path;
    }
}

// Opened and saved unchanged, a file keeps its bytes; only its line breaks
// become CR LF.
TEST(EditorFile, BytesSurviveALoadAndASave) {
    struct Case {
        QByteArray file;
        QByteArray saved;
        EditorFile::Encoding encoding;
    };
    const Case cases[] = {
        {"a\nb\n", "a\r\nb\r\n", EditorFile::Encoding::Utf8},
        {"a\rb\r\nc", "a\r\nb\r\nc", EditorFile::Encoding::Utf8},
        {"caf\xC3\xA9 \xE2\x82\xAC\n", "caf\xC3\xA9 \xE2\x82\xAC\r\n", EditorFile::Encoding::Utf8},
        // A byte order mark is part of the file's bytes like any other.
        {"\xEF\xBB\xBF" "A\n", "\xEF\xBB\xBF" "A\r\n", EditorFile::Encoding::Utf8},
        {QByteArray("caf\xE9\x00\xA0\xFF\n", 8), QByteArray("caf\xE9\x00\xA0\xFF\r\n", 9),
         EditorFile::Encoding::SingleByte},
    };
    for (const Case& c : cases) {
        EditorFile::Encoding encoding;
        const QString text = EditorFile::Decode(c.file, &encoding);
        EXPECT_EQ(encoding, c.encoding);
        EXPECT_EQ(EditorFile::Encode(text, encoding), c.saved);
    }
    // A character typed into single-byte text is not lost on saving.
    EXPECT_EQ(EditorFile::Encode(QStringLiteral("\u00E9\u20AC"), EditorFile::Encoding::SingleByte),
              QByteArray("\xE9\xE2\x82\xAC"));
}

class Saving : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QByteArray native(const char* name) const { return QFile::encodeName(path(name)); }
    bool save(const char* name, const QString& text, QString* error = nullptr) {
        QString ignored;
        return EditorFile::Save(EditorFile::ParseFile(path(name)), text,
                                EditorFile::Encoding::Utf8, error ? error : &ignored);
    }
};

TEST_F(Saving, KeepsOneGenerationOfBackup) {
    ASSERT_TRUE(save("x.dat", QStringLiteral("first")));
    EXPECT_FALSE(QFile::exists(path("x.BAK")));  // nothing was there before
    ASSERT_TRUE(save("x.dat", QStringLiteral("second")));
    ASSERT_TRUE(save("x.dat", QStringLiteral("third")));
    EXPECT_EQ(ReadBytes(path("x.dat")), "third");
    EXPECT_EQ(ReadBytes(path("x.BAK")), "second");

    // Files differing only in extension share one backup name.
    WriteBytes(path("x.out"), "listing");
    ASSERT_TRUE(save("x.out", QStringLiteral("new listing")));
    EXPECT_EQ(ReadBytes(path("x.BAK")), "listing");
    EXPECT_EQ(ReadBytes(path("x.dat")), "third");
}

TEST_F(Saving, AFailedSaveLosesNothing) {
    WriteBytes(path("x.dat"), "old");
    WriteBytes(path("x.BAK"), "older");
    QString error;

    // A folder where the file should be.
    QDir(dir.path()).mkdir(QStringLiteral("taken.dat"));
    EXPECT_FALSE(save("taken.dat", QStringLiteral("text"), &error));
    EXPECT_TRUE(error.contains(path("taken.dat"))) << error.toStdString();

    // A folder that does not exist.
    EXPECT_FALSE(save("missing/x.dat", QStringLiteral("text"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("missing/x.dat"))) << error.toStdString();

    // A name holding a NUL byte would be cut to "x.dat" by the file system.
    const QString cut = path("x.dat") + QChar(u'\0') + QStringLiteral("1");
    EXPECT_FALSE(EditorFile::Save(EditorFile::ParseFile(cut), QStringLiteral("text"),
                                  EditorFile::Encoding::Utf8, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("x.dat\\01"))) << error.toStdString();
    QString loaded;
    EditorFile::Encoding encoding;
    EXPECT_FALSE(EditorFile::Load(cut, &loaded, &encoding, &error));
    EXPECT_TRUE(loaded.isEmpty());

    // A disk that fills up: the file size limit stands in for it.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = save("x.dat", QString(100000, QLatin1Char('z')), &error);
    setrlimit(RLIMIT_FSIZE, &previous);
    EXPECT_FALSE(saved);
    EXPECT_TRUE(error.contains(path("x.dat"))) << error.toStdString();
    EXPECT_EQ(ReadBytes(path("x.dat")), "old");
    EXPECT_EQ(ReadBytes(path("x.BAK")), "older");
    // No half-written file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

struct stat statOf(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return info;
}

// A save changes the text, not what the file is: a link stays a link (and
// the backup goes beside the file it names), a second name stays a name of
// the same file, an owner stays the owner; a new file gets the usual mode.
TEST_F(Saving, TheFileStaysWhatItWas) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    WriteBytes(path("sub/real.dat"), "old");
    ASSERT_EQ(::symlink("sub/real.dat", native("link.dat").constData()), 0);
    ASSERT_TRUE(save("link.dat", QStringLiteral("new")));
    EXPECT_TRUE(QFileInfo(path("link.dat")).isSymLink());
    EXPECT_EQ(ReadBytes(path("link.dat")), "new");
    EXPECT_EQ(ReadBytes(path("sub/real.BAK")), "old");

    WriteBytes(path("a.dat"), "old");
    ASSERT_EQ(::link(native("a.dat").constData(), native("b.dat").constData()), 0);
    ASSERT_TRUE(save("a.dat", QStringLiteral("new")));
    EXPECT_EQ(statOf(path("a.dat")).st_ino, statOf(path("b.dat")).st_ino);
    EXPECT_EQ(ReadBytes(path("b.dat")), "new");
    EXPECT_EQ(ReadBytes(path("a.BAK")), "old");

    const mode_t umask = ::umask(022);
    const bool saved = save("new.dat", QStringLiteral("x"));
    ::umask(umask);
    ASSERT_TRUE(saved);
    EXPECT_EQ(statOf(path("new.dat")).st_mode & 07777, 0644u);

    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    WriteBytes(path("owned.dat"), "old");
    ASSERT_EQ(::chown(native("owned.dat").constData(), 65534, 65534), 0);
    ASSERT_TRUE(save("owned.dat", QStringLiteral("new")));
    EXPECT_EQ(statOf(path("owned.dat")).st_uid, 65534u);
}

// A file that its user may only read is reported, not replaced through the
// folder's permission. The user is 65534, in a child process.
TEST_F(Saving, AFileTheUserMayNotWriteIsRefused) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "acting as user 65534 needs root";
    WriteBytes(path("locked.dat"), "old");
    ASSERT_EQ(::chmod(native("locked.dat").constData(), 0444), 0);
    ASSERT_EQ(::chown(native("locked.dat").constData(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0 ||
            ::access(QFile::encodeName(dir.path()).constData(), W_OK | X_OK) != 0)
            ::_exit(100);
        QString error;
        const bool saved = save("locked.dat", QStringLiteral("new"), &error);
        ::_exit(saved ? 1 : error.contains(QStringLiteral("not writable")) ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 100)
        GTEST_SKIP() << "user 65534 cannot work in " << dir.path().toStdString();
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: replaced, 2: reported otherwise";
    EXPECT_EQ(ReadBytes(path("locked.dat")), "old");
    EXPECT_FALSE(QFile::exists(path("locked.BAK")));
}

// The same on real disks that fail: a tmpfs that fills up and one mounted
// read-only (or, without root, a folder without write permission).
class SavingOnAFailingDisk : public ::testing::Test {
protected:
    void Prepare() {
        WriteBytes(file, "old\r\n");
        WriteBytes(backup, "older\r\n");
    }
    bool Save(const QString& text, QString* error) {
        return EditorFile::Save(EditorFile::ParseFile(file), text, EditorFile::Encoding::Utf8,
                                error);
    }
    void ExpectBothFilesKept() {
        EXPECT_EQ(ReadBytes(file), "old\r\n");
        EXPECT_EQ(ReadBytes(backup), "older\r\n");
        EXPECT_EQ(QDir(QString::fromStdString(disk.File(""))).entryList(QDir::Files | QDir::Hidden),
                  QStringList({QStringLiteral("x.BAK"), QStringLiteral("x.dat")}));
    }
    ScratchMount disk;
    const QString file = QString::fromStdString(disk.File("x.dat"));
    const QString backup = QString::fromStdString(disk.File("x.BAK"));
};

TEST_F(SavingOnAFailingDisk, AFullDisk) {
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why();
    Prepare();
    QString error;
    EXPECT_FALSE(Save(QString(100000, QLatin1Char('z')), &error));
    EXPECT_EQ(error, QStringLiteral("Cannot save \"%1\": %2.")
                         .arg(file, QString::fromLocal8Bit(std::strerror(ENOSPC))));
    ExpectBothFilesKept();
}

TEST_F(SavingOnAFailingDisk, AReadOnlyFolder) {
    Prepare();
    if (!disk.MakeReadOnly())
        GTEST_SKIP() << disk.Why();
    QString error;
    EXPECT_FALSE(Save(QStringLiteral("new"), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot save \"%1\": ").arg(file)))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QString::fromLocal8Bit(std::strerror(ScratchMount::ReadOnlyError())),
                               Qt::CaseInsensitive))
        << error.toStdString();
    ExpectBothFilesKept();
}
} // namespace
