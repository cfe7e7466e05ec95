// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// An editor file loaded and saved unchanged, on arbitrary bytes: the bytes
// come back exactly, apart from the line breaks (CR LF, a lone CR or a lone
// LF), each of which comes back as CR LF.
#include "EditorFile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    EditorFile::Encoding encoding;
    const QString text = EditorFile::Decode(bytes, &encoding);
    const QByteArray saved = EditorFile::Encode(text, encoding);

    QByteArray expected;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            expected.append("\r\n");
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            expected.append(bytes[i]);
        }
    }
    if (saved != expected)
        std::abort();
    return 0;
}
