// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <string_view>

namespace merulan::testing {

// Every byte of a file; nothing when it cannot be read.
inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class TempDir {
public:
    TempDir() {
        std::random_device seed;
        const auto base = std::filesystem::temp_directory_path();
        for (;;) {
            path_ = base / ("merulan-test-" + std::to_string(seed()));
            if (std::filesystem::create_directory(path_)) {
                break;
            }
        }
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::u16string_view name) const { return path_ / std::u16string(name); }
    // The full path as the palette spells it: backslashes on Windows.
    std::u16string u16(std::u16string_view name = u"") const {
        return name.empty() ? path_.u16string() : (path_ / std::u16string(name)).u16string();
    }

    std::u16string write(std::u16string_view name, std::string_view bytes) const {
        std::ofstream out(path_ / std::u16string(name), std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return u16(name);
    }

    std::string read(std::u16string_view name) const { return fileBytes(path_ / std::u16string(name)); }

    // Every file in the folder by name, with its bytes.
    std::map<std::u16string, std::string> files() const {
        std::map<std::u16string, std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            found[entry.path().filename().u16string()] = fileBytes(entry.path());
        }
        return found;
    }

private:
    std::filesystem::path path_;
};

} // namespace merulan::testing
