#include "store/attachments.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <set>

#include "platform/text.h"
#include "store/file_drop.h"
#include "support/fault_file_system.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

namespace fs = std::filesystem;
using testing::FaultInjectingFileSystem;
using testing::TempFolder;
using testing::U;

constexpr DiaryDate kDay{2024, 3, 10};

void Touch(const fs::path& file, std::string_view content = "x") {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

std::string Content(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::u16string> NamesIn(const fs::path& folder) {
    std::set<std::u16string> names;
    if (fs::is_directory(folder)) {
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.insert(entry.path().filename().u16string());
        }
    }
    return names;
}

// A portable folder with a diary, a place for the pictures to come from, and the file system the
// attachment code works through.
class AttachTest : public ::testing::Test {
protected:
    [[nodiscard]] AttachmentPlace Place() const {
        return {exe_.path() / "RaRorir", exe_.path() / "RaRorir" / "data", kDay};
    }
    [[nodiscard]] fs::path Data() const { return Place().dataFolder; }
    [[nodiscard]] fs::path Source(std::string_view name) const { return exe_.path() / "pics" / name; }
    fs::path Picture(std::string_view name, std::string_view content = "picture") {
        Touch(Source(name), content);
        return Source(name);
    }
    AttachOutcome Attach(std::initializer_list<fs::path> files, AttachmentOptions options = {}) {
        std::vector<AttachRequest> requests;
        for (const fs::path& file : files) {
            requests.push_back({file.u16string(), FileKindOfPath(file.u16string())});
        }
        return AttachFiles(fs_, Place(), options, requests);
    }

    TempFolder exe_;
    std::unique_ptr<FileSystem> system_ = CreateSystemFileSystem();
    FaultInjectingFileSystem fs_{*system_};
};

TEST_F(AttachTest, CopiesAreNamedByDateAndANumberPerKind) {
    const AttachOutcome first = Attach({Picture("a.JPG", "photo")});
    ASSERT_FALSE(first.error);
    EXPECT_TRUE(first.filesPlaced);
    EXPECT_EQ(first.references, std::vector<std::u16string>{u"20240310_0001.JPG"});
    EXPECT_EQ(Content(Data() / "20240310_0001.JPG"), "photo");
    EXPECT_TRUE(fs::exists(Source("a.JPG"))) << "a copy leaves the original";

    // Another format the same day takes the next picture number; a sound's numbers are its own; a name
    // with Japanese characters, spaces and two dots keeps only its last extension.
    const AttachOutcome more = Attach({Picture("夏の 海.2024.png"), Picture("tune.mp3")},
                                      {CopyMode::kCopy, CopyMode::kCopy, CopyMode::kLinkOnly});
    ASSERT_FALSE(more.error);
    EXPECT_EQ(more.references, (std::vector<std::u16string>{u"20240310_0002.png", u"20240310_0001.mp3"}));
    EXPECT_EQ(NamesIn(Data()),
              (std::set<std::u16string>{u"20240310_0001.JPG", u"20240310_0002.png", u"20240310_0001.mp3"}));
}

TEST_F(AttachTest, LinksAndFilesAlreadyInTheDataFolderAreNotCopied) {
    const fs::path song = Picture("b.mp3");
    Touch(Data() / "20240101_0001.png");
    const AttachOutcome outcome = Attach({song, Data() / "20240101_0001.png"});
    ASSERT_FALSE(outcome.error);
    EXPECT_FALSE(outcome.filesPlaced);
    EXPECT_EQ(outcome.references, (std::vector<std::u16string>{song.u16string(), u"20240101_0001.png"}));
    EXPECT_EQ(NamesIn(Data()), std::set<std::u16string>{u"20240101_0001.png"});
}

TEST_F(AttachTest, AMoveTakesTheFileAway) {
    const fs::path movie = Picture("clip.MP4", "frames");
    const AttachOutcome outcome = Attach({movie}, {CopyMode::kCopy, CopyMode::kLinkOnly, CopyMode::kMove});
    ASSERT_FALSE(outcome.error);
    EXPECT_EQ(outcome.references, std::vector<std::u16string>{u"20240310_0001.MP4"});
    EXPECT_FALSE(fs::exists(movie));
    EXPECT_EQ(Content(Data() / "20240310_0001.MP4"), "frames");
}

TEST_F(AttachTest, NothingIsOverwrittenWhateverTheLetterCase) {
    Touch(Data() / "20240310_0001.png", "old one");
    Touch(Data() / "20240310_0002.JPEG", "old two");
    Touch(Data() / "20240310_0003.wav", "a sound does not take a picture's number");
    Touch(Data() / "20240310_0004.png.txt", "nor does another kind of name");
    const AttachOutcome outcome = Attach({Picture("a.png", "new")});
    ASSERT_FALSE(outcome.error);
    EXPECT_EQ(outcome.references, std::vector<std::u16string>{u"20240310_0003.png"});
    EXPECT_EQ(Content(Data() / "20240310_0001.png"), "old one");
    EXPECT_EQ(Content(Data() / "20240310_0002.JPEG"), "old two");
}

// A stray file with a random number and extension (in random letter case), or an attachment of a
// random kind; each attachment must get the first number that the definition leaves free: for n from
// 1, the first n for which no "<prefix>_<nnnn>.<e>" exists, e any extension of the kind, case ignored.
TEST_F(AttachTest, NamesFollowTheDefinitionThroughRandomHistories) {
    std::mt19937 random(12);
    const std::array<FileKind, 3> kinds = {FileKind::kPicture, FileKind::kSound, FileKind::kMovie};
    const auto expectedName = [this](FileKind kind) {
        std::set<std::u16string> lower;
        for (std::u16string name : NamesIn(Data())) {
            std::transform(name.begin(), name.end(), name.begin(), [](char16_t c) {
                return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
            });
            lower.insert(name);
        }
        for (int n = 1;; ++n) {
            const std::u16string stem = u"20240310_" + Decimal(n, 4) + u".";
            const auto list = ExtensionsOfKind(kind);
            if (std::none_of(list.begin(), list.end(), [&](std::u16string_view e) {
                    return lower.count(stem + std::u16string(e)) != 0;
                })) {
                return u"20240310_" + Decimal(n, 4);
            }
        }
    };
    for (int step = 0; step < 100; ++step) {
        const FileKind kind = kinds[random() % 3];
        const auto list = ExtensionsOfKind(kind);
        std::string extension = ToUtf8(list[random() % list.size()]);
        if (random() % 2 == 0) {
            std::transform(extension.begin(), extension.end(), extension.begin(), [](char c) {
                return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            });
        }
        if (random() % 3 == 0) {
            Touch(Data() / ("20240310_" + ToUtf8(Decimal(1 + random() % 40, 4)) + "." + extension));
            continue;
        }
        const std::u16string expected = expectedName(kind) + u"." + FromUtf8(extension);
        const AttachOutcome outcome =
            Attach({Picture("in." + extension)}, {CopyMode::kCopy, CopyMode::kCopy, CopyMode::kCopy});
        ASSERT_FALSE(outcome.error) << step;
        ASSERT_EQ(outcome.references, std::vector<std::u16string>{expected}) << "step " << step;
    }
}

// A data folder whose listing also shows a picture for every number of 2024-03-10, one extension
// after another in changing letter case; everything else goes to the real file system.
class CrowdedDataFolder final : public FileSystem {
public:
    CrowdedDataFolder(FileSystem& inner, fs::path data) : inner_(inner), data_(std::move(data)) {}

    std::optional<std::vector<std::byte>> ReadWholeFile(const fs::path& path) override {
        return inner_.ReadWholeFile(path);
    }
    std::unique_ptr<WritableFile> OpenForWriting(const fs::path& path) override {
        return inner_.OpenForWriting(path);
    }
    bool MoveIntoPlace(const fs::path& from, const fs::path& to) override {
        return inner_.MoveIntoPlace(from, to);
    }
    std::optional<std::vector<FolderEntry>> ListFolder(const fs::path& folder) override {
        auto entries = inner_.ListFolder(folder);
        if (entries && folder == data_) {
            const auto pictures = ExtensionsOfKind(FileKind::kPicture);
            for (int n = 1; n <= kAttachmentNumberMax; ++n) {
                std::u16string extension(pictures[static_cast<std::size_t>(n) % pictures.size()]);
                if (n % 3 == 0) {
                    extension[0] = static_cast<char16_t>(extension[0] - 32);
                }
                entries->push_back({fs::path(u"20240310_" + Decimal(n, 4) + u"." + extension), false});
            }
        }
        return entries;
    }
    bool Exists(const fs::path& path) override { return inner_.Exists(path); }
    bool IsFolder(const fs::path& path) override { return inner_.IsFolder(path); }
    bool CreateFolder(const fs::path& path) override { return inner_.CreateFolder(path); }
    bool Copy(const fs::path& from, const fs::path& to, bool failIfExists) override {
        return inner_.Copy(from, to, failIfExists);
    }
    bool Move(const fs::path& from, const fs::path& to) override { return inner_.Move(from, to); }
    bool Remove(const fs::path& path) override { return inner_.Remove(path); }
    std::uint32_t LastError() const override { return inner_.LastError(); }

private:
    FileSystem& inner_;
    fs::path data_;
};

TEST_F(AttachTest, WhenAllNumbersOfTheDayAreTakenNothingIsCopied) {
    fs::create_directories(Data());
    CrowdedDataFolder crowded(*system_, Data());
    const std::vector<AttachRequest> picture{{Picture("a.gif").u16string(), FileKind::kPicture}};
    const AttachOutcome full = AttachFiles(crowded, Place(), {}, picture);
    ASSERT_TRUE(full.error);
    EXPECT_EQ(*full.error, (UserError{kErrorAttachFailed,
                                      U("ファイル名の連番が9999を超えたため処理を中断しました。"), 0}));
    EXPECT_TRUE(full.references.empty());
    EXPECT_TRUE(NamesIn(Data()).empty());

    const std::vector<AttachRequest> sound{{Picture("a.wav").u16string(), FileKind::kSound}};
    const AttachOutcome counted = AttachFiles(crowded, Place(), {CopyMode::kCopy, CopyMode::kCopy}, sound);
    EXPECT_EQ(counted.references, std::vector<std::u16string>{u"20240310_0001.wav"}) << "sounds count apart";

    const PreparedPicture pasted = PreparePicturePaste(crowded, Place(), 0);
    ASSERT_TRUE(pasted.error);
    EXPECT_EQ(pasted.error->number, kErrorClipboardPicture);
    EXPECT_EQ(pasted.error->detail, Data().u16string()) << "the path as far as it was built";
}

TEST_F(AttachTest, AFolderThatCannotBeListedIsAskedNameByName) {
    for (const char* name :
         {"20240310_0001.png", "20240310_0002.tif", "20240310_0003.wmf", "20240310_0005.gif"}) {
        Touch(Data() / name);
    }
    FaultInjectingFileSystem unlistable(*system_);
    unlistable.FailOnly(1);
    EXPECT_EQ(NextAttachmentName(unlistable, Data(), u"20240310", FileKind::kPicture), u"20240310_0004");
    EXPECT_EQ(unlistable.Log().front(), "ListFolder (failed)");
    unlistable.ResetCount();
    unlistable.FailOnly(1);
    EXPECT_EQ(NextAttachmentName(unlistable, Data(), u"20240310", FileKind::kMovie), u"20240310_0001");
}

TEST_F(AttachTest, FoldersThatCannotBeMadeAreReportedAndNothingIsInserted) {
    Touch(exe_.path() / "RaRorir", "a file where the diary folder should be");
    const AttachOutcome outcome = Attach({Picture("a.png")});
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->number, kErrorAttachFailed);
    EXPECT_EQ(outcome.error->detail,
              U("日記フォルダを作成できません。\r\n") + Place().diaryFolder.u16string());
    EXPECT_NE(outcome.error->systemError, 0u);
    EXPECT_TRUE(outcome.references.empty());

    fs::remove(exe_.path() / "RaRorir");
    Touch(Data(), "a file where the data folder should be");
    const AttachOutcome data = Attach({Picture("a.png")});
    ASSERT_TRUE(data.error);
    EXPECT_EQ(data.error->detail, U("データフォルダを作成できません。\r\n") + Data().u16string());

    const PreparedPicture pasted = PreparePicturePaste(fs_, Place(), 1);
    ASSERT_TRUE(pasted.error);
    EXPECT_EQ(pasted.error->number, kErrorClipboardPicture);
    EXPECT_EQ(pasted.error->detail, Data().u16string());
}

