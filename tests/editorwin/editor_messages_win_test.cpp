// The editor's message contracts: results, notifications posted to the parent, read-only refusals,
// a window without state, and bad input.
#include <windows.h>

#include <imm.h>

#include <algorithm>
#include <cstdint>

#include "editor/editor_port_win.h"
#include "editor/markup_edit_pane_win.h"
#include "editor_fixture_win.h"

namespace tavrin::testing {
namespace {

using CodeList = std::vector<WORD>;

constexpr WORD kChange = 768;

LPARAM Str(const wchar_t* text) {
    return reinterpret_cast<LPARAM>(text);
}

TEST_F(EditorTest, TextGoesInAndComesOutWholeWithItsLength) {
    const std::u16string entry = u"あいう\nえお";
    EXPECT_EQ(Send(MEP_SETTEXT, reinterpret_cast<WPARAM>(entry.data()), 6), 1);
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 6);
    wchar_t buffer[16] = {};
    EXPECT_EQ(Send(WM_GETTEXT, 4, Str(buffer)), 3) << "at most capacity - 1 characters";
    EXPECT_STREQ(buffer, L"あいう");
    EXPECT_EQ(Send(WM_GETTEXT, 16, Str(buffer)), 6);
    EXPECT_STREQ(buffer, L"あいう\nえお");
    EXPECT_EQ(Send(EM_GETMODIFY), 0);
    EXPECT_EQ(Send(EM_GETLINECOUNT), 2);
    EXPECT_EQ(Send(MEP_ISREADY), 1);

    EXPECT_EQ(Send(WM_SETTEXT, 0, Str(L"abc")), 1);
    EXPECT_EQ(Text(), u"abc");
    EXPECT_EQ(Send(WM_SETTEXT, 0, 0), 1) << "no string is an empty entry";
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 0);
    EXPECT_EQ(Send(WM_GETTEXT, 16, Str(buffer)), 0);
    EXPECT_EQ(Send(EM_GETLINECOUNT), 0) << "an empty document has no rows";
    EXPECT_EQ(Send(EM_CANUNDO), 0);
}

TEST_F(EditorTest, TheStorePortKeepsNulCharactersOfAnEntry) {
    EditorPaneAdapter port(editor_);
    const std::u16string withNul(u"前\0後", 3);
    port.SetText(withNul);
    ASSERT_TRUE(port.Text().has_value());
    EXPECT_EQ(*port.Text(), withNul);
    EXPECT_EQ(port.TextLength(), 3u);
    EXPECT_FALSE(port.IsModified());
    Send(EM_SETSEL, 3, 3);
    Type(u"!");
    EXPECT_TRUE(port.IsModified());
    port.SetReadOnly(true);
    EXPECT_EQ(Send(MEP_GETREADONLY), 1);
    port.SetReadOnly(false);
    port.Focus();
    EXPECT_EQ(GetFocus(), editor_);
}

TEST_F(EditorTest, RefusedTextsLeaveTheEntryAlone) {
    Load(u"残す");
    EXPECT_EQ(Send(MEP_SETTEXT, reinterpret_cast<WPARAM>(u"x"), -1), 0) << "negative length";
    EXPECT_EQ(Send(MEP_SETTEXT, 0, 5), 0) << "no text but a length";
    EXPECT_EQ(Text(), u"残す");
    EXPECT_EQ(Send(MEP_SETTEXT, 0, 0), 1);
    EXPECT_EQ(Text(), u"");
}

