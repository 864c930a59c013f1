#include "text/error.h"

#include "text/utf8.h"

namespace merulan {

// what() carries UTF-8 so that a stray catch of std::exception still prints something readable.
MerulanError::MerulanError(std::u16string message)
    : std::runtime_error(toUtf8(message)), message_(std::move(message)) {}

} // namespace merulan
