#pragma once
#include <string>
#include <string_view>

// The last directory names of an executable path, as the matcher compares
// them with Paths texts. The path is split at backslashes into components
// T[0..n-1], each without leading and trailing spaces, empty ones dropped
// (forward slashes do not split). The one-level key is T[n-2] when n >= 3;
// the two-level key is T[n-3]\T[n-2] when n >= 4 and T[1] when n == 3; both
// are empty otherwise. The keys are views into the path, which must outlive
// them; nothing is allocated.
class DirectoryKeys {
public:
    explicit DirectoryKeys(const std::wstring& path);

    // Whether a Paths text names the path's directory, ignoring the case of
    // A-Z: a text with a backslash against the two-level key, any other
    // against the one-level key.
    bool Matches(const std::wstring& pathText) const;

private:
    std::wstring_view holder_;  // T[n-2], when n >= 3
    std::wstring_view parent_;  // T[n-3], when n >= 4
};
