#include "ui/background_picture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "support/test_support.h"

namespace tavrin {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

class BackgroundTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name :
             {"1.png", "12.jpg", "12.txt", "012.png", "notes.txt", "3.tar.png", "4.JPEG"}) {
            std::ofstream(folder_.path() / name) << "x";
        }
        fs::create_directories(folder_.path() / "5.png");  // a folder is never a picture
    }
    std::optional<fs::path> Choose(int mode, int month, const RandomPick& pick = {}) {
        return ChooseBackgroundFile(*fs_, folder_.path().u16string(), mode, month, pick);
    }

    TempFolder folder_;
    std::unique_ptr<FileSystem> fs_ = CreateSystemFileSystem();
};

TEST_F(BackgroundTest, TheMonthsPictureIsNamedByTheMonthNumber) {
    EXPECT_EQ(Choose(0, 12), folder_.path() / "12.jpg");
    EXPECT_EQ(Choose(0, 1), folder_.path() / "1.png");
    EXPECT_EQ(Choose(0, 4), folder_.path() / "4.JPEG") << "the extension's letter case does not matter";
    EXPECT_EQ(Choose(0, 3), std::nullopt) << "3.tar.png is not named 3";
    EXPECT_EQ(Choose(0, 5), std::nullopt) << "5.png is a folder";
}

TEST_F(BackgroundTest, ARandomPictureIsAlwaysAPicture) {
    std::set<fs::path> chosen;
    std::size_t offered = 0;
    for (std::size_t index = 0; index < 10; ++index) {
        const auto file = Choose(1, 1, [&](std::size_t count) {
            offered = count;
            return index % count;
        });
        ASSERT_TRUE(file);
        chosen.insert(*file);
    }
    EXPECT_EQ(offered, 5u) << "1.png, 12.jpg, 012.png, 3.tar.png and 4.JPEG";
    EXPECT_EQ(chosen.size(), 5u);
    EXPECT_EQ(chosen.count(folder_.path() / "notes.txt"), 0u);

    TempFolder textOnly;
    std::ofstream(textOnly.path() / "a.txt") << "x";
    EXPECT_EQ(ChooseBackgroundFile(*fs_, textOnly.path().u16string(), 1, 1, [](std::size_t) { return 0u; }),
              std::nullopt);
    TempFolder empty;
    EXPECT_EQ(ChooseBackgroundFile(*fs_, empty.path().u16string(), 0, 1, {}), std::nullopt);
}

TEST_F(BackgroundTest, APathThatIsNoFolderIsTheFileItself) {
    const fs::path file = folder_.path() / "12.jpg";
    EXPECT_EQ(ChooseBackgroundFile(*fs_, file.u16string(), 0, 3, {}), file);
    const fs::path missing = folder_.path() / "gone.png";
    EXPECT_EQ(ChooseBackgroundFile(*fs_, missing.u16string(), 1, 3, {}), missing) << "loading it fails later";
    EXPECT_EQ(ChooseBackgroundFile(*fs_, u"", 1, 3, {}), std::nullopt);

    EXPECT_EQ(WithoutTrailingBackslashes(u"C:\\pics\\\\\\"), u"C:\\pics");
    EXPECT_EQ(WithoutTrailingBackslashes(u"C:\\pics"), u"C:\\pics");
    EXPECT_EQ(WithoutTrailingBackslashes(u"E:\\\\"), u"E:\\") << "a drive's root stays its root";
    EXPECT_EQ(WithoutTrailingBackslashes(u"\\\\"), u"");
}

TEST(BackgroundPlacement, PositionsArePercentsOfTheRoomLeft) {
    // A 1000 x 700 client and a 301 x 200 picture: 699 x 500 pixels of room.
    EXPECT_EQ(BackgroundOrigin(1000, 700, 301, 200, 0, 100), (PicturePoint{0, 500})) << "bottom left";
    EXPECT_EQ(BackgroundOrigin(1000, 700, 301, 200, 100, 0), (PicturePoint{699, 0})) << "top right";
    EXPECT_EQ(BackgroundOrigin(1000, 700, 301, 200, 50, 50), (PicturePoint{349, 250})) << "349.5 truncated";
    EXPECT_EQ(BackgroundOrigin(1000, 700, 1301, 900, 50, 50), (PicturePoint{-150, -100}))
        << "a larger picture hangs over both edges, truncated toward zero";
    EXPECT_EQ(BackgroundOrigin(1000, 700, 1301, 900, 100, 100), (PicturePoint{-301, -200}));

    const PicturePoint origin{349, 250};
    EXPECT_EQ(OriginInPane(origin, {300, 84, 600, 500}), (PicturePoint{49, 166}));
    // The list's box at (10, 400), 250 wide; its bar is the rightmost 16 pixels, from x = 244.
    EXPECT_EQ(OriginInSearchScrollBar(origin, {10, 400, 250, 200}, 16), (PicturePoint{105, -150}));
}

}  // namespace
}  // namespace tavrin
