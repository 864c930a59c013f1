#include "platform/system_codepage.h"

#include "platform/win/wide.h"
#include "text/error.h"
#include "text/u16text.h"

#include <windows.h>

namespace merulan {

namespace {

class WindowsCodePage final : public AnsiCodePage {
public:
    explicit WindowsCodePage(unsigned id) : id_(id) {}
    unsigned id() const override { return id_; }

    std::u16string decode(std::string_view bytes) const override {
        if (bytes.empty()) {
            return {};
        }
        const int length = MultiByteToWideChar(id_, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        std::u16string text(static_cast<size_t>(length), u'\0');
        MultiByteToWideChar(id_, 0, bytes.data(), static_cast<int>(bytes.size()), wide(text), length);
        return text;
    }

    std::optional<std::string> encodeExact(std::u16string_view text) const override {
        if (text.empty()) {
            return std::string();
        }
        const auto* source = reinterpret_cast<const wchar_t*>(text.data());
        const int sourceLength = static_cast<int>(text.size());
        // UTF-8 refuses the default-character flag; it loses only lone surrogates.
        const bool utf8 = id_ == kUtf8CodePage;
        const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
        BOOL usedDefault = FALSE;
        BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
        const int length = WideCharToMultiByte(id_, flags, source, sourceLength, nullptr, 0, nullptr, usedDefaultOut);
        if (length == 0 || usedDefault) {
            return std::nullopt;
        }
        std::string bytes(static_cast<size_t>(length), '\0');
        WideCharToMultiByte(id_, flags, source, sourceLength, bytes.data(), length, nullptr, usedDefaultOut);
        if (usedDefault) {
            return std::nullopt;
        }
        return bytes;
    }

private:
    unsigned id_;
};

} // namespace

std::unique_ptr<AnsiCodePage> systemAnsiCodePage() {
    return std::make_unique<WindowsCodePage>(GetACP());
}

std::unique_ptr<AnsiCodePage> codePageById(unsigned id) {
    if (!IsValidCodePage(id)) {
        throw MerulanError(u"コードページ " + decimalText(id) + u" はありません");
    }
    return std::make_unique<WindowsCodePage>(id);
}

} // namespace merulan
