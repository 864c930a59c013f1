// What the Linux file code shares: the system's reason for an error, an owned descriptor, and making a
// name change durable.
#pragma once

#include <string>
#include <unistd.h>

namespace merulan {

std::u16string reasonOf(int error);

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }

private:
    int fd_;
};

// Flushes the folder that holds path, so that a name made or changed in it survives a power cut.
void syncFolderOf(const std::string& path);

} // namespace merulan
