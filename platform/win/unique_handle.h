// One move-only owner for every kind of Win32 handle, and the kernel-side kinds the non-window code uses.
#pragma once

#include <utility>
#include <windows.h>

namespace merulan {

template <class Handle>
constexpr Handle nullHandleValue() noexcept {
    return Handle{};
}
// What CreateFileW and FindFirstFileExW return when they fail: a pointer made from -1, which cannot stand
// as a template argument itself.
inline HANDLE invalidHandleValue() noexcept {
    return INVALID_HANDLE_VALUE;
}

template <class Handle, auto Close, auto Invalid = nullHandleValue<Handle>>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Invalid(); }
    Handle release() noexcept { return std::exchange(handle_, Invalid()); }
    void reset(Handle handle = Invalid()) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (old != Invalid()) {
            Close(old);
        }
    }

private:
    Handle handle_ = Invalid();
};

namespace handle_close {
inline void kernelObject(HANDLE h) noexcept {
    CloseHandle(h);
}
inline void find(HANDLE h) noexcept {
    FindClose(h);
}
inline void changeNotification(HANDLE h) noexcept {
    FindCloseChangeNotification(h);
}
} // namespace handle_close

// Processes, threads, events, snapshots: nothing (nullptr) when not held.
using UniqueKernelHandle = UniqueHandle<HANDLE, handle_close::kernelObject>;
// CreateFileW's files: INVALID_HANDLE_VALUE when not held.
using UniqueFileHandle = UniqueHandle<HANDLE, handle_close::kernelObject, invalidHandleValue>;
using UniqueFindHandle = UniqueHandle<HANDLE, handle_close::find, invalidHandleValue>;
using UniqueChangeNotification = UniqueHandle<HANDLE, handle_close::changeNotification, invalidHandleValue>;

} // namespace merulan
