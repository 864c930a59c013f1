// Where the window's message handling meets the system: a failure ends the handler that raised it and goes
// to the application-wide error box, and the program goes on. It also knows whether a handler is running
// already: a box or a menu that a handler opened runs its own message loop, and the messages that loop
// hands back come in nested.
#pragma once

#include "text/error.h"

#include <exception>
#include <functional>
#include <string>

namespace merulan {

class MessageBoundary {
public:
    explicit MessageBoundary(std::function<void(const std::u16string& message)> report) : report_(std::move(report)) {}
    MessageBoundary(const MessageBoundary&) = delete;
    MessageBoundary& operator=(const MessageBoundary&) = delete;

    template <class Handler>
    void run(Handler&& handler) noexcept {
        ++depth_;
        try {
            handler();
        } catch (...) {
            report(std::current_exception());
        }
        --depth_;
    }

    // A handler is running below the one now running.
    bool nested() const { return depth_ > 1; }

private:
    void report(const std::exception_ptr& failure) noexcept {
        try {
            report_(messageOf(failure));
        } catch (...) {
            // Nothing sensible is left to tell the user with.
        }
    }

    std::function<void(const std::u16string& message)> report_;
    unsigned depth_ = 0;
};

} // namespace merulan