TEST_F(EditorTest, SelectionsAreClampedAndReported) {
    Load(u"0123456789");
    Send(EM_SETSEL, 5, 2);
    DWORD start = 0;
    DWORD end = 0;
    EXPECT_EQ(Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end)),
              (5 << 16) | 2);
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 5u);
    EXPECT_EQ(Core().Caret(), 2) << "the caret is the moving end";
    Send(EM_SETSEL, 0, -1);
    EXPECT_EQ(Selection(), std::make_pair(0, 0)) << "(0, -1) selects nothing";
    Send(EM_SETSEL, static_cast<WPARAM>(-5), 100);
    EXPECT_EQ(Selection(), std::make_pair(0, 10));
    Send(EM_SETSEL, 3, 3);
    EXPECT_EQ(Send(MEP_SELECTALL), 1);
    EXPECT_EQ(Selection(), std::make_pair(0, 10));

    char16_t buffer[16] = {};
    EXPECT_EQ(Send(MEP_GETSELTEXT, reinterpret_cast<WPARAM>(buffer), 3), 3);
    EXPECT_EQ(std::u16string(buffer), u"012");
    EXPECT_EQ(Send(MEP_GETSELTEXT, 0, 3), 10) << "without a buffer: the selection's length";
    Send(EM_SETSEL, 4, 4);
    buffer[0] = u'x';
    EXPECT_EQ(Send(MEP_GETSELTEXT, reinterpret_cast<WPARAM>(buffer), 15), 0);
    EXPECT_EQ(buffer[0], u'\0');

    Load(u"hello world");
    Send(EM_SETSEL, 2, 2);
    EXPECT_EQ(Send(MEP_GETSELWORD, reinterpret_cast<WPARAM>(buffer), 15), 5);
    EXPECT_EQ(std::u16string(buffer), u"hello");
    Send(EM_SETSEL, 8, 8);
    int length = 0;
    int from = 0;
    const auto* pointer = reinterpret_cast<const char16_t*>(
        Send(MEP_GETSELPTR, reinterpret_cast<WPARAM>(&length), reinterpret_cast<LPARAM>(&from)));
    EXPECT_EQ(from, 6);
    EXPECT_EQ(length, 5);
    EXPECT_EQ(std::u16string_view(pointer, 5), u"world");
}

TEST_F(EditorTest, UndoRedoAndTheModifiedFlagFollowTheHistory) {
    Load(u"abc");
    Send(EM_SETSEL, 0, 3);
    Type(u"xy");
    EXPECT_EQ(Text(), u"xy");
    EXPECT_EQ(Send(EM_GETMODIFY), 1);
    EXPECT_EQ(Send(EM_UNDO), 1);
    EXPECT_EQ(Text(), u"x");
    EXPECT_EQ(Send(WM_UNDO), 1);
    EXPECT_EQ(Text(), u"abc") << "the deletion of the selection undoes with the first character";
    EXPECT_EQ(Send(EM_GETMODIFY), 0);
    EXPECT_EQ(Send(EM_CANUNDO), 0);
    EXPECT_EQ(Send(kEditCanRedo), 1);
    EXPECT_EQ(Send(kEditRedo), 1);
    EXPECT_EQ(Text(), u"x");
    EXPECT_EQ(Send(EM_GETMODIFY), 1);
    Type(u"z");
    EXPECT_EQ(Send(kEditCanRedo), 0) << "a new edit drops the redo tail";
    EXPECT_EQ(Send(EM_SETMODIFY, 0), 0);
    EXPECT_EQ(Send(EM_GETMODIFY), 0);
}

TEST_F(EditorTest, NotificationsArePostedWithTheCodeIdentifierAndWindow) {
    Load(u"abc");
    Send(EM_SETSEL, 3, 3);
    Type(u"d");
    EXPECT_TRUE(host_->TakeNotifications().empty()) << "posted, so nothing has arrived yet";
    host::PumpMessages();
    const auto arrived = host_->TakeNotifications();
    ASSERT_EQ(arrived.size(), 1u);
    EXPECT_EQ(arrived[0].code, kChange);
    EXPECT_EQ(arrived[0].id, kEditorControlId);
    EXPECT_EQ(arrived[0].from, editor_);

    EXPECT_EQ(Send(MEP_TOGGLEHEADING, 0), 1);
    EXPECT_EQ(Text(), u"*abcd");
    const CodeList toggled = Codes();
    EXPECT_NE(std::find(toggled.begin(), toggled.end(), MEPN_SELCHANGE), toggled.end());
    EXPECT_EQ(Send(MEP_TOGGLEHEADING, 2), 1);
    EXPECT_EQ(Codes(), CodeList{MEPN_SELCHANGE}) << "modes 1-3 only notify";

    SetFocus(host_->Frame());
    SetFocus(editor_);
    EXPECT_EQ(Codes(), (CodeList{EN_KILLFOCUS, EN_SETFOCUS}));

    Key(VK_APPS);
    EXPECT_EQ(Codes(), CodeList{MEPN_CONTEXTMENUKEY});
    Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(editor_), MAKELPARAM(30, 30));
    EXPECT_EQ(Codes(), CodeList{MEPN_CONTEXTMENU});
}

