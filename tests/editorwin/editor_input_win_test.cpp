// Keyboard, characters, mouse, wheel and IME messages as the editor window receives them.
#include <windows.h>

#include <imm.h>

#include <algorithm>
#include <vector>

#include "editor_fixture_win.h"
#include "ui/scrollbar/scroll_bar_messages.h"

namespace tavrin::testing {
namespace {

using CodeList = std::vector<WORD>;

bool Contains(const CodeList& codes, WORD code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

TEST_F(EditorTest, KeysMoveSelectAndEdit) {
    Load(u"abc\ndef");
    Key(VK_END);
    EXPECT_EQ(Selection(), std::make_pair(3, 3));
    {
        HeldKeys shift({VK_SHIFT});
        Key(VK_LEFT);
        Key(VK_LEFT);
    }
    EXPECT_EQ(Selection(), std::make_pair(1, 3));
    EXPECT_EQ(Core().Anchor(), 3) << "Shift keeps the anchor";
    Key(VK_DOWN);
    EXPECT_EQ(Core().RowOfOffset(Core().Caret()), 1);
    Key(VK_DOWN);
    EXPECT_EQ(Selection(), std::make_pair(7, 7)) << "Down on the last row goes to the end";
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(Selection(), std::make_pair(0, 0)) << "Up on the first row goes to the start";
    Key(VK_DELETE);
    EXPECT_EQ(Text(), u"bc\ndef");
    {
        HeldKeys ctrl({VK_CONTROL});
        Key(VK_END);
    }
    Key(VK_BACK);
    EXPECT_EQ(Text(), u"bc\nde");
    {
        HeldKeys ctrl({VK_CONTROL});
        Key('Z');
        Key('Z');
    }
    EXPECT_EQ(Text(), u"abc\ndef");
    {
        HeldKeys ctrlShift({VK_CONTROL, VK_SHIFT});
        Key('Z');
    }
    EXPECT_EQ(Text(), u"bc\ndef") << "Ctrl+Shift+Z redoes";
    {
        HeldKeys ctrl({VK_CONTROL});
        Key('Y');
    }
    EXPECT_EQ(Text(), u"bc\nde");
    EXPECT_EQ(Send(WM_SYSKEYDOWN, VK_MENU, 0), 1) << "Alt alone is swallowed";
}

TEST_F(EditorTest, CharactersEnterTabAndIgnoredKeys) {
    Load(u"");
    Type(u"日本\r語\x1b\b");
    EXPECT_EQ(Text(), u"日本\n語") << "Enter is a line feed; Esc and Backspace characters are ignored";
    {
        HeldKeys ctrl({VK_CONTROL});
        Type(u"x");
    }
    EXPECT_EQ(Text(), u"日本\n語") << "nothing is typed while Ctrl is held";
    Send(MEP_SELECTALL);
    Type(u"\t");
    EXPECT_EQ(Text(), u"\t日本\n\t語") << "Tab over several rows indents the block";
    EXPECT_TRUE(Contains(Codes(), MEPN_SELCHANGE));
    {
        HeldKeys shift({VK_SHIFT});
        Type(u"\t");
    }
    EXPECT_EQ(Text(), u"日本\n語");
    Send(EM_SETSEL, 1, 1);
    Type(u"\t");
    EXPECT_EQ(Text(), u"日\t本\n語") << "within a row Tab is a character";
    const std::u16string pair = u"\U0001F600";
    Type(pair);
    EXPECT_EQ(Text(), u"日\t" + pair + u"本\n語");
}

TEST_F(EditorTest, DraggingSelectsWithTheMouseCaptured) {
    Load(u"hello world");
    const int y = 12;
    const int start = Core().OffsetToPoint(0).x;
    const int end = Core().OffsetToPoint(5).x;
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start + 1, y));
    EXPECT_EQ(GetCapture(), editor_);
    Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(end, y));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(end, y));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Selection(), std::make_pair(0, 5));
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(start, y));
    EXPECT_EQ(Selection(), std::make_pair(0, 5)) << "moves without the button select nothing";

    Click(end, y, MK_SHIFT);
    Click(start + 1, y);
    Click(end, y, MK_SHIFT);
    EXPECT_EQ(Selection(), std::make_pair(0, 5)) << "Shift+click extends from the anchor";
}

