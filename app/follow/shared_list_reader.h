// The office's shared list, read and followed on a thread of its own: a server that does not answer (a network
// timeout can take 30 seconds) never holds the window. The window is told what there is to know.
#pragma once

#include "app/follow/list_source.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace merulan {

struct SharedNews {
    enum class Kind {
        Read,        // records holds the shared list as the server has it now
        Unreachable, // the shared list cannot be reached (no server, no file): told once until it is seen again
        Failure,     // the file is there but cannot be read (failure says why); told once per version
    };
    Kind kind = Kind::Read;
    TLspRecords records;
    std::u16string failure;
};

class SharedListReader {
public:
    struct Seams {
        ListSource::Seams probes; // identity, hash and writer; its read is the reader's own
        // The file's bytes; nothing when there is no file. Throws MerulanError when it cannot be read. May block.
        std::function<std::optional<std::string>(const std::u16string& path)> readBytes;
        // The bytes of the last complete, readable list, to keep as the copy for when the server is away.
        std::function<void(std::string_view bytes)> keepCopy;
        // Called on the reader's thread; never after the reader is destroyed.
        std::function<void(SharedNews news)> tell;
    };

    // Reads at once, then looks again when woken or every checkInterval.
    SharedListReader(std::u16string path, std::shared_ptr<const AnsiCodePage> ansi, Seams seams,
                     std::chrono::milliseconds checkInterval);
    // Stops the thread; one that is held in a read is let go and ends by itself when the read returns.
    ~SharedListReader();
    SharedListReader(const SharedListReader&) = delete;
    SharedListReader& operator=(const SharedListReader&) = delete;

    // A change notice came, or the user asked: look now.
    void wake();

    struct State; // shared with the thread, which may outlive the reader

private:
    std::shared_ptr<State> state_;
};

} // namespace merulan
