// Painting read back from the editor's off-screen surface after real WM_PAINT messages.
#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include <cstdlib>
#include <fstream>

#include "editor/markup_edit_pane_win.h"
#include "editor/picture_store_win.h"
#include "platform/wide_win.h"
#include "editor_fixture_win.h"
#include "ui/scrollbar/gdi_handles_win.h"
#include "ui/scrollbar/scroll_bar_messages.h"

namespace tavrin::testing {
namespace {

bool Near(ColorRef a, ColorRef b, int tolerance) {
    const auto channel = [](ColorRef colour, int shift) {
        return static_cast<int>((colour >> shift) & 0xFF);
    };
    for (const int shift : {0, 8, 16}) {
        if (std::abs(channel(a, shift) - channel(b, shift)) > tolerance) {
            return false;
        }
    }
    return true;
}

// The colour a Back pixel takes when blended toward Text at an opacity, by the surface's rule.
ColorRef Blended(ColorRef from, ColorRef toward, int opacity) {
    MemorySurface pixel(1, 1, from);
    BlendRect(pixel.View(), 0, 0, 1, 1, opacity, toward);
    return pixel.Colour(0, 0);
}

bool WriteSolidPng(const std::filesystem::path& file, int width, int height, Gdiplus::Color colour) {
    Gdiplus::Bitmap bitmap(width, height, PixelFormat24bppRGB);
    {
        Gdiplus::Graphics graphics(&bitmap);
        Gdiplus::SolidBrush brush(colour);
        graphics.FillRectangle(&brush, 0, 0, width, height);
    }
    CLSID png{};
    UINT count = 0;
    UINT bytes = 0;
    Gdiplus::GetImageEncodersSize(&count, &bytes);
    std::vector<BYTE> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, bytes, encoders);
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring_view(encoders[i].MimeType) == L"image/png") {
            png = encoders[i].Clsid;
        }
    }
    return bitmap.Save(file.wstring().c_str(), &png, nullptr) == Gdiplus::Ok;
}

class PaintTest : public EditorTest {
protected:
    // The pixels of rows [top, bottom) of the surface.
    std::vector<ColorRef> Band(int top, int bottom) const {
        std::vector<ColorRef> band;
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < 600; ++x) {
                band.push_back(Pixel(x, y));
            }
        }
        return band;
    }
    int LeftmostInk(int top, int bottom) const {
        for (int x = 0; x < 600; ++x) {
            for (int y = top; y < bottom; ++y) {
                if (!Near(Pixel(x, y), kTestBack, 40)) {
                    return x;
                }
            }
        }
        return -1;
    }
};

TEST_F(PaintTest, AHeadingMarkIsInvisibleAndTakesNoWidth) {
    Load(u"*見出しの行\n本文");
    Paint();
    const RowRecord heading = Core().Rows()[0];
    const std::vector<ColorRef> marked = Band(0, heading.top + heading.height);
    const int ink = LeftmostInk(heading.top, heading.top + heading.height);
    EXPECT_GE(ink, 20);
    EXPECT_LE(ink, 23) << "the heading text starts at the left margin";

    // The same heading made by the title line, without a mark, looks exactly the same.
    Send(MEP_SETTITLELINE, 1, 1);
    Load(u"見出しの行\n本文");
    Paint();
    EXPECT_TRUE(Band(0, heading.top + heading.height) == marked);
}

TEST_F(PaintTest, SelectedTextAtFullAlphaIsBackOnATextColouredBox) {
    const DisplayStyle style = TestStyle(256, 256, 256, true);
    Send(MEP_SETSTYLE, reinterpret_cast<WPARAM>(&style));
    Load(u"選択した文字です");
    Send(EM_SETSEL, 0, 4);
    Paint();
    const RowRecord row = Core().Rows()[0];
    const int selectionEnd = Core().OffsetToPoint(4).x;
    const int textEnd = Core().OffsetToPoint(8).x;
    const auto count = [&](int left, int right, ColorRef colour, int tolerance) {
        int found = 0;
        for (int y = row.top; y < row.top + row.height; ++y) {
            for (int x = left; x < right; ++x) {
                found += Near(Pixel(x, y), colour, tolerance) ? 1 : 0;
            }
        }
        return found;
    };
    const int selectedArea = (selectionEnd - 20) * row.height;
    EXPECT_GT(count(20, selectionEnd, kTestText, 2), selectedArea / 2) << "a Text-coloured box";
    EXPECT_GT(count(20, selectionEnd, kTestBack, 40), selectedArea / 20) << "with the glyphs in Back";
    const int plainArea = (textEnd - selectionEnd) * row.height;
    EXPECT_GT(count(selectionEnd, textEnd, kTestBack, 0), plainArea / 2) << "unselected text stays on Back";
    EXPECT_GT(count(selectionEnd, textEnd, kTestText, 40), plainArea / 50) << "in Text";
}

