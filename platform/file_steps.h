// The system calls that a whole write is made of, one implementation per system
// (file_steps_win.cpp, file_steps_posix.cpp). Each gives nothing when done, otherwise the system's reason.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace merulan::file_steps {

using Failure = std::optional<std::u16string>;

// A file this process creates and writes alone. While it is open, no other writer's clean-up removes it.
class NewFile {
public:
    NewFile() = default;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile(); // closes without checking when close() was not called

    // Creates path, which must not exist yet (nameTaken tells when it did), with the permissions of
    // likeFile where the system has them and likeFile exists.
    Failure create(const std::u16string& path, const std::u16string& likeFile, bool& nameTaken);
    Failure write(std::string_view bytes);
    Failure flush();
    Failure close();

private:
    std::intptr_t native_ = -1;
};

struct LinkFailure {
    std::u16string reason;
    bool nameTaken = false; // otherwise the file system may have no hard links
};
// newName as a second name of existing, made durable.
std::optional<LinkFailure> linkFile(const std::u16string& existing, const std::u16string& newName);

// Whether another program's hold on an existing file would refuse its replace (Windows keeps held files
// in place; Linux never refuses). Asked before a backup name is made, which such a hold could not remove.
Failure checkReplaceable(const std::u16string& path);

// Removes a file if it is there; failures are left unsaid.
void removeFile(const std::u16string& path);
// Removes a file that no writer holds open; true when removed.
bool removeIfAbandoned(const std::u16string& path);
// The files beside pathPrefix whose names start with its name part, as full paths.
std::vector<std::u16string> filesBeginningWith(const std::u16string& pathPrefix);

} // namespace merulan::file_steps