TEST_F(EditorTest, DraggingPastTheBottomScrollsTheView) {
    std::u16string lines;
    for (int i = 0; i < 60; ++i) {
        lines += u"行\n";
    }
    Load(lines);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 12));
    Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(25, 450));
    EXPECT_GT(Core().ScrollOffset(), 0);
    const int afterOne = Core().Caret();
    Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(25, 451));
    EXPECT_GT(Core().Caret(), afterOne) << "every move reaches further down";
    Send(WM_LBUTTONUP, 0, MAKELPARAM(25, 451));
    EXPECT_EQ(Core().Anchor(), 0);
}

TEST_F(EditorTest, DoubleAndCtrlClicksSelectWordsOfOneCharacterClass) {
    Load(u"漢字かなカナ snake_case2 語");
    const int y = 12;
    const auto middleOf = [this](int offset) {
        int units = 1;
        return Core().OffsetToPoint(offset).x + Core().CharWidthAt(offset, false, units) / 2 - 1;
    };
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middleOf(0), y));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(middleOf(0), y));
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(middleOf(0), y));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(middleOf(0), y));
    EXPECT_EQ(Selection(), std::make_pair(0, 2)) << "the ideographs only";
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(middleOf(2), y));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(middleOf(2), y));
    EXPECT_EQ(Selection(), std::make_pair(2, 4)) << "the hiragana only";
    Click(middleOf(10), y, MK_CONTROL);
    EXPECT_EQ(Selection(), std::make_pair(7, 18)) << "letters, digits and _ are one word";
}

TEST_F(EditorTest, LinksShowTheHandAndOpenOnAClickThatDoesNotMove) {
    Load(u"地図 https://example.jp/map です\n[[photo.png]]");
    const int y = 12;
    const int onLink = Core().OffsetToPoint(10).x;
    const auto cursorAt = [this](int x, int y) {
        Send(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(editor_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    EXPECT_EQ(cursorAt(onLink, y), LoadCursorW(nullptr, IDC_HAND));
    EXPECT_EQ(cursorAt(25, y), LoadCursorW(nullptr, IDC_IBEAM));
    EXPECT_EQ(cursorAt(60, 80), LoadCursorW(nullptr, IDC_ARROW)) << "over a picture";

    Click(onLink, y);
    EXPECT_EQ(Codes(), (CodeList{MEPN_SELCHANGE, MEPN_OPENLINK}));
    EXPECT_EQ(Selection(), std::make_pair(3, 25));
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onLink, y));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(onLink + 3, y));
    EXPECT_EQ(Codes(), CodeList{}) << "a drag from a link selects text instead";

    Send(MEP_SETDBLCLICKLINK, 1);
    Click(onLink, y);
    EXPECT_EQ(Codes(), CodeList{}) << "with double-click links a single click does not open";
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(onLink, y));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(onLink, y));
    EXPECT_EQ(Codes(), (CodeList{MEPN_SELCHANGE, MEPN_OPENLINK}));
    EXPECT_EQ(Send(MEP_GETLINKKIND), 1);
}

TEST_F(EditorTest, DoubleClickingAPictureAsksTheParentToOpenIt) {
    Load(u"写真\n[[photo.png]]");
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(80, 100));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(80, 100));
    EXPECT_EQ(Codes(), CodeList{MEPN_OPENOBJECT});
    POINT point{80, 100};
    char16_t name[256] = {};
    EXPECT_EQ(Send(MEP_GETOBJECTNAME, reinterpret_cast<WPARAM>(&point), reinterpret_cast<LPARAM>(name)), 9);
    EXPECT_EQ(std::u16string(name), u"photo.png");
}

TEST_F(EditorTest, TheWheelScrollsByLinesThroughTheScrollBar) {
    std::u16string lines;
    for (int i = 0; i < 100; ++i) {
        lines += u"行\n";
    }
    Load(lines);
    const int step = Core().Fonts().NormalLineHeight() + Core().Style().lineSpacing;
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(300, 300));
    host::PumpMessages();
    EXPECT_EQ(Core().ScrollOffset(), 6 * step) << "ScrollLines rows per notch";
    HWND bar = GetDlgItem(editor_, kEditorScrollBarId);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(SendMessageW(bar, SBP_GETPOS, 0, 0), 6 * step) << "the bar shows the new position";
    {
        HeldKeys alt({VK_MENU});
        Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(300, 300));
    }
    host::PumpMessages();
    EXPECT_EQ(Core().ScrollOffset(), 5 * step) << "one row with Alt";
    Send(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), MAKELPARAM(300, 300));
    host::PumpMessages();
    EXPECT_EQ(Core().ScrollOffset(), 5 * step) << "Ctrl turns belong to the frame";
}