// Every single operation of a three-file batch fails once in turn: the batch either succeeds whole
// (some failures are absorbed, such as a folder check) or leaves the entry (no references), the data
// folder and the sources as they were, and names the file.
TEST_F(AttachTest, AFailureAnywhereInABatchLeavesEverythingAsItWas) {
    const std::array<const char*, 3> names = {"one.png", "two.jpg", "three.wav"};
    for (const CopyMode mode : {CopyMode::kCopy, CopyMode::kMove}) {
        const AttachmentOptions options{mode, mode, mode};
        int operations = 0;
        int failures = 0;
        for (int operation = 0; operation == 0 || operation <= operations; ++operation) {
            TempFolder folder;
            const AttachmentPlace place{folder.path() / "RaRorir", folder.path() / "RaRorir" / "data", kDay};
            Touch(place.dataFolder / "20240310_0001.png", "kept");
            std::vector<AttachRequest> requests;
            for (const char* name : names) {
                Touch(folder.path() / "pics" / name, name);
                requests.push_back(
                    {(folder.path() / "pics" / name).u16string(), FileKindOfPath(FromUtf8(name))});
            }
            fs_.ResetCount();
            fs_.FailOnly(operation);  // 0: a clean run, which counts the operations
            const AttachOutcome outcome = AttachFiles(fs_, place, options, requests);
            fs_.Heal();
            if (operation == 0) {
                ASSERT_FALSE(outcome.error);
                operations = fs_.OperationCount();
            }
            if (!outcome.error) {
                EXPECT_EQ(outcome.references.size(), 3u) << operation;
                EXPECT_EQ(NamesIn(place.dataFolder).size(), 4u) << operation;
                continue;
            }
            ++failures;
            EXPECT_TRUE(outcome.references.empty()) << operation;
            EXPECT_EQ(NamesIn(place.dataFolder), std::set<std::u16string>{u"20240310_0001.png"}) << operation;
            for (const char* name : names) {
                EXPECT_EQ(Content(folder.path() / "pics" / name), name) << operation;
            }
            EXPECT_EQ(outcome.error->systemError, FaultInjectingFileSystem::kInjectedError) << operation;
            const std::u16string& detail = outcome.error->detail;
            const bool namesAFile = std::any_of(names.begin(), names.end(), [&detail](const char* name) {
                return detail.find(FromUtf8(name)) != std::u16string::npos;
            });
            EXPECT_TRUE(namesAFile || detail.find(U("フォルダを作成できません")) != std::u16string::npos)
                << ToUtf8(detail);
        }
        EXPECT_GE(failures, 3) << "each copy or move can fail";
    }
}

