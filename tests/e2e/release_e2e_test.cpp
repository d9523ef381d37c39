// The release zip as a user gets it (scripts/test-release.sh unpacks it into an empty folder and names
// the folder in TAVRIN_RELEASE_FOLDER and the zip's version in TAVRIN_RELEASE_VERSION): it holds the
// program and the read-me, the program carries the zip's version in its version resource and its about
// box, and started from the folder it keeps its diary and settings beside itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "driver_win.h"

namespace tavrin::e2e {
namespace {

constexpr DWORD kTimeoutMs = 30000;
constexpr int kVersionCommand = 41008;
constexpr int kAboutVersionText = 1203;  // IDC_ABOUT_VERSION

std::wstring Environment(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value ? value : L"";
}

// The "ProductVersion" string of the program's version resource.
std::wstring ProductVersionOf(const std::filesystem::path& exe) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    std::vector<std::byte> block(size);
    if (size == 0 || !GetFileVersionInfoW(exe.c_str(), 0, size, block.data())) {
        return L"";
    }
    wchar_t* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\StringFileInfo\\041104B0\\ProductVersion",
                        reinterpret_cast<void**>(&text), &length) ||
        text == nullptr) {
        return L"";
    }
    return text;
}

// A UTF-16LE file's text after its byte-order mark; empty when it cannot be read.
std::wstring Utf16TextOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::wstring text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                            static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return text;
}

std::wstring YearMonthFileName() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t name[16] = {};
    swprintf(name, 16, L"%04d%02d.txt", now.wYear, now.wMonth);
    return name;
}

TEST(Release, TheUnpackedZipRunsAndKeepsItsDiaryBesideTheProgram) {
    const std::filesystem::path folder = drive::WindowsPathOf(Environment(L"TAVRIN_RELEASE_FOLDER"));
    const std::wstring version = Environment(L"TAVRIN_RELEASE_VERSION");
    if (folder.empty() || version.empty()) {
        GTEST_SKIP() << "run through scripts/test-release.sh, which unpacks the zip";
    }
    std::set<std::wstring> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files.insert(entry.path().filename().wstring());
    }
    EXPECT_EQ(files, (std::set<std::wstring>{L"README.txt", L"tavrin.exe"}));
    const std::filesystem::path exe = folder / L"tavrin.exe";
    EXPECT_EQ(ProductVersionOf(exe), version) << "the version resource carries the zip's version";

    std::optional<drive::TavrinProcess> tavrin =
        drive::TavrinProcess::Start(exe.wstring(), L"", folder.wstring());
    ASSERT_TRUE(tavrin);
    HWND frame = tavrin->WaitForMainFrame(kTimeoutMs);
    ASSERT_TRUE(frame);
    drive::PostCommand(frame, kVersionCommand);
    HWND about = drive::WaitForWindow(tavrin->Id(), L"#32770", L"バージョン情報", kTimeoutMs);
    ASSERT_TRUE(about) << "the about box opened";
    wchar_t shown[128] = {};
    GetDlgItemTextW(about, kAboutVersionText, shown, 128);
    EXPECT_NE(std::wstring(shown).find(version), std::wstring::npos) << "the about box shows the version";
    SendMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(drive::WaitFor([&] { return !IsWindow(about); }, 5000));

    HWND editor = drive::FindChild(frame, L"MarkupEditPane");
    ASSERT_TRUE(editor);
    drive::TypeText(editor, L"はじめての日記");
    EXPECT_EQ(tavrin->Close(kTimeoutMs), 0u);

    const std::filesystem::path monthFile = folder / L"RaRorir" / YearMonthFileName();
    EXPECT_NE(Utf16TextOf(monthFile).find(L"\tはじめての日記\r\n"), std::wstring::npos)
        << "the month file lies beside the program, with the entry";
    EXPECT_TRUE(std::filesystem::exists(folder / L"tavrin.ini")) << "and so do the settings";
}

}  // namespace
}  // namespace tavrin::e2e
