// A failure the user sees: the message is the text of the application-wide error box.
#pragma once

#include <exception>
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

// The text to show the user for a failure: a MerulanError's message, another exception's what(), or
// "不明なエラーです" for anything else.
std::u16string messageOf(const std::exception_ptr& failure);

} // namespace merulan
