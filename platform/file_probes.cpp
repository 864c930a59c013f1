#include "platform/file_probes.h"

#include "platform/text_file.h"
#include "text/error.h"

namespace merulan {

std::optional<std::uint64_t> fileContentHash(const std::u16string& path) {
    try {
        std::uint64_t hash = 14695981039346656037u;
        for (const char byte : readFileBytes(path)) {
            hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211u;
        }
        return hash;
    } catch (const MerulanError&) {
        return std::nullopt;
    }
}

} // namespace merulan