// When the taking back fails as well (everything fails from some operation on), the files that had to
// stay in the data folder are named, so the user can find them.
TEST_F(AttachTest, FilesThatCannotBeTakenBackAreNamed) {
    const fs::path one = Picture("one.png");
    const fs::path two = Picture("two.png");
    fs_.ResetCount();
    (void)Attach({one, two});
    const int operations = fs_.OperationCount();
    fs::remove_all(Place().diaryFolder);
    const fs::path last = Picture("two.png");
    fs_.ResetCount();
    fs_.FailFrom(operations);  // the second copy and everything after it
    const AttachOutcome outcome = Attach({one, last});
    fs_.Heal();
    ASSERT_TRUE(outcome.error);
    EXPECT_TRUE(outcome.references.empty());
    EXPECT_TRUE(outcome.filesPlaced);
    EXPECT_NE(outcome.error->detail.find((Data() / "20240310_0001.png").u16string()), std::u16string::npos)
        << ToUtf8(outcome.error->detail);
}

TEST_F(AttachTest, AListOfFiveHundredFilesIsAttachedInOrder) {
    std::vector<std::u16string> paths;
    for (int i = 0; i < 500; ++i) {
        paths.push_back(Picture("p" + std::to_string(i) + ".png").u16string());
    }
    const DropPlan plan = PlanDrop(paths, false, false);
    ASSERT_EQ(plan.action, DropAction::kAttach);
    fs_.ResetCount();
    const AttachOutcome outcome = AttachFiles(fs_, Place(), {}, plan.files);
    ASSERT_FALSE(outcome.error);
    ASSERT_EQ(outcome.references.size(), 500u);
    EXPECT_EQ(outcome.references.front(), u"20240310_0001.png");
    EXPECT_EQ(outcome.references.back(), u"20240310_0500.png");
    EXPECT_LT(fs_.OperationCount(), 600) << "the folder is listed once, not probed for every name";
}

