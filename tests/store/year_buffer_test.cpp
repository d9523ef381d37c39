#include "store/year_buffer.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/utf16_file.h"
#include "store_test_support.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::LockingFileSystem;
using testing::TempFolder;
using testing::U;
using testing::Utf16FileBytes;
using testing::WriteBytes;

std::vector<std::byte> Bytes(std::initializer_list<int> values) {
    std::vector<std::byte> bytes;
    for (const int v : values) {
        bytes.push_back(static_cast<std::byte>(v));
    }
    return bytes;
}

std::vector<std::byte> WithoutMark(std::u16string_view text) {
    return EncodeUtf16Le(text);
}

class YearBufferTest : public ::testing::Test {
  protected:
    std::filesystem::path Month(int month) const { return MonthFilePath(folder_.path(), 2024, month); }

    TempFolder folder_;
    std::unique_ptr<FileSystem> system_ = CreateSystemFileSystem();
    LockingFileSystem fs_{*system_};
    YearBuffer buffer_;
};

// Every oddity a hand-edited or damaged month file may have; all of them load, and every entry's text
// is reachable through the day table.
TEST_F(YearBufferTest, LoadsOddMonthFilesAndKeepsEveryEntryReachable) {
    WriteBytes(Month(1), Utf16FileBytes(U("2024/01/02\r\n\t正月\r\n")));
    WriteBytes(Month(2), WithoutMark(u"2024/02/03\r\n\tno mark"));
    std::vector<std::byte> odd = Utf16FileBytes(u"2024/03/04\r\n\todd");
    odd.push_back(std::byte{0x41});
    WriteBytes(Month(3), odd);
    WriteBytes(Month(4), Utf16FileBytes(std::u16string(u"2024/04/05\r\n\tbefore\0after\r\n", 27)));
    WriteBytes(Month(5), Utf16FileBytes(u"2024/05/06\n\tlf one\n\tlf two\n\n2024/05/07\r\tcr"));
    WriteBytes(Month(6), Utf16FileBytes(std::u16string{u'2', u'0', u'2', u'4', u'/', u'6', u'/', u'8', u'\r',
                                                       u'\n', u'\xD800', u'x', u'\xDC00'}));
    std::filesystem::create_directory(Month(7));
    WriteBytes(Month(8), Bytes({0xFF, 0xFE}));
    WriteBytes(Month(9), {});
    WriteBytes(Month(10), Bytes({0x41}));

    LoadYear(buffer_, fs_, folder_.path(), 2024);
    EXPECT_EQ(buffer_.Year(), 2024);
    EXPECT_EQ(buffer_.Body(1, 2), U("\t正月"));
    EXPECT_EQ(buffer_.Body(2, 3), u"\tno mark");
    EXPECT_EQ(buffer_.Body(3, 4), u"\todd");
    EXPECT_EQ(buffer_.Body(4, 5), std::u16string_view(u"\tbefore\0after", 13)) << "text after a NUL stays";
    EXPECT_EQ(buffer_.Body(5, 6), u"\tlf one\r\n\tlf two") << "lone breaks become CR LF in memory";
    EXPECT_EQ(buffer_.Body(5, 7), u"\tcr");
    EXPECT_EQ(buffer_.Body(6, 8), (std::u16string{u'\xD800', u'x', u'\xDC00'}));
    EXPECT_EQ(buffer_.State(7), MonthState::kAbsent) << "a folder named like a month file";
    EXPECT_EQ(buffer_.State(8), MonthState::kLoaded);
    EXPECT_EQ(buffer_.MonthLength(8), 0);
    EXPECT_EQ(buffer_.MonthLength(10), 0) << "a single byte is no character";
    EXPECT_EQ(buffer_.State(11), MonthState::kAbsent);
    EXPECT_EQ(buffer_.MonthLength(1), 17);
    for (int month = 1; month <= 12; ++month) {
        for (const DayEntry& entry : buffer_.Days(month)) {
            EXPECT_LE(entry.body + entry.length,
                      buffer_.MonthLength(month) < 0 ? 0 : buffer_.MonthLength(month));
            EXPECT_EQ(entry.mark, entry.length);
        }
    }
}

TEST_F(YearBufferTest, UnreadableMonthIsMarkedAndCanBeReadAgain) {
    WriteBytes(Month(3), Utf16FileBytes(u"2024/03/10\r\n\tten"));
    fs_.Lock(Month(3));
    LoadYear(buffer_, fs_, folder_.path(), 2024);
    EXPECT_EQ(buffer_.State(3), MonthState::kUnreadable);
    EXPECT_EQ(buffer_.MonthLength(3), -1);
    EXPECT_FALSE(buffer_.HasEntry(3, 10));

    fs_.Unlock(Month(3));
    EXPECT_EQ(ReloadMonth(buffer_, fs_, folder_.path(), 3), MonthState::kLoaded);
    EXPECT_EQ(buffer_.Body(3, 10), u"\tten");

    ClearYear(buffer_);
    EXPECT_EQ(buffer_.State(3), MonthState::kAbsent);
    EXPECT_FALSE(buffer_.HasEntry(3, 10));
}

TEST_F(YearBufferTest, HugeFilesAndLinesLoad) {
    // About 50 MB: 25 million characters in one entry, plus a single line of a million characters.
    std::u16string huge = u"2024/03/01\r\n\t";
    huge.append(25'000'000, u'x');
    huge.append(u"\r\n\r\n2024/03/02\r\n\t");
    huge.append(1'000'000, u'y');
    // Written straight from memory (the test machines are little-endian) to keep the test quick under
    // the sanitizers.
    std::ofstream out(Month(3), std::ios::binary);
    out.write("\xFF\xFE", 2);
    out.write(reinterpret_cast<const char*>(huge.data()), static_cast<std::streamsize>(huge.size() * 2));
    out.close();
    LoadYear(buffer_, fs_, folder_.path(), 2024);
    EXPECT_EQ(buffer_.Day(3, 1).length, 25'000'001);
    EXPECT_EQ(buffer_.Day(3, 2).length, 1'000'001);
    EXPECT_EQ(buffer_.Body(3, 2).back(), u'y');
}

TEST_F(YearBufferTest, MarksFollowParses) {
    WriteBytes(Month(12), Utf16FileBytes(u"2024/12/24\r\n\teve"));
    LoadYear(buffer_, fs_, folder_.path(), 2024);
    buffer_.SetMark(12, 24, 0);
    buffer_.SetMark(12, 25, 9);
    EXPECT_EQ(buffer_.Day(12, 24).mark, 0);
    EXPECT_EQ(buffer_.Day(12, 25).mark, 9);
    ParseYear(buffer_);
    EXPECT_EQ(buffer_.Day(12, 24).mark, 4);
    EXPECT_EQ(buffer_.Day(12, 25).mark, 0);
    EXPECT_FALSE(buffer_.HasEntry(12, 32)) << "days outside the month read as empty";
}

}  // namespace
}  // namespace tavrin
