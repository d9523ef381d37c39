#include "platform/utf16_file.h"

#include <array>

namespace tavrin {

std::u16string DecodeUtf16File(std::span<const std::byte> bytes) {
    std::size_t start = 0;
    if (bytes.size() >= 2 && bytes[0] == std::byte{0xFF} && bytes[1] == std::byte{0xFE}) {
        start = 2;
    }
    const std::size_t units = (bytes.size() - start) / 2;
    std::u16string text(units, u'\0');
    for (std::size_t i = 0; i < units; ++i) {
        const auto low = std::to_integer<unsigned>(bytes[start + 2 * i]);
        const auto high = std::to_integer<unsigned>(bytes[start + 2 * i + 1]);
        text[i] = static_cast<char16_t>(low | (high << 8));
    }
    return text;
}

std::optional<std::u16string> ReadUtf16File(FileSystem& fs, const std::filesystem::path& path) {
    const std::optional<std::vector<std::byte>> bytes = fs.ReadWholeFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    return DecodeUtf16File(*bytes);
}

std::span<const std::byte> Utf16ByteOrderMark() noexcept {
    static constexpr std::array<std::byte, 2> kMark{std::byte{0xFF}, std::byte{0xFE}};
    return kMark;
}

std::vector<std::byte> EncodeUtf16Le(std::u16string_view text) {
    std::vector<std::byte> bytes(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<std::byte>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<std::byte>(text[i] >> 8);
    }
    return bytes;
}

WriteResult WriteUtf16File(FileSystem& fs, const std::filesystem::path& path, std::u16string_view text) {
    const std::vector<std::byte> body = EncodeUtf16Le(text);
    const std::array<std::span<const std::byte>, 2> pieces{Utf16ByteOrderMark(), body};
    return WriteFileAtomically(fs, path, pieces);
}

}  // namespace tavrin
