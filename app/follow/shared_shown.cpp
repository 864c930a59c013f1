#include "app/follow/shared_shown.h"

#include "text/u16text.h"

namespace merulan {

namespace {

std::u16string twoDigits(unsigned value) {
    return (value < 10 ? u"0" : u"") + decimalText(value);
}

std::u16string noteOf(const std::optional<SharedCopy>& copy) {
    if (!copy) {
        return u"共有リスト：サーバーから読めず、この PC にコピーもありません";
    }
    const StampTime& t = copy->taken;
    const std::u16string date = decimalText(t.year) + u"/" + twoDigits(t.month) + u"/" + twoDigits(t.day) + u" " +
                                twoDigits(t.hour) + u":" + twoDigits(t.minute);
    return u"共有リスト：サーバーから読めないため、" + date + u" に取得したコピーを表示しています";
}

} // namespace

bool SharedShown::take(const SharedNews& news, const CopyReader& readCopy) {
    switch (news.kind) {
    case SharedNews::Kind::Read:
        records_ = news.records;
        note_.reset();
        live_ = true;
        return true;
    case SharedNews::Kind::Unreachable:
        live_ = false;
        return showCopy(readCopy);
    case SharedNews::Kind::Failure:
        // The last good list stays: the one read from the server, or else the copy.
        return live_ ? false : showCopy(readCopy);
    }
    return false;
}

bool SharedShown::waitedEnough(const CopyReader& readCopy) {
    return live_ || note_ ? false : showCopy(readCopy);
}

bool SharedShown::showCopy(const CopyReader& readCopy) {
    std::optional<SharedCopy> copy = readCopy();
    std::u16string note = noteOf(copy);
    if (note_ == note && (copy ? copy->records == records_ : records_.empty())) {
        return false;
    }
    records_ = copy ? std::move(copy->records) : TLspRecords();
    note_ = std::move(note);
    return true;
}

} // namespace merulan
