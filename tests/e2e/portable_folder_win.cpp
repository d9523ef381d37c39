#include "portable_folder_win.h"

#include <fstream>
#include <iterator>

#include "platform/text.h"
#include "platform/utf16_file.h"

#ifndef TAVRIN_EXE_PATH
#error "TAVRIN_EXE_PATH names the tavrin.exe under test"
#endif

namespace tavrin::e2e {

std::filesystem::path BuiltTavrinExe() { return drive::WindowsPathOf(TAVRIN_EXE_PATH); }

PortableFolder::PortableFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::filesystem::path(temp) / (L"tavrin-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                           std::to_wstring(GetTickCount64()));
    std::filesystem::create_directories(path_);
    std::filesystem::copy_file(BuiltTavrinExe(), Exe());
}

PortableFolder::~PortableFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::optional<drive::TavrinProcess> PortableFolder::Start(const std::wstring& arguments) const {
    return drive::TavrinProcess::Start(Exe().wstring(), arguments, path_.wstring());
}

std::vector<std::byte> PortableFolder::ReadFileBytes(const std::filesystem::path& file) const {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> chars((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::byte> bytes(chars.size());
    for (std::size_t i = 0; i < chars.size(); ++i) {
        bytes[i] = static_cast<std::byte>(chars[i]);
    }
    return bytes;
}

void PortableFolder::WriteFileBytes(const std::filesystem::path& file,
                                    const std::vector<std::byte>& bytes) const {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::u16string PortableFolder::ReadTextFile(const std::filesystem::path& file) const {
    return DecodeUtf16File(ReadFileBytes(file));
}

void PortableFolder::WriteSettings(const std::u16string& text) const {
    WriteFileBytes(Ini(), Utf16File(text));
}

void PortableFolder::WriteDiary(const std::wstring& name, const DiaryMonths& months) const {
    const std::filesystem::path diary = path_ / name;
    std::filesystem::create_directories(diary);
    for (const auto& [yearMonth, days] : months) {
        WriteFileBytes(diary / (std::to_wstring(yearMonth) + L".txt"),
                       Utf16File(MonthFileText(yearMonth, days)));
    }
}

std::u16string MonthFileText(int yearMonth, const std::map<int, std::u16string>& days) {
    std::u16string text;
    for (const auto& [day, body] : days) {
        text += text.empty() ? u"" : u"\r\n";
        text += Decimal(yearMonth / 100, 4) + u"/" + Decimal(yearMonth % 100, 2) + u"/" + Decimal(day, 2) +
                u"\r\n\t";
        for (const char16_t c : body) {
            text += c == u'\n' ? std::u16string(u"\r\n\t") : std::u16string(1, c);
        }
        text += u"\r\n";
    }
    return text;
}

std::vector<std::byte> Utf16File(const std::u16string& text) {
    std::vector<std::byte> bytes{std::byte{0xFF}, std::byte{0xFE}};
    const std::vector<std::byte> body = EncodeUtf16Le(text);
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

DiaryDate Today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

int TodayYmd() {
    const DiaryDate today = Today();
    return today.year * 10000 + today.month * 100 + today.day;
}

}  // namespace tavrin::e2e
