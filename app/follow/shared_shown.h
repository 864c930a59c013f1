// What the palette shows of the office's shared list: the server's list once it is read; before that (the
// server is slow) and whenever the server cannot be reached, the last complete copy kept on this PC, marked
// with its date. A list that is there but cannot be read leaves what is shown.
#pragma once

#include "app/follow/shared_list_reader.h"
#include "platform/local_time.h"

#include <functional>
#include <optional>
#include <string>

namespace merulan {

struct SharedCopy {
    TLspRecords records;
    StampTime taken; // when this copy was made from the server's list
};

class SharedShown {
public:
    // readCopy reads the kept copy; nothing when there is none (or it cannot be read).
    using CopyReader = std::function<std::optional<SharedCopy>()>;

    // The reader's news; true when what the palette shows changed.
    bool take(const SharedNews& news, const CopyReader& readCopy);
    // The time the palette gives the server at start-up has passed without the list.
    bool waitedEnough(const CopyReader& readCopy);

    const TLspRecords& records() const { return records_; }
    // While the copy (or nothing) stands in for the server's list: the line the palette shows about it.
    const std::optional<std::u16string>& note() const { return note_; }

private:
    bool showCopy(const CopyReader& readCopy);

    TLspRecords records_;
    std::optional<std::u16string> note_;
    bool live_ = false; // the server's list has been read and nothing has gone wrong since
};

} // namespace merulan
