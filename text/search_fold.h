// The form in which the search box compares texts, so that a search finds what the user means
// whatever the state of the input method.
#pragma once

#include <string>
#include <string_view>

namespace merulan {

// ASCII letters become capitals; full-width ASCII and the ideographic space become ASCII; kana become
// full-width katakana: hiragana, half-width katakana with their voiced marks composed ("ｶﾞ" is "ガ"), and
// a kana followed by a combining voiced mark. A mark that composes with nothing becomes "゛" or "゜".
// The result may be shorter than the text, never longer.
std::u16string foldForSearch(std::u16string_view text);
// The same, reusing the string's buffer (the filter folds every record on every keystroke).
void foldForSearchInPlace(std::u16string& text);

} // namespace merulan
