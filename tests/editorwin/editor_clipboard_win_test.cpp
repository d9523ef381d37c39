// Copy, cut and paste through the real clipboard: Unicode text, the whole-row formats of other
// editors, dropped-file lists and data that other programs left in odd shapes.
#include <windows.h>

#include <shlobj.h>

#include <cstring>

#include "editor_fixture_win.h"

namespace tavrin::testing {
namespace {

UINT Registered(const wchar_t* name) {
    return RegisterClipboardFormatW(name);
}

TEST_F(EditorTest, ASelectionIsCopiedWithCrLfLineBreaksAndNoRowMarks) {
    Load(u"一行目\n二行目\n三");
    Send(EM_SETSEL, 2, 9);
    EXPECT_EQ(Send(WM_COPY), 1);
    EXPECT_EQ(ClipboardText(editor_), std::optional<std::u16string>(u"目\r\n二行目\r\n三"));
    EXPECT_FALSE(ClipboardHas(kLineSelectFormat));
    EXPECT_FALSE(ClipboardHas(kLineCutCopyFormat));

    Send(EM_SETSEL, 0, 0);
    EXPECT_EQ(Send(WM_PASTE), 1);
    EXPECT_EQ(Text(), u"目\n二行目\n三一行目\n二行目\n三") << "plain text goes in at the caret";
    EXPECT_EQ(Selection(), std::make_pair(7, 7));
}

TEST_F(EditorTest, WithoutASelectionTheCaretsDisplayRowIsCopiedAndPastedAboveTheCaretsRow) {
    // A paragraph long enough to wrap: only the display row under the caret is copied.
    std::u16string paragraph;
    for (int i = 0; i < 50; ++i) {
        paragraph += u"字";
    }
    Load(paragraph + u"\n最後の行");
    const RowRecord second = RowAt(static_cast<int>(paragraph.size()) - 1);
    ASSERT_GT(second.offset, 0) << "the paragraph wraps";
    Send(EM_SETSEL, second.offset + 1, second.offset + 1);
    EXPECT_EQ(Send(WM_COPY), 1);
    const std::u16string row = paragraph.substr(static_cast<std::size_t>(second.offset));
    EXPECT_EQ(ClipboardText(editor_), std::optional<std::u16string>(row + u"\r\n"));
    EXPECT_TRUE(ClipboardHas(kLineSelectFormat));
    EXPECT_TRUE(ClipboardHas(kLineCutCopyFormat));

    const int lastLine = static_cast<int>(paragraph.size()) + 1;
    Send(EM_SETSEL, lastLine + 2, lastLine + 2);
    EXPECT_EQ(Send(WM_PASTE), 1);
    EXPECT_EQ(Text(), paragraph + u"\n" + row + u"\n最後の行") << "a row of its own above the caret's row";
    const int moved = lastLine + 2 + static_cast<int>(row.size()) + 1;
    EXPECT_EQ(Selection(), std::make_pair(moved, moved)) << "the caret keeps its place in its own line";
    Send(EM_UNDO);
    EXPECT_EQ(Text(), paragraph + u"\n最後の行") << "one undo step";
}

TEST_F(EditorTest, ARowCopiedByAnotherEditorInALineFormatAlsoGoesAboveTheCaretsRow) {
    Load(u"上\n下の行");
    ASSERT_TRUE(PutClipboard(
        editor_, {{Registered(kLineCutCopyFormat), {0}}, {CF_UNICODETEXT, UnitsBytes(u"よその行\r\n")}}));
    Send(EM_SETSEL, 4, 4);
    EXPECT_EQ(Send(WM_PASTE), 1);
    EXPECT_EQ(Text(), u"上\nよその行\n下の行");
    EXPECT_EQ(Selection(), std::make_pair(9, 9));
}

TEST_F(EditorTest, PastedLineBreaksBecomeSingleLineFeeds) {
    Load(u"");
    ASSERT_TRUE(PutClipboard(editor_, {{CF_UNICODETEXT, UnitsBytes(u"a\r\nb\rc\nd\r\r\ne")}}));
    EXPECT_EQ(Send(WM_PASTE), 1);
    EXPECT_EQ(Text(), u"a\nb\nc\nd\n\ne");
}

TEST_F(EditorTest, CuttingARowRemovesItAndPutsItOnTheClipboardAsARow) {
    Load(u"一\n二\n三");
    Send(EM_SETSEL, 2, 2);
    EXPECT_EQ(Send(WM_CUT), 1);
    EXPECT_EQ(Text(), u"一\n三");
    EXPECT_EQ(ClipboardText(editor_), std::optional<std::u16string>(u"二\r\n"));
    EXPECT_TRUE(ClipboardHas(kLineSelectFormat));
    Send(EM_UNDO);
    EXPECT_EQ(Text(), u"一\n二\n三");

    Send(EM_SETSEL, 0, 2);
    EXPECT_EQ(Send(WM_CUT), 1);
    EXPECT_EQ(Text(), u"二\n三");
    EXPECT_EQ(ClipboardText(editor_), std::optional<std::u16string>(u"一\r\n"));
    EXPECT_FALSE(ClipboardHas(kLineSelectFormat));
}

TEST_F(EditorTest, CtrlKeysUseTheClipboardToo) {
    Load(u"abc def");
    Send(EM_SETSEL, 4, 7);
    {
        HeldKeys ctrl({VK_CONTROL});
        Key('C');
        Key(VK_END);
        Key('V');
    }
    EXPECT_EQ(Text(), u"abc defdef");
    {
        HeldKeys shift({VK_SHIFT});
        Key(VK_INSERT);
    }
    EXPECT_EQ(Text(), u"abc defdefdef");
    {
        HeldKeys ctrl({VK_CONTROL});
        Key('A');
        Key('X');
    }
    EXPECT_EQ(Text(), u"");
    EXPECT_EQ(ClipboardText(editor_), std::optional<std::u16string>(u"abc defdefdef"));
}

// Wine's clipboard writes a terminator over the last character of unterminated text; Windows hands
// the block over as it is. Either way the editor must not read past the block.
bool PastedPrefixOf(std::u16string_view pasted, std::u16string_view given) {
    return pasted == given || (pasted.size() + 1 == given.size() && given.substr(0, pasted.size()) == pasted);
}

TEST_F(EditorTest, ClipboardDataInOddShapesIsReadSafely) {
    Load(u"元");
    Send(EM_SETSEL, 1, 1);
    ASSERT_TRUE(PutClipboard(editor_, {{CF_UNICODETEXT, UnitsBytes(u"wxyz", false)}}));
    EXPECT_EQ(Send(WM_PASTE), 1);
    std::u16string before = u"元";
    EXPECT_TRUE(PastedPrefixOf(Text().substr(before.size()), u"wxyz"))
        << "text without a terminator ends with its block";

    // Seven bytes: three whole characters and half of one.
    before = Text();
    std::vector<BYTE> odd = UnitsBytes(u"abc", false);
    odd.push_back(0x41);
    ASSERT_TRUE(PutClipboard(editor_, {{CF_UNICODETEXT, odd}}));
    EXPECT_EQ(Send(WM_PASTE), 1);
    EXPECT_TRUE(PastedPrefixOf(Text().substr(before.size()), u"abc")) << "the half character is dropped";

    before = Text();
    ASSERT_TRUE(PutClipboard(editor_, {{CF_UNICODETEXT, UnitsBytes(u"")}}));
    EXPECT_EQ(Send(WM_PASTE), 1);
    EXPECT_EQ(Text(), before) << "empty text pastes nothing";

    ASSERT_TRUE(PutClipboard(editor_, {{CF_UNICODETEXT, UnitsBytes(std::u16string(u"前\0後!", 4), false)}}));
    EXPECT_EQ(Send(WM_PASTE), 1);
    EXPECT_EQ(Text(), before + u"前") << "text ends at its first NUL";

    ASSERT_TRUE(PutClipboard(editor_, {{Registered(L"TavrinTestOddFormat"), {1, 2, 3}}}));
    EXPECT_EQ(Send(WM_PASTE), 1);
    EXPECT_EQ(Text(), before + u"前");
    EXPECT_EQ(Codes().size(), 3u) << "one change per paste that inserted";
}

TEST_F(EditorTest, ADroppedFileListPastesOnePathPerLine) {
    Load(u"");
    constexpr char16_t kFiles[] = u"C:\\写真\\a.jpg\0D:\\b c.wav\0\0";
    const std::u16string files(kFiles, std::size(kFiles) - 1);
    std::vector<BYTE> drop(sizeof(DROPFILES) + files.size() * 2, 0);
    auto* header = reinterpret_cast<DROPFILES*>(drop.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(drop.data() + sizeof(DROPFILES), files.data(), files.size() * 2);
    ASSERT_TRUE(PutClipboard(editor_, {{CF_HDROP, drop}}));
    EXPECT_EQ(Send(WM_PASTE), 1);
    EXPECT_EQ(Text(), u"C:\\写真\\a.jpg\nD:\\b c.wav\n");
    Send(EM_UNDO);
    EXPECT_EQ(Text(), u"") << "the list is one undo step";
}

}  // namespace
}  // namespace tavrin::testing