TEST_F(PaintTest, AControlCharacterIsDrawnAsItsBoxedName) {
    Load(u"a\u0007b");
    Paint();
    EditState& core = Core();
    const int left = core.OffsetToPoint(1).x;
    int units = 1;
    const int width = core.CharWidthAt(1, false, units);
    EXPECT_EQ(width, core.Fonts().TextWidth(FontTable::kNormal, u"BEL") + 8);
    const int top = core.RowTextY(0);
    const int height = core.Fonts().NormalLineHeight();
    for (int x = left + 1; x < left + width - 1; ++x) {
        EXPECT_EQ(Pixel(x, top), kTestText) << "top edge at x " << x;
        EXPECT_EQ(Pixel(x, top + height - 1), kTestText) << "bottom edge at x " << x;
    }
    for (int y = top; y < top + height; ++y) {
        EXPECT_EQ(Pixel(left + 1, y), kTestText) << "left edge at y " << y;
        EXPECT_EQ(Pixel(left + width - 2, y), kTestText) << "right edge at y " << y;
    }
    EXPECT_EQ(Pixel(left, top + 3), kTestBack) << "the box stands one pixel in";
    int ink = 0;
    for (int y = top + 2; y < top + height - 2; ++y) {
        for (int x = left + 3; x < left + width - 3; ++x) {
            ink += Near(Pixel(x, y), kTestBack, 40) ? 0 : 1;
        }
    }
    EXPECT_GT(ink, 20) << "the name is written inside";
}

TEST_F(PaintTest, AMissingPictureShowsA200By150PlaceholderBox) {
    Load(u"[[nowhere.png]]");
    Paint();
    const ColorRef edge = Blended(kTestBack, kTestText, 200);
    for (int x = 22; x < 222; ++x) {
        ASSERT_EQ(Pixel(x, 12), edge) << "top edge at x " << x;
        ASSERT_EQ(Pixel(x, 161), edge) << "bottom edge at x " << x;
    }
    for (int y = 13; y < 161; ++y) {
        ASSERT_EQ(Pixel(22, y), edge) << "left edge at y " << y;
        ASSERT_EQ(Pixel(221, y), edge) << "right edge at y " << y;
    }
    EXPECT_EQ(Pixel(222, 50), kTestBack);
    EXPECT_EQ(Pixel(50, 162), kTestBack);
    EXPECT_EQ(Pixel(21, 50), kTestBack);
    int ink = 0;
    for (int y = 80; y < 95; ++y) {
        for (int x = 30; x < 214; ++x) {
            ink += Near(Pixel(x, y), kTestBack, 40) ? 0 : 1;
        }
    }
    EXPECT_GT(ink, 30) << "the name is written in the middle";

    std::ofstream(folder_.path() / "notapicture.png") << "this is text, not a picture";
    Load(u"[[notapicture.png]]");
    Paint();
    EXPECT_EQ(Pixel(22, 12), edge) << "a file that is no picture gets the placeholder too";
    EXPECT_EQ(Pixel(221, 161), edge);
}

TEST_F(PaintTest, PicturesAreDrawnAtTheirSizeAndWidePicturesScaledDown) {
    ASSERT_TRUE(WriteSolidPng(folder_.path() / "red.png", 60, 40, Gdiplus::Color(255, 255, 0, 0)));
    ASSERT_TRUE(WriteSolidPng(folder_.path() / "wide.png", 20000, 600, Gdiplus::Color(255, 0, 0, 255)));
    Load(u"[[red.png]]\n[[wide.png]]");
    Paint();
    EXPECT_EQ(Pixel(22, 12), MakeColorRef(255, 0, 0));
    EXPECT_EQ(Pixel(81, 51), MakeColorRef(255, 0, 0));
    EXPECT_EQ(Pixel(82, 30), kTestBack);
    const RowRecord wide = Core().Rows()[1];
    EXPECT_EQ(wide.width, 544) << "as wide as the text area";
    EXPECT_EQ(wide.height, static_cast<int>(542.0 / 20000 * 600) + 4);
    EXPECT_EQ(Pixel(300, wide.top + 2 + 5), MakeColorRef(0, 0, 255));
}