TEST(FileDrop, TheDropDecidesBetweenBackgroundTextAndAttachments) {
    const std::u16string photo = U("C:\\写真\\夏.JPG");
    const std::u16string song = u"C:\\music\\b.mp3";
    const std::u16string notes = u"C:\\docs\\notes.txt";
    const auto plan = [](std::initializer_list<std::u16string> paths, bool outside, bool ctrl) {
        return PlanDrop(std::vector<std::u16string>(paths), outside, ctrl);
    };

    DropPlan background = plan({photo}, true, false);
    EXPECT_EQ(background.action, DropAction::kBackground);
    EXPECT_EQ(background.background, photo);
    EXPECT_EQ(plan({photo}, true, true).action, DropAction::kBackground) << "Ctrl does not matter there";
    EXPECT_EQ(plan({std::u16string(u"C:\\") + std::u16string(300, u'a') + u".png"}, true, false).action,
              DropAction::kNothing)
        << "a path the settings cannot keep";
    EXPECT_EQ(plan({song}, true, false).action, DropAction::kAttach)
        << "only a picture becomes the background";

    const DropPlan attach = plan({photo, song}, false, false);
    EXPECT_EQ(attach.action, DropAction::kAttach);
    ASSERT_EQ(attach.files.size(), 2u);
    EXPECT_EQ(attach.files[0].kind, FileKind::kPicture);
    EXPECT_EQ(attach.files[1].kind, FileKind::kSound);

    const DropPlan mixed = plan({photo, notes}, false, false);
    EXPECT_EQ(mixed.action, DropAction::kInsertText);
    EXPECT_EQ(mixed.text, photo + u"\n" + notes + u"\n");
    EXPECT_EQ(plan({photo, song}, true, true).text, photo + u"\n" + song + u"\n") << "Ctrl inserts paths";
    EXPECT_EQ(plan({u"C:\\my.pics\\photo"}, false, false).action, DropAction::kInsertText)
        << "a dot in a folder name is no extension";
    EXPECT_EQ(plan({}, false, false).action, DropAction::kNothing);
}

