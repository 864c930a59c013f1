#include "app/window/input_method.h"

#include <imm.h>

namespace merulan {

namespace {

// ImmGetContext / ImmReleaseContext. Windows without an input method of their own share their thread's.
class InputContext {
public:
    explicit InputContext(HWND window) noexcept : window_(window), context_(ImmGetContext(window)) {}
    InputContext(const InputContext&) = delete;
    InputContext& operator=(const InputContext&) = delete;
    ~InputContext() {
        if (context_) {
            ImmReleaseContext(window_, context_);
        }
    }
    HIMC get() const noexcept { return context_; }

private:
    HWND window_;
    HIMC context_;
};

} // namespace

void switchToDirectInput(HWND window) {
    const InputContext context(window);
    if (context.get() && ImmGetOpenStatus(context.get())) {
        ImmSetOpenStatus(context.get(), FALSE);
    }
}

bool compositionOpen(HWND window) {
    const InputContext context(window);
    return context.get() && ImmGetCompositionStringW(context.get(), GCS_COMPSTR, nullptr, 0) > 0;
}

} // namespace merulan
