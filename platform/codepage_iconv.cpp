// The Linux stand-in for the Windows code pages, through iconv. Mappings follow glibc's tables, which
// agree with Windows for the Japanese code page 932 in everything the palette's files hold; bytes that
// form no character become U+FFFD (Windows uses code-page-specific substitutes there).
#include "platform/system_codepage.h"

#include "text/error.h"
#include "text/u16text.h"

#include <bit>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace merulan {

namespace {

constexpr const char* kUtf16Native = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

class IconvHandle {
public:
    IconvHandle(const std::string& to, const std::string& from) : handle_(iconv_open(to.c_str(), from.c_str())) {}
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    ~IconvHandle() {
        if (valid()) {
            iconv_close(handle_);
        }
    }
    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return handle_; }
    void reset() const { iconv(handle_, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t handle_;
};

std::string iconvName(unsigned id) {
    return id == kUtf8CodePage ? "UTF-8" : "CP" + std::to_string(id);
}

class IconvCodePage final : public AnsiCodePage {
public:
    explicit IconvCodePage(unsigned id)
        : id_(id), toUnicode_(kUtf16Native, iconvName(id)), fromUnicode_(iconvName(id), kUtf16Native) {
        if (!toUnicode_.valid() || !fromUnicode_.valid()) {
            throw MerulanError(u"コードページ " + decimalText(id) + u" はありません");
        }
    }

    unsigned id() const override { return id_; }

    std::u16string decode(std::string_view bytes) const override {
        toUnicode_.reset();
        std::u16string text(bytes.size() + 1, u'\0');
        char* in = const_cast<char*>(bytes.data());
        size_t inLeft = bytes.size();
        char* out = reinterpret_cast<char*>(text.data());
        size_t outLeft = text.size() * sizeof(char16_t);
        while (inLeft > 0) {
            if (iconv(toUnicode_.get(), &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1)) {
                continue;
            }
            if (errno == E2BIG) { // cannot happen: a byte never yields more than one unit, plus the spare
                break;
            }
            // EILSEQ or a cut sequence at the end: one byte becomes one replacement character.
            *reinterpret_cast<char16_t*>(out) = u'\xFFFD';
            out += sizeof(char16_t);
            outLeft -= sizeof(char16_t);
            ++in;
            --inLeft;
            toUnicode_.reset();
        }
        text.resize(text.size() - outLeft / sizeof(char16_t));
        return text;
    }

    std::optional<std::string> encodeExact(std::u16string_view text) const override {
        fromUnicode_.reset();
        std::string bytes(text.size() * 4 + 4, '\0');
        char* in = reinterpret_cast<char*>(const_cast<char16_t*>(text.data()));
        size_t inLeft = text.size() * sizeof(char16_t);
        char* out = bytes.data();
        size_t outLeft = bytes.size();
        if (iconv(fromUnicode_.get(), &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1)) {
            return std::nullopt;
        }
        bytes.resize(bytes.size() - outLeft);
        // glibc maps some characters one way only (U+301C and U+FF5E both to 81 60 in CP932); Windows
        // refuses those without best fit, so only a lossless round trip counts as exact.
        if (decode(bytes) != text) {
            return std::nullopt;
        }
        return bytes;
    }

private:
    unsigned id_;
    IconvHandle toUnicode_;
    IconvHandle fromUnicode_;
};

} // namespace

std::unique_ptr<AnsiCodePage> codePageById(unsigned id) {
    return std::make_unique<IconvCodePage>(id);
}

} // namespace merulan