TEST(FileKinds, ExtensionsAndKinds) {
    EXPECT_EQ(FileExtension(u"a.JPG"), u"JPG");
    EXPECT_EQ(FileExtension(u"archive.tar.gz"), u"gz");
    EXPECT_EQ(FileExtension(u"name."), u"");
    EXPECT_EQ(FileExtension(u"noext"), u"");
    EXPECT_EQ(FileExtension(u"x.abcdefgh"), u"abcde");
    EXPECT_EQ(ClassifyFileKind(u"JPG"), FileKind::kPicture);
    EXPECT_EQ(ClassifyFileKind(u""), FileKind::kOther);
    EXPECT_EQ(ClassifyFileKind(u"txt"), FileKind::kOther);
    EXPECT_EQ(FileKindOfPath(u"clip.abcdefgh"), FileKind::kOther);
    // Every listed extension, in either case, is of its own kind: the lists do not overlap.
    for (const FileKind kind : {FileKind::kPicture, FileKind::kSound, FileKind::kMovie}) {
        for (const std::u16string_view extension : ExtensionsOfKind(kind)) {
            std::u16string upper(extension);
            std::transform(upper.begin(), upper.end(), upper.begin(), [](char16_t c) {
                return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
            });
            EXPECT_EQ(ClassifyFileKind(extension), kind) << ToUtf8(extension);
            EXPECT_EQ(ClassifyFileKind(upper), kind) << ToUtf8(upper);
        }
    }
}