TEST_F(EditorTest, ReplaceSelNormalisesLineBreaksInOneUndoStep) {
    Load(u"[]");
    Send(EM_SETSEL, 1, 1);
    EXPECT_EQ(Send(EM_REPLACESEL, 1, Str(L"a\r\nb\rc\nd")), 1);
    EXPECT_EQ(Text(), u"[a\nb\nc\nd]");
    EXPECT_EQ(Selection(), std::make_pair(8, 8));
    Send(EM_UNDO);
    EXPECT_EQ(Text(), u"[]");
    EXPECT_EQ(Send(EM_REPLACESEL, 1, Str(L"")), 0);
    EXPECT_EQ(Send(EM_REPLACESEL, 1, 0), 0);
}

TEST_F(EditorTest, TabStopsScrollingAndRowOffsets) {
    EXPECT_EQ(Send(EM_SETTABSTOPS, 0, 0), 1);
    EXPECT_EQ(Core().Style().tabStop, 4);
    EXPECT_EQ(Send(EM_SETTABSTOPS, 1, 0), 0) << "below one character is refused";
    EXPECT_EQ(Send(EM_SETTABSTOPS, 1, 8), 1);
    EXPECT_EQ(Core().Style().tabStop, 8);

    std::u16string lines;
    for (int i = 0; i < 80; ++i) {
        lines += u"行\n";
    }
    Load(lines);
    const int step = Core().Fonts().NormalLineHeight() + Core().Style().lineSpacing;
    EXPECT_EQ(Send(EM_LINESCROLL, 3, 0), 1);
    EXPECT_EQ(Core().ScrollOffset(), 3 * step);
    EXPECT_EQ(Send(EM_SCROLL, SB_LINEDOWN), 0x10000);
    EXPECT_EQ(Core().ScrollOffset(), 4 * step);
    EXPECT_EQ(Send(EM_LINESCROLL, static_cast<WPARAM>(-100), 0), 1);
    EXPECT_EQ(Core().ScrollOffset(), 0);
    Send(EM_SETSEL, 120, 120);
    EXPECT_GT(Core().ScrollOffset(), 0) << "EM_SETSEL scrolls the caret into view";
    EXPECT_EQ(Send(EM_LINEINDEX, static_cast<WPARAM>(-1)), 120);
    EXPECT_EQ(Send(EM_LINEINDEX, 2), 4);
    EXPECT_EQ(Send(EM_LINEINDEX, 81), -1);
    EXPECT_EQ(Send(EM_LINEINDEX, 100000), -1);
    EXPECT_EQ(Send(EM_SCROLLCARET), 1);
}

