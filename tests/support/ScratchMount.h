// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Folders whose disk fails on purpose, for tests of saving and writing: a
// small tmpfs that fills up, or a folder where nothing can be created.
//
// Mounting needs root. A test that cannot have its folder skips with the
// reason that Why() gives. Permissions do not stop root, so root gets its
// read-only folder as a read-only mount; anybody else gets a folder without
// write permission.

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

class ScratchMount {
public:
    // A tmpfs of the given size on a fresh folder; unmounted and removed
    // again by the destructor, also when an assertion ends the test early.
    explicit ScratchMount(const char* size = "64k") {
        char folder[] = "/tmp/zendra-disk-XXXXXX";
        if (::mkdtemp(folder) == nullptr) {
            m_why = std::string("no folder to mount on: ") + std::strerror(errno);
            return;
        }
        m_path = folder;
        if (::geteuid() != 0) {
            m_why = "mounting a small tmpfs needs root";
            return;
        }
        m_options = std::string("size=") + size + ",mode=0755";
        if (::mount("tmpfs", m_path.c_str(), "tmpfs", 0, m_options.c_str()) != 0) {
            m_why = "cannot mount a tmpfs on " + m_path + ": " + std::strerror(errno);
            return;
        }
        m_mounted = true;
    }
    ~ScratchMount() {
        if (m_mounted)
            ::umount2(m_path.c_str(), MNT_DETACH);
        if (!m_path.empty()) {
            ::chmod(m_path.c_str(), 0700);
            std::error_code ignored;
            std::filesystem::remove_all(m_path, ignored);
        }
    }
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    bool Mounted() const { return m_mounted; }
    const std::string& Why() const { return m_why; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

    // Makes the folder and its files refuse writing, keeping what is in
    // them: a read-only remount for root, no write permission otherwise. False (with Why())
    // when neither works.
    bool MakeReadOnly() {
        if (m_mounted) {
            if (::mount("tmpfs", m_path.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                        m_options.c_str()) == 0)
                return true;
            m_why = "cannot remount " + m_path + " read-only: " + std::strerror(errno);
            return false;
        }
        if (m_path.empty() || ::geteuid() == 0)
            return false;  // m_why already says why
        m_why.clear();
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(m_path, ignored))
            ::chmod(entry.path().c_str(), 0444);
        return ::chmod(m_path.c_str(), 0555) == 0;
    }

    // The reason a read-only folder gives.
    static int ReadOnlyError() { return ::geteuid() == 0 ? EROFS : EACCES; }

private:
    std::string m_path;
    std::string m_options;
    std::string m_why;
    bool m_mounted = false;
};
