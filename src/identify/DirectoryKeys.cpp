#include "identify/DirectoryKeys.h"

namespace {

std::wstring_view TrimSpaces(std::wstring_view text)
{
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return std::wstring_view();
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

bool EqualsFolded(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        wchar_t x = a[i], y = b[i];
        if (x >= L'A' && x <= L'Z') x = wchar_t(x - L'A' + L'a');
        if (y >= L'A' && y <= L'Z') y = wchar_t(y - L'A' + L'a');
        if (x != y) return false;
    }
    return true;
}

} // namespace

DirectoryKeys::DirectoryKeys(const std::wstring& path)
{
    // The last three components, newest last, and how many there are (up
    // to four is all the keys need to know).
    std::wstring_view last[3];
    int count = 0;
    const std::wstring_view text(path);
    size_t position = 0;
    for (;;) {
        const size_t found = text.find(L'\\', position);
        const size_t end = found == std::wstring_view::npos ? text.size() : found;
        const std::wstring_view token = TrimSpaces(text.substr(position, end - position));
        if (!token.empty()) {
            last[0] = last[1];
            last[1] = last[2];
            last[2] = token;
            if (count < 4) ++count;
        }
        if (found == std::wstring_view::npos) break;
        position = found + 1;
    }
    if (count >= 3) holder_ = last[1];
    if (count >= 4) parent_ = last[0];
}

bool DirectoryKeys::Matches(const std::wstring& pathText) const
{
    const size_t slash = pathText.find(L'\\');
    if (slash == std::wstring::npos) return EqualsFolded(pathText, holder_);

    // With three components the two-level key is the single name T[1],
    // which no text holding a backslash can equal; with fewer it is empty.
    if (parent_.empty()) return false;
    const std::wstring_view text(pathText);
    return slash == parent_.size() && EqualsFolded(text.substr(0, slash), parent_) &&
           EqualsFolded(text.substr(slash + 1), holder_);
}