TEST_F(EditorTest, ReferencesObjectsAndLinks) {
    EXPECT_EQ(Send(MEP_INSERTREF, reinterpret_cast<WPARAM>(L"pic.png")), 1);
    EXPECT_EQ(Text(), u"[[pic.png]]\n");
    EXPECT_EQ(Send(MEP_INSERTREF, reinterpret_cast<WPARAM>(L"")), 0);
    EXPECT_EQ(Send(MEP_INSERTREF, 0), 0);
    EXPECT_EQ(Send(MEP_CANADDPICTURE), 1);
    EXPECT_EQ(Send(MEP_GETOBJECTNAME, 0, 0), -1);
    POINT onPicture{60, 60};
    char16_t name[256] = {};
    EXPECT_EQ(Send(MEP_GETOBJECTNAME, reinterpret_cast<WPARAM>(&onPicture), reinterpret_cast<LPARAM>(name)),
              7);
    EXPECT_EQ(std::u16string(name), u"pic.png");
    POINT below{60, 390};
    EXPECT_EQ(Send(MEP_GETOBJECTNAME, reinterpret_cast<WPARAM>(&below), reinterpret_cast<LPARAM>(name)), 0);

    Load(u"see http://x.jp/a now 2024/05/01 #タグ");
    Send(EM_SETSEL, 8, 8);
    EXPECT_EQ(Send(MEP_GETLINKKIND), 1);
    EXPECT_EQ(Selection(), std::make_pair(4, 17)) << "the link at the caret is selected";
    Send(EM_SETSEL, 22, 32);
    EXPECT_EQ(Send(MEP_GETLINKKIND), 4);
    Send(EM_SETSEL, 33, 36);
    EXPECT_EQ(Send(MEP_GETLINKKIND), 5);
}

TEST_F(EditorTest, StyleFontAndLayoutSettings) {
    EXPECT_EQ(Send(MEP_SETSTYLE, 0), 0);
    EXPECT_EQ(Send(MEP_SETFONT, reinterpret_cast<WPARAM>(L"メイリオ"), 16), 1);
    EXPECT_EQ(Core().Style().fontSize, 16);
    EXPECT_EQ(Send(MEP_SETFONT, 0, 10), 1) << "no face keeps the face";
    EXPECT_EQ(Core().Style().face, u"メイリオ");
    EXPECT_EQ(Send(MEP_SETLINESPACING, static_cast<WPARAM>(-2)), 1);
    EXPECT_EQ(Core().Style().lineSpacing, -2);
    EXPECT_EQ(Send(MEP_SETWORDWRAP, 0), 1);
    EXPECT_EQ(Send(MEP_RESERVED), 1);
    EXPECT_EQ(Send(MEP_SETTITLELINE, 1, 1), 1);
    EXPECT_EQ(Send(MEP_SETDBLCLICKLINK, 1), 0);
    EXPECT_TRUE(Core().DoubleClickLink());
    EXPECT_EQ(Send(MEP_CREATEMEDIA), 1);
    EXPECT_EQ(Send(MEP_REDRAWSCROLLBAR), 1);
    POINT caret{-1, -1};
    const LRESULT height = Send(MEP_GETCARETPOS, reinterpret_cast<WPARAM>(&caret));
    EXPECT_GT(height, 0);
    EXPECT_EQ(caret.x, 20);
    EXPECT_EQ(caret.y, 10);
    EXPECT_EQ(Send(MEP_GETCARETPOS, 0), height);
}

TEST_F(EditorTest, ReadOnlyRefusesEveryChangeButCopyAndSelectionWork) {
    Load(u"読むだけ\n二行目");
    ASSERT_EQ(Send(EM_SETREADONLY, 1), 1);
    EXPECT_EQ(Send(MEP_GETREADONLY), 1);
    EXPECT_NE(GetWindowLongPtrW(editor_, GWL_STYLE) & ES_READONLY, 0);
    const HIMC context = ImmGetContext(editor_);
    EXPECT_EQ(context, nullptr) << "the input context is detached";
    if (context != nullptr) {
        ImmReleaseContext(editor_, context);
    }
    Send(EM_SETSEL, 0, 2);
    Type(u"x");
    EXPECT_EQ(Send(WM_CUT), 0);
    EXPECT_EQ(Send(WM_PASTE), 0);
    EXPECT_EQ(Send(WM_CLEAR), 0);
    EXPECT_EQ(Send(EM_REPLACESEL, 1, Str(L"y")), 0);
    EXPECT_EQ(Send(EM_UNDO), 0);
    EXPECT_EQ(Send(WM_UNDO), 0);
    EXPECT_EQ(Send(kEditRedo), 0);
    EXPECT_EQ(Send(MEP_TOGGLEHEADING, 0), 0);
    EXPECT_EQ(Send(MEP_INSERTREF, reinterpret_cast<WPARAM>(L"a.png")), 0);
    Key(VK_BACK);
    Key(VK_DELETE);
    EXPECT_EQ(Text(), u"読むだけ\n二行目");
    EXPECT_EQ(Codes(), CodeList{}) << "nothing changed, nothing to tell";

    EXPECT_EQ(Send(WM_COPY), 1);
    EXPECT_EQ(ClipboardText(editor_), std::optional<std::u16string>(u"読む"));
    Key(VK_END);
    EXPECT_EQ(Selection(), std::make_pair(4, 4));

    ASSERT_EQ(Send(EM_SETREADONLY, 0), 1);
    EXPECT_EQ(GetWindowLongPtrW(editor_, GWL_STYLE) & ES_READONLY, 0);
    Type(u"!");
    EXPECT_EQ(Text(), u"読むだけ!\n二行目");
}

