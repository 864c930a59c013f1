// The system's ANSI code page, handed in by the caller: the core never asks the operating system itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace merulan {

constexpr unsigned kUtf8CodePage = 65001;

class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;
    virtual unsigned id() const = 0;
    // Without validity checks: bytes that form no character become replacement characters.
    virtual std::u16string decode(std::string_view bytes) const = 0;
    // nullopt when some character has no exact form in the code page.
    virtual std::optional<std::string> encodeExact(std::u16string_view text) const = 0;
};

} // namespace merulan
