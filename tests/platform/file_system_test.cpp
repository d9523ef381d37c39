#include <gtest/gtest.h>

#include <algorithm>

#include "platform/file_system.h"
#include "platform/utf16_file.h"
#include "support/fault_file_system.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::FaultInjectingFileSystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::U;
using testing::Utf16FileBytes;
using testing::WriteBytes;

class FileSystemTest : public ::testing::Test {
protected:
    TempFolder folder_;
    std::unique_ptr<FileSystem> fs_ = CreateSystemFileSystem();
    std::filesystem::path target_ = folder_.path() / "202403.txt";
};

TEST_F(FileSystemTest, WritesReadsAndListsFiles) {
    EXPECT_FALSE(fs_->ReadWholeFile(target_)) << "a missing file cannot be read";
    EXPECT_NE(fs_->LastError(), 0u);

    const std::u16string text = U("2024/03/03\r\n\t日記\r\n");
    ASSERT_TRUE(WriteUtf16File(*fs_, target_, text).ok());
    EXPECT_EQ(ReadBytes(target_), Utf16FileBytes(text)) << "FF FE, UTF-16LE, no NUL";
    EXPECT_EQ(ReadUtf16File(*fs_, target_), text);

    ASSERT_TRUE(fs_->CreateFolder(folder_.path() / "data"));
    EXPECT_FALSE(fs_->CreateFolder(folder_.path() / "data")) << "an existing folder is not created again";
    auto entries = fs_->ListFolder(folder_.path());
    ASSERT_TRUE(entries);
    std::sort(entries->begin(), entries->end(), [](auto& a, auto& b) { return a.name < b.name; });
    ASSERT_EQ(entries->size(), 2u) << "the temporary file is gone after a write";
    EXPECT_EQ(entries->at(0).name, "202403.txt");
    EXPECT_FALSE(entries->at(0).isFolder);
    EXPECT_EQ(entries->at(1).name, "data");
    EXPECT_TRUE(entries->at(1).isFolder);
    EXPECT_FALSE(fs_->ListFolder(folder_.path() / "missing"));
}

TEST_F(FileSystemTest, CopyMoveAndRemoveRespectExistingFiles) {
    const auto copy = folder_.path() / "copy.txt";
    const auto moved = folder_.path() / "moved.txt";
    WriteBytes(target_, {std::byte{1}, std::byte{2}});
    ASSERT_TRUE(fs_->Copy(target_, copy, true));
    EXPECT_FALSE(fs_->Copy(target_, copy, true)) << "failIfExists keeps the existing copy";
    EXPECT_TRUE(fs_->Copy(target_, copy, false));
    ASSERT_TRUE(fs_->Move(copy, moved));
    EXPECT_FALSE(fs_->Exists(copy));
    EXPECT_FALSE(fs_->Move(target_, moved)) << "a move never overwrites";
    EXPECT_TRUE(fs_->Remove(moved));
    EXPECT_FALSE(fs_->Remove(moved));
    EXPECT_TRUE(fs_->Exists(target_));
}

// Every step of an atomic write is failed in turn, once and from that step on: the target always
// holds either its old or its new bytes, never a mixture or a truncated file.
TEST_F(FileSystemTest, FailedWritesNeverTruncateTheTarget) {
    const std::u16string oldText = U("2024/03/01\r\n\t古い\r\n");
    const std::u16string newText = U("2024/03/01\r\n\t新しい本文がここに\r\n");
    FaultInjectingFileSystem faulty(*fs_);
    ASSERT_TRUE(WriteUtf16File(faulty, target_, newText).ok());
    const int steps = faulty.OperationCount();
    ASSERT_GE(steps, 4) << "create, two writes, commit, replace";

    for (int step = 1; step <= steps; ++step) {
        for (bool once : {true, false}) {
            WriteBytes(target_, Utf16FileBytes(oldText));
            faulty.ResetCount();
            once ? faulty.FailOnly(step) : faulty.FailFrom(step);
            const WriteResult result = WriteUtf16File(faulty, target_, newText);
            faulty.Heal();
            const auto bytes = ReadBytes(target_);
            EXPECT_TRUE(bytes == Utf16FileBytes(oldText) || bytes == Utf16FileBytes(newText))
                << "step " << step << (once ? " once" : " onwards");
            if (!result.ok()) {
                EXPECT_EQ(bytes, Utf16FileBytes(oldText)) << "a failed write leaves the old file";
                EXPECT_EQ(faulty.LastError(), FaultInjectingFileSystem::kInjectedError);
            }
        }
    }
}

TEST_F(FileSystemTest, WriteFailuresSayWhereTheyStopped) {
    FaultInjectingFileSystem faulty(*fs_);
    faulty.FailOnly(1);
    EXPECT_EQ(WriteUtf16File(faulty, target_, u"x").status, WriteStatus::kCreateFailed);
    faulty.ResetCount();
    faulty.FailOnly(2);
    const WriteResult markFailed = WriteUtf16File(faulty, target_, u"x");
    EXPECT_EQ(markFailed.status, WriteStatus::kWriteFailed);
    EXPECT_EQ(markFailed.failedPiece, 0) << "the byte-order mark is piece 0";
    faulty.ResetCount();
    faulty.FailOnly(3);
    EXPECT_EQ(WriteUtf16File(faulty, target_, u"x").failedPiece, 1);
    faulty.ResetCount();
    faulty.FailFor(5, FileSystem::kOpenAttempts);  // every attempt to replace the target
    EXPECT_EQ(WriteUtf16File(faulty, target_, u"x").status, WriteStatus::kCommitFailed);
    EXPECT_FALSE(fs_->Exists(TemporaryPathFor(target_))) << "a failed write cleans up after itself";
}

// Another program holding the target for a moment (a backup, a sync or a virus scanner) makes the
// replace fail; it is tried like an exclusive open, ten times with a pause between.
TEST_F(FileSystemTest, TheFinalReplaceIsRetriedLikeAnExclusiveOpen) {
    WriteBytes(target_, Utf16FileBytes(u"old"));
    FaultInjectingFileSystem faulty(*fs_);
    constexpr int kReplace = 5;  // create, two writes, commit, replace
    faulty.FailFor(kReplace, FileSystem::kOpenAttempts - 1);
    EXPECT_TRUE(WriteUtf16File(faulty, target_, u"new").ok());
    EXPECT_EQ(ReadBytes(target_), Utf16FileBytes(u"new"));
    EXPECT_EQ(faulty.RetryWaits(), FileSystem::kOpenAttempts - 1);

    faulty.ResetCount();
    faulty.FailFor(kReplace, FileSystem::kOpenAttempts);
    EXPECT_EQ(WriteUtf16File(faulty, target_, u"newer").status, WriteStatus::kCommitFailed);
    EXPECT_EQ(ReadBytes(target_), Utf16FileBytes(u"new")) << "the target is left as it was";
    EXPECT_EQ(faulty.RetryWaits(), FileSystem::kOpenAttempts - 1) << "no pause after the last attempt";
    EXPECT_FALSE(fs_->Exists(TemporaryPathFor(target_)));
}

}  // namespace
}  // namespace tavrin