TEST_F(EditorTest, AnEditorCreatedReadOnlyStartsReadOnly) {
    HWND locked = CreateMarkupEditPane(host_->Frame(), 201, true, RECT{0, 0, 200, 100});
    ASSERT_NE(locked, nullptr);
    EXPECT_EQ(SendMessageW(locked, MEP_GETREADONLY, 0, 0), 1);
    SendMessageW(locked, WM_CHAR, u'x', 1);
    EXPECT_EQ(SendMessageW(locked, WM_GETTEXTLENGTH, 0, 0), 0);
    DestroyWindow(locked);
}

TEST_F(EditorTest, EveryMessageHasAnAnswerWithoutState) {
    const LONG_PTR state = GetWindowLongPtrW(editor_, GWLP_USERDATA);
    SetWindowLongPtrW(editor_, GWLP_USERDATA, 0);
    EditState* stored = reinterpret_cast<EditState*>(1);
    EXPECT_EQ(Send(MEP_GETSTATE, 0, reinterpret_cast<LPARAM>(&stored)), 0);
    EXPECT_EQ(stored, nullptr);
    char16_t buffer[8] = {u'x'};
    EXPECT_EQ(Send(MEP_GETSELTEXT, reinterpret_cast<WPARAM>(buffer), 7), -1);
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_EQ(Send(MEP_GETSELWORD, 0, 7), -1);
    POINT point{0, 0};
    EXPECT_EQ(Send(MEP_GETCARETPOS, reinterpret_cast<WPARAM>(&point)), -1);
    EXPECT_EQ(Send(MEP_GETOBJECTNAME, reinterpret_cast<WPARAM>(&point), reinterpret_cast<LPARAM>(buffer)),
              -1);
    for (UINT message = MEP_ISREADY; message <= MEP_GETOBJECTNAME; ++message) {
        if (message != MEP_GETSELTEXT && message != MEP_GETSELWORD && message != MEP_GETCARETPOS &&
            message != MEP_GETOBJECTNAME) {
            EXPECT_EQ(Send(message, 0, 0), 0) << "message " << message;
        }
    }
    wchar_t text[8] = {L'x'};
    EXPECT_EQ(Send(WM_GETTEXT, 8, Str(text)), 0);
    EXPECT_EQ(text[0], L'\0');
    for (const UINT message :
         {UINT{WM_SETTEXT},   UINT{WM_GETTEXTLENGTH}, UINT{EM_GETSEL},      UINT{EM_SETSEL},
          UINT{EM_SCROLL},    UINT{EM_LINESCROLL},    UINT{EM_SCROLLCARET}, UINT{EM_GETMODIFY},
          UINT{EM_SETMODIFY}, UINT{EM_GETLINECOUNT},  UINT{EM_LINEINDEX},   UINT{EM_REPLACESEL},
          UINT{EM_CANUNDO},   UINT{EM_UNDO},          UINT{WM_UNDO},        UINT{kEditRedo},
          UINT{kEditCanRedo}, UINT{EM_SETTABSTOPS},   UINT{EM_SETREADONLY}, UINT{WM_CUT},
          UINT{WM_COPY},      UINT{WM_PASTE},         UINT{WM_CLEAR},       UINT{WM_CHAR},
          UINT{WM_KEYDOWN},   UINT{WM_LBUTTONDOWN},   UINT{WM_LBUTTONUP},   UINT{WM_LBUTTONDBLCLK},
          UINT{WM_MOUSEMOVE}, UINT{WM_MOUSEWHEEL},    UINT{WM_VSCROLL},     UINT{WM_CONTEXTMENU},
          UINT{WM_IME_CHAR}}) {
        EXPECT_EQ(Send(message, 0, 0), 0) << "message " << message;
    }
    Paint();
    SetWindowLongPtrW(editor_, GWLP_USERDATA, state);
    EXPECT_EQ(Send(MEP_ISREADY), 1);
}