TEST_F(PaintTest, TheBackgroundPictureIsCopiedOnceAtItsOrigin) {
    const MemoryDc dc(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 40, 40, 1, 32, BI_RGB};
    void* bits = nullptr;
    const GdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(bitmap);
    std::fill_n(static_cast<std::uint32_t*>(bits), 40 * 40, PixelOf(MakeColorRef(0, 160, 0)));
    const SelectedObject selected(dc.Get(), bitmap.Get());
    const PictureExtent size{40, 40};
    EXPECT_EQ(Send(MEP_SETBACKIMAGE, reinterpret_cast<WPARAM>(dc.Get()), reinterpret_cast<LPARAM>(&size)), 1);
    EXPECT_EQ(Send(MEP_SETBACKIMAGEPOS, MAKEWPARAM(200, 300), 0), 1);
    Load(u"");
    Paint();
    EXPECT_EQ(Pixel(300, 200), MakeColorRef(0, 160, 0));
    EXPECT_EQ(Pixel(339, 239), MakeColorRef(0, 160, 0));
    EXPECT_EQ(Pixel(340, 220), kTestBack) << "not tiled";
    EXPECT_EQ(Pixel(299, 220), kTestBack);
    Send(MEP_SETBACKIMAGE, 0, 0);
    Paint();
    EXPECT_EQ(Pixel(300, 200), kTestBack);
}

TEST_F(PaintTest, TheCaretStandsAtTheEndOfAWrappedRowAfterAClickThere) {
    Load(std::u16string(60, u'字'));
    EditState& core = Core();
    ASSERT_GE(core.RowCount(), 2);
    const RowRecord first = core.Rows()[0];
    const int next = core.Rows()[1].offset;
    Click(575, first.top + first.height / 2);
    EXPECT_EQ(Selection(), std::make_pair(next, next));
    Paint();
    int units = 1;
    const int rowEnd = core.OffsetToPoint(next - 1).x + core.CharWidthAt(next - 1, false, units);
    POINT caret{};
    EXPECT_EQ(Send(MEP_GETCARETPOS, reinterpret_cast<WPARAM>(&caret)), first.height);
    EXPECT_EQ(caret.x, rowEnd);
    EXPECT_EQ(caret.y, first.top);
    POINT system{};
    ASSERT_TRUE(GetCaretPos(&system));
    EXPECT_EQ(system.x, rowEnd) << "the system caret is there too";
    EXPECT_EQ(system.y, first.top);

    Send(EM_SETSEL, next, next);
    Paint();
    Send(MEP_GETCARETPOS, reinterpret_cast<WPARAM>(&caret));
    EXPECT_EQ(caret.x, 20) << "placed by offset, the same position starts the next row";
    EXPECT_EQ(caret.y, core.Rows()[1].top);
}

TEST_F(PaintTest, PictureFilesAreLoadedFadedIntoTheBackgroundOrRefused) {
    ASSERT_TRUE(WriteSolidPng(folder_.path() / "red.png", 10, 10, Gdiplus::Color(255, 255, 0, 0)));
    const auto load = [](const wchar_t* name, int opacity, ColorRef& colour) {
        Surface surface;
        PictureSize natural;
        const PictureLoad result =
            LoadPictureToSurface(nullptr, surface, FromWide(name), RGB(255, 255, 255), opacity, 0, &natural);
        colour = surface.Valid() ? ColourOfPixel(surface.View().Row(5)[5] & 0xFFFFFF) : 0;
        return result;
    };
    ColorRef colour = 0;
    EXPECT_EQ(load(L"red.png", 100, colour), PictureLoad::Loaded);
    EXPECT_EQ(colour, MakeColorRef(255, 0, 0));
    EXPECT_EQ(load(L"red.png", 20, colour), PictureLoad::Loaded);
    EXPECT_TRUE(Near(colour, MakeColorRef(255, 204, 204), 2)) << "80 % background, 20 % picture";
    EXPECT_EQ(load(L"red.png", -5, colour), PictureLoad::Loaded);
    EXPECT_TRUE(Near(colour, MakeColorRef(255, 255, 255), 1)) << "a negative opacity counts as 0";
    EXPECT_EQ(load(L"absent.png", 100, colour), PictureLoad::Missing);
    std::ofstream(folder_.path() / "text.jpg") << "no picture here";
    EXPECT_EQ(load(L"text.jpg", 100, colour), PictureLoad::Undecodable);
}

TEST_F(PaintTest, RenderingWithoutAWindowUpdateFillsTheSurface) {
    Load(u"");
    EXPECT_TRUE(RenderEditorSurface(editor_));
    EXPECT_EQ(Pixel(300, 300), kTestBack);
    EXPECT_FALSE(RenderEditorSurface(host_->Frame())) << "not an editor";
    EXPECT_FALSE(EditorSurfaceView(host_->Frame()).Valid());
}

}  // namespace
}  // namespace tavrin::testing
