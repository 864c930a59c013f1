// A failure the user sees: the message is the text of the application-wide error box.
#pragma once

#include <stdexcept>
#include <string>

namespace merulan {

class MerulanError : public std::runtime_error {
public:
    explicit MerulanError(std::u16string message);
    const std::u16string& message() const noexcept { return message_; }

private:
    std::u16string message_;
};

} // namespace merulan