TEST_F(EditorTest, AFiftyMegabyteEntryLoadsWholeAndStaysEditable) {
    const std::u16string line = u"五十メガバイトの日記を読み込んでも落ちないことを確かめる行です。abcdefg\n";
    std::u16string huge;
    const std::size_t units = 50u * 1024 * 1024 / 2;
    huge.reserve(units + line.size());
    while (huge.size() < units) {
        huge += line;
    }
    ASSERT_EQ(Send(MEP_SETTEXT, reinterpret_cast<WPARAM>(huge.data()), static_cast<LPARAM>(huge.size())), 1);
    EXPECT_EQ(static_cast<std::size_t>(Send(WM_GETTEXTLENGTH)), huge.size());
    EXPECT_TRUE(Core().Text() == huge);
    {
        HeldKeys ctrl({VK_CONTROL});
        Key(VK_END);
    }
    EXPECT_EQ(Core().Caret(), static_cast<int>(huge.size()));
    EXPECT_GT(Core().ScrollOffset(), 1000000);
    Send(WM_CHAR, u'終', 1);
    EXPECT_EQ(static_cast<std::size_t>(Send(WM_GETTEXTLENGTH)), huge.size() + 1);
    Paint();
    Load(u"");
}

TEST_F(EditorTest, NullAndOutOfRangeArgumentsAreHarmless) {
    Load(u"abc");
    EXPECT_EQ(Send(EM_GETSEL, 0, 0), 0);
    EXPECT_GT(Send(MEP_GETCARETPOS, 0, 0), 0);
    EXPECT_NE(Send(MEP_GETSELPTR, 0, 0), 0);
    Send(EM_SETSEL, 0, 3);
    EXPECT_EQ(Send(MEP_GETSELTEXT, 0, -5), 3);
    char16_t buffer[4] = {u'x', u'x'};
    EXPECT_EQ(Send(MEP_GETSELTEXT, reinterpret_cast<WPARAM>(buffer), -5), 0);
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_EQ(Send(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 0);
    EXPECT_EQ(Send(WM_GETTEXT, 5, 0), 0);
    const HDC picture = CreateCompatibleDC(nullptr);
    EXPECT_EQ(Send(MEP_SETBACKIMAGE, reinterpret_cast<WPARAM>(picture), 0), 1) << "a picture without a size";
    Paint();
    EXPECT_EQ(Send(MEP_SETBACKIMAGE, 0, 0), 1);
    DeleteDC(picture);
    Send(EM_SETSEL, static_cast<WPARAM>(INT64_MAX), INT64_MIN);
    EXPECT_EQ(Selection(), std::make_pair(0, 3));
    EXPECT_EQ(Send(MEP_SETFONT, 0, 0), 1);
    EXPECT_EQ(Send(MEP_SETLINESPACING, static_cast<WPARAM>(INT64_MIN)), 1);
    EXPECT_EQ(Send(EM_LINESCROLL, static_cast<WPARAM>(INT64_MAX)), 1);
    Paint();
    EXPECT_EQ(Text(), u"abc");
}

}  // namespace
}  // namespace tavrin::testing
