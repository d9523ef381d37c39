#include "portable_folder_win.h"

#include <fstream>
#include <iterator>

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

std::vector<std::byte> Utf16File(const std::u16string& text) {
    std::vector<std::byte> bytes{std::byte{0xFF}, std::byte{0xFE}};
    const std::vector<std::byte> body = EncodeUtf16Le(text);
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

int TodayYmd() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wYear * 10000 + now.wMonth * 100 + now.wDay;
}

}  // namespace tavrin::e2e
