// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MatrixFileWriter.h"

#include "FilePath.h"
#include "GVar.h"
#include "MUtil.h"
#include "Messages.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The reader skips blank characters before a name and stops at Ctrl-Z, and
// a line feed would end the name early: such names would not come back.
bool nameReadsBack(const std::string& name) {
    bool visible = false;
    for (char c : name) {
        if (c == '\n' || c == '\x1A')
            return false;
        if (static_cast<unsigned char>(c) > 32)
            visible = true;
    }
    return visible;
}
} // namespace

std::string MatrixFileWriter::Unwritable(const GVar& workspace) {
    for (int slot = 1; slot <= workspace.MatrixCount; ++slot) {
        const TMatrixRec& m = workspace.Matrix(slot);
        std::string problem;
        if (!nameReadsBack(m.Name))
            problem = m.Name.empty() ? "has an empty name"
                                     : "has a name a data file cannot hold (only blanks, or a "
                                       "line feed or Ctrl-Z in it)";
        else if (m.Rows > 0 && m.Cols == 0)
            problem = "has rows but no columns";
        if (!problem.empty())
            return "Sorry, the matrices were not written: matrix " + std::to_string(slot) + " (" +
                   std::to_string(m.Rows) + " x " + std::to_string(m.Cols) + ") " + problem +
                   ", which would not read back from the file. Rename or erase it first.";
    }
    return std::string();
}

std::string MatrixFileWriter::FileText(const GVar& workspace) {
    std::string text;
    std::size_t size = workspace.HeaderLine.size() + 2;
    for (int slot = 1; slot <= workspace.MatrixCount; ++slot) {
        const TMatrixRec& m = workspace.Matrix(slot);
        size += m.Name.size() + 12 + m.Rows * (m.Cols * 24 + 2);
    }
    text.reserve(size);

    text += workspace.HeaderLine;
    text += "\r\n";
    for (int slot = 1; slot <= workspace.MatrixCount; ++slot) {
        const TMatrixRec& m = workspace.Matrix(slot);
        text += m.Name;
        text += "\r\n";
        text += std::to_string(m.Rows) + ", " + std::to_string(m.Cols);
        text += "\r\n";
        for (int i = 1; i <= m.Rows; ++i) {
            for (int j = 1; j <= m.Cols; ++j) {
                MUtil::AppendScientificForm(text, m.At(i, j));
                text += ' ';
            }
            text += "\r\n";
        }
    }
    return text;
}

bool MatrixFileWriter::WriteMatrixFile(const std::string& path) {
    const std::string refusal = Unwritable(m_workspace);
    if (!refusal.empty()) {
        m_messages.ShowMessage(refusal);
        return false;
    }
    return WriteWhole(path, FileText(m_workspace), m_messages);
}

bool MatrixFileWriter::WriteWhole(const std::string& path, const std::string& text,
                                  Messages& messages) {
    if (!FilePath::Nameable(path)) {
        messages.ShowMessage("Sorry, the file \"" + FilePath::Shown(path) +
                             "\" cannot be created: " + FilePath::NulReason + ".");
        return false;
    }
    const auto failed = [&](const char* what, int error) {
        messages.ShowMessage("Sorry, the file \"" + path + "\" " + what + ": " +
                             std::strerror(error) + ".");
        return false;
    };

    // The new file is written completely beside the old one and takes its
    // name only then: a disk that fills up half-way leaves the previous file
    // as it was, not cut off. A link is followed, so that it stays a link.
    std::string target = path;
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode))
            return failed("cannot be created", EISDIR);
        if (::access(path.c_str(), W_OK) != 0)
            return failed("cannot be created", errno);  // a write-protected file stays so
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    const std::size_t slash = target.rfind('/');
    std::string temporary = target.substr(0, slash + 1) + "." +
                            target.substr(slash + 1) + ".XXXXXX";
    const int fd = ::mkstemp(&temporary[0]);
    if (fd < 0)
        return failed("cannot be created", errno);
    const auto discard = [&](const char* what, int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return failed(what, error);
    };
    // A replaced file keeps its permissions; a new one gets the usual ones.
    mode_t mode = existing.st_mode & 07777;
    if (!exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);

    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return discard("could not be written", n < 0 ? errno : ENOSPC);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0)
        return discard("could not be written", errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return failed("could not be written", error);
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return failed("cannot be created", error);
    }
    return true;
}
