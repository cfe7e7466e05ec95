// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MatrixFileWriter.h"
#include "MatrixListing.h"
#include "RecordingMessages.h"
#include "ScratchMount.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {
using Texts = std::vector<std::string>;

// The names in a folder, hidden ones included.
std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

std::string Folder(const std::string& file) {
    return std::filesystem::path(file).parent_path().string();
}

// Writes that fail half-way or cannot start. Three full 50 x 50 matrices
// make about 180 KB of data file, far beyond a 64 KB disk.
class WriteFaults : public ::testing::Test {
protected:
    void SetUp() override {
        ws.HeaderLine = "Large";
        for (int k = 1; k <= 3; ++k) {
            TMatrixRec& m = ws.AppendNew();
            m.SetName("M" + std::to_string(k));
            m.Rows = m.Cols = MaxDim;
            for (int i = 1; i <= MaxDim; ++i)
                for (int j = 1; j <= MaxDim; ++j)
                    m.At(i, j) = i * 1000.0 + j / 7.0;
        }
    }
    bool Write(const std::string& path) {
        return MatrixFileWriter(ws, messages).WriteMatrixFile(path);
    }
    bool List(const std::string& path) {
        MatrixListing listing(ws, messages);
        return listing.Create(path) && listing.Finish({1, 2, 3});
    }
    static std::string Reason(int error) { return std::strerror(error); }

    GVar ws;
    RecordingMessages messages;
    const std::string previous = "Previous\r\nA\r\n1, 1\r\n 7.00000000000000E+0000 \r\n";
};

TEST_F(WriteFaults, AFullDiskKeepsThePreviousDataFile) {
    ScratchMount disk;
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why();
    const std::string path = disk.File("work.dat");
    WriteBytes(path, previous);
    EXPECT_FALSE(Write(path));
    EXPECT_EQ(messages.Take(), Texts{"Sorry, the file \"" + path + "\" could not be written: " +
                                     Reason(ENOSPC) + "."});
    EXPECT_TRUE(ReadBytes(path) == previous) << "the previous file is lost";
    EXPECT_EQ(Entries(Folder(path)), std::vector<std::string>{"work.dat"});

    // A new file is not left behind half-written either.
    const std::string fresh = disk.File("fresh.dat");
    EXPECT_FALSE(Write(fresh));
    EXPECT_EQ(messages.Take().size(), 1u);
    EXPECT_EQ(Entries(Folder(path)), std::vector<std::string>{"work.dat"});
}

TEST_F(WriteFaults, AReadOnlyFolderKeepsThePreviousDataFile) {
    ScratchMount disk;
    const std::string path = disk.File("work.dat");
    WriteBytes(path, previous);
    if (!disk.MakeReadOnly())
        GTEST_SKIP() << disk.Why();
    EXPECT_FALSE(Write(path));
    EXPECT_EQ(messages.Take(),
              Texts{"Sorry, the file \"" + path + "\" cannot be created: " +
                    Reason(ScratchMount::ReadOnlyError()) + "."});
    EXPECT_TRUE(ReadBytes(path) == previous) << "the previous file is lost";
}

TEST_F(WriteFaults, AFolderInTheFilesPlaceIsLeftAlone) {
    TempDir dir;
    const std::string path = dir.File("work.dat");
    std::filesystem::create_directory(path);
    WriteBytes(path + "/inside", "kept");
    EXPECT_FALSE(Write(path));
    EXPECT_EQ(messages.Take(), Texts{"Sorry, the file \"" + path + "\" cannot be created: " +
                                     Reason(EISDIR) + "."});
    EXPECT_EQ(ReadBytes(path + "/inside"), "kept");
    EXPECT_EQ(Entries(Folder(path)), std::vector<std::string>{"work.dat"});
}

// The data file is written beside the old one and renamed over it: what
// the old file was apart from its contents must survive that.
TEST_F(WriteFaults, AReplacedFileStaysWhatItWas) {
    TempDir dir;
    const std::string path = dir.File("work.dat");
    WriteBytes(path, previous);
    std::filesystem::permissions(path, std::filesystem::perms(0640));
    const std::string link = dir.File("link.dat");
    std::filesystem::create_symlink(path, link);

    ASSERT_TRUE(Write(link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0640));
    EXPECT_TRUE(ReadBytes(path) == MatrixFileWriter::FileText(ws));
    std::vector<std::string> names = Entries(dir.File(""));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"link.dat", "work.dat"}));
}

// A listing file is made before the matrices are chosen, so an earlier
// listing of that name is replaced from the start; on a full disk what was
// written stays, and the failure is reported.
TEST_F(WriteFaults, AFullDiskCutsTheListingShortAndSaysSo) {
    ScratchMount disk;
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why();
    TempDir roomy;
    ASSERT_TRUE(List(roomy.File("whole.out")));
    const std::string whole = ReadBytes(roomy.File("whole.out"));

    const std::string path = disk.File("answers.out");
    EXPECT_FALSE(List(path));
    EXPECT_EQ(messages.Take(), Texts{"Sorry, the listing file \"" + path +
                                     "\" could not be written: " + Reason(ENOSPC) + "."});
    const std::string left = ReadBytes(path);
    EXPECT_LT(left.size(), whole.size());
    EXPECT_TRUE(left == whole.substr(0, left.size())) << "not a beginning of the listing";
}

TEST_F(WriteFaults, AListingThatCannotBeMadeChangesNothing) {
    ScratchMount disk;
    const std::string path = disk.File("answers.out");
    WriteBytes(path, "earlier listing");
    if (!disk.MakeReadOnly())
        GTEST_SKIP() << disk.Why();
    MatrixListing listing(ws, messages);
    EXPECT_FALSE(listing.Create(path));
    EXPECT_FALSE(listing.Finish({1}));
    EXPECT_EQ(messages.Take(),
              Texts{"Sorry, the listing file \"" + path + "\" cannot be created: " +
                    Reason(ScratchMount::ReadOnlyError()) + "."});
    EXPECT_TRUE(ReadBytes(path) == "earlier listing") << "the earlier listing is lost";

    TempDir dir;
    const std::string taken = dir.File("taken.out");
    std::filesystem::create_directory(taken);
    EXPECT_FALSE(listing.Create(taken));
    EXPECT_EQ(messages.Take(), Texts{"Sorry, the listing file \"" + taken +
                                     "\" cannot be created: " + Reason(EISDIR) + "."});
    EXPECT_TRUE(std::filesystem::is_directory(taken));
}
} // namespace