// The rows of a chooser filter as the system reads them: label and patterns each ended by a NUL, the
// list ended by one more. An unended list gives no rows.
std::vector<std::pair<std::u16string, std::u16string>> FilterRows(const std::u16string& filter) {
    std::vector<std::pair<std::u16string, std::u16string>> rows;
    if (filter.size() < 2 || filter.substr(filter.size() - 2) != std::u16string(2, u'\0')) {
        return rows;
    }
    std::size_t at = 0;
    while (filter[at] != u'\0') {
        const std::size_t labelEnd = filter.find(u'\0', at);
        const std::size_t patternsEnd = filter.find(u'\0', labelEnd + 1);
        rows.emplace_back(filter.substr(at, labelEnd - at),
                          filter.substr(labelEnd + 1, patternsEnd - labelEnd - 1));
        at = patternsEnd + 1;
    }
    return rows;
}

// Both choosers offer the same picture rows; every pattern of a kind's row names an extension of that
// kind, and "すべてのファイル" is the insert-file chooser's ninth row (FileOpenFilterNumber 9).
TEST(FileChoosers, TheBackgroundChooserOffersTheInsertChoosersPictureRows) {
    const auto files = FilterRows(FileChooserFilter());
    const auto pictures = FilterRows(PictureChooserFilter());
    ASSERT_EQ(files.size(), 9u);
    ASSERT_EQ(pictures.size(), 7u);
    EXPECT_TRUE(std::equal(pictures.begin(), pictures.end() - 1, files.begin()));
    EXPECT_EQ(pictures.back(), files.back());
    EXPECT_EQ(files.back(), std::make_pair(U("すべてのファイル"), std::u16string(u"*.*")));
    for (std::size_t row = 0; row + 1 < files.size(); ++row) {
        const FileKind kind = row < 6 ? FileKind::kPicture : (row == 6 ? FileKind::kSound : FileKind::kMovie);
        const std::u16string& patterns = files[row].second;
        for (std::size_t start = 0; start < patterns.size();) {
            const std::size_t end = std::min(patterns.find(u';', start), patterns.size());
            const std::u16string pattern = patterns.substr(start, end - start);
            EXPECT_EQ(pattern.substr(0, 2), u"*.");
            EXPECT_EQ(ClassifyFileKind(pattern.substr(2)), kind) << ToUtf8(pattern) << " in row " << row;
            start = end + 1;
        }
    }
}

TEST(ClipboardPictures, JpegQualityIsTakenAsAnUnsignedNumberUpTo100) {
    EXPECT_EQ(JpegEncoderQuality(90), 90u);
    EXPECT_EQ(JpegEncoderQuality(150), 100u);
    EXPECT_EQ(JpegEncoderQuality(-1), 100u);
}

TEST_F(AttachTest, PastedPicturesAndOpenedAttachmentsLieInTheDataFolder) {
    const PreparedPicture jpeg = PreparePicturePaste(fs_, Place(), 1);
    ASSERT_FALSE(jpeg.error);
    EXPECT_EQ(jpeg.target->name, u"20240310_0001.jpg");
    EXPECT_EQ(jpeg.target->file, Data() / "20240310_0001.jpg");
    EXPECT_TRUE(fs::is_directory(Data())) << "the folders are made on the way";

    EXPECT_EQ(AttachmentFilePath(u"20240310_0001.jpg", Data()), Data() / "20240310_0001.jpg");
    const fs::path elsewhere = exe_.path() / "pics" / "a.png";
    EXPECT_EQ(AttachmentFilePath(elsewhere.u16string(), Data()), elsewhere);
    EXPECT_EQ(OpenAttachmentFailedText(u"a.png"), U("ファイルを開けません。\r\na.png"));
}

}  // namespace
}  // namespace tavrin
