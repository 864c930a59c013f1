#include "text/error.h"

#include "text/utf8.h"

namespace merulan {

// what() carries UTF-8 so that a stray catch of std::exception still prints something readable.
MerulanError::MerulanError(std::u16string message)
    : std::runtime_error(toUtf8(message)), message_(std::move(message)) {}

std::u16string messageOf(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const MerulanError& error) {
        return error.message();
    } catch (const std::exception& error) {
        return fromUtf8(error.what());
    } catch (...) {
        return u"不明なエラーです";
    }
}

} // namespace merulan
