#include "platform/Cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace {

// One iconv conversion descriptor per direction and call.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != iconv_t(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Ok() const { return cd_ != iconv_t(-1); }
    iconv_t Get() const { return cd_; }

  private:
    iconv_t cd_;
};

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

}  // namespace

namespace {

bool IsAscii(std::string_view bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view bytes) {
    // ASCII is the same in both, and most lines of a file are ASCII.
    if (IsAscii(bytes)) return std::string(bytes);
    Converter conv("UTF-8", "CP932");
    std::string out;
    if (!conv.Ok()) return std::string(bytes);
    out.reserve(bytes.size() * 3 / 2 + 4);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(conv.Get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, std::size_t(outPtr - buffer));
        if (r == std::size_t(-1)) {
            if (errno == E2BIG) continue;
            // An invalid or cut-off sequence: replace one byte and go on.
            out += kReplacement;
            ++in;
            --inLeft;
            iconv(conv.Get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::optional<std::string> Utf8ToCp932(std::string_view text) {
    if (IsAscii(text)) return std::string(text);
    if (!IsValidUtf8(text)) return std::nullopt;
    Converter conv("CP932", "UTF-8");
    if (!conv.Ok()) return std::nullopt;
    std::string out;
    out.reserve(text.size());
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(conv.Get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, std::size_t(outPtr - buffer));
        if (r == std::size_t(-1)) {
            if (errno == E2BIG) continue;
            return std::nullopt;
        }
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length;
        std::uint32_t code;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + length > n) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto t = static_cast<unsigned char>(bytes[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            code = (code << 6) | (t & 0x3F);
        }
        // Overlong forms, surrogates and code points beyond U+10FFFF.
        if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string DecodeFileText(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : Cp932ToUtf8(bytes);
}

std::string_view Cp932Prefix(std::string_view bytes, std::size_t maxBytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t step = IsCp932LeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (i + step > maxBytes) break;
        i += step;
    }
    return bytes.substr(0, std::min(i, bytes.size()));
}