TEST_F(EditorTest, DraggingTheScrollBarThumbScrollsTheEditor) {
    std::u16string lines;
    for (int i = 0; i < 200; ++i) {
        lines += u"行\n";
    }
    Load(lines);
    HWND bar = GetDlgItem(editor_, kEditorScrollBarId);
    ASSERT_NE(bar, nullptr);
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(8, 205));
    EXPECT_GT(Core().ScrollOffset(), 0);
    EXPECT_EQ(Core().ScrollOffset(), SendMessageW(bar, SBP_GETPOS, 0, 0));
    SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(8, 205));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(EditorTest, ReconversionAnswersTheCaretsLineWithTheWordSelected) {
    Load(u"一行目\n今日は晴れ");
    Send(EM_SETSEL, 5, 5);
    const LRESULT size = Send(WM_IME_REQUEST, IMR_RECONVERTSTRING, 0);
    EXPECT_EQ(size, 5 * 2 + 34);
    std::vector<BYTE> buffer(static_cast<std::size_t>(size), 0xCC);
    auto* answer = reinterpret_cast<RECONVERTSTRING*>(buffer.data());
    answer->dwSize = static_cast<DWORD>(size);
    EXPECT_EQ(Send(WM_IME_REQUEST, IMR_RECONVERTSTRING, reinterpret_cast<LPARAM>(answer)), size);
    EXPECT_EQ(answer->dwStrLen, 5u);
    EXPECT_EQ(answer->dwStrOffset, 32u);
    EXPECT_EQ(answer->dwCompStrOffset, 0u) << "the ideographs 今日 at the line's start";
    EXPECT_EQ(answer->dwCompStrLen, 2u);
    EXPECT_EQ(answer->dwTargetStrOffset, 0u);
    EXPECT_EQ(answer->dwTargetStrLen, 2u);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(buffer.data() + 32)), u"今日は晴れ");
    EXPECT_EQ(Selection(), std::make_pair(4, 6));
    EXPECT_EQ(Core().Caret(), 4) << "the caret is the selection's start";

    answer->dwSize = 20;
    EXPECT_EQ(Send(WM_IME_REQUEST, IMR_RECONVERTSTRING, reinterpret_cast<LPARAM>(answer)), 0)
        << "a buffer that is too small is refused";

    Load(u"a\n\nb");
    Send(EM_SETSEL, 2, 2);
    EXPECT_EQ(Send(WM_IME_REQUEST, IMR_RECONVERTSTRING, 0), 0) << "an empty line has nothing to reconvert";
}

TEST_F(EditorTest, TheImeOpenStatusIsSetAndReported) {
    const HIMC context = ImmGetContext(editor_);
    if (context == nullptr) {
        GTEST_SKIP() << "this system gives the window no input context";
    }
    EXPECT_EQ(Send(MEP_SETIMEOPEN, 1), 1);
    EXPECT_NE(ImmGetOpenStatus(context), FALSE);
    static_cast<void>(Codes());
    Send(WM_IME_NOTIFY, IMN_SETOPENSTATUS, 0);
    EXPECT_EQ(Codes(), CodeList{MEPN_IMEON});
    EXPECT_EQ(Send(MEP_SETIMEOPEN, 0), 1);
    EXPECT_EQ(ImmGetOpenStatus(context), FALSE);
    static_cast<void>(Codes());
    Send(WM_IME_NOTIFY, IMN_SETOPENSTATUS, 0);
    EXPECT_EQ(Codes(), CodeList{MEPN_IMEOFF});
    ImmReleaseContext(editor_, context);
}

TEST_F(EditorTest, AnImeResultStringIsInsertedAsOneStep) {
    Load(u"[]");
    Send(EM_SETSEL, 1, 1);
    const HIMC context = ImmGetContext(editor_);
    if (context == nullptr) {
        GTEST_SKIP() << "this system gives the window no input context";
    }
    ImmSetOpenStatus(context, TRUE);
    const std::u16string word = u"日本語";
    const BOOL set = ImmSetCompositionStringW(context, SCS_SETSTR, const_cast<char16_t*>(word.data()),
                                              static_cast<DWORD>(word.size() * 2), nullptr, 0);
    const BOOL completed = set && ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    host::PumpMessages();
    ImmReleaseContext(editor_, context);
    if (!completed || Text() == u"[]") {
        GTEST_SKIP() << "the system's IME does not take a composition string from a program";
    }
    EXPECT_EQ(Text(), u"[日本語]");
    Send(EM_UNDO);
    EXPECT_EQ(Text(), u"[]");
}

}  // namespace
}  // namespace tavrin::testing
