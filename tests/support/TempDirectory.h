#pragma once
#include <string>

// A fresh, uniquely named directory under the system's temporary directory,
// removed with everything in it when the object goes away.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::wstring& Path() const { return path_; }
    // Path() + "\" + name.
    std::wstring File(const std::wstring& name) const;

private:
    std::wstring path_;
};

// Removes a file or a directory tree; missing paths are fine.
void RemoveTree(const std::wstring& path);
