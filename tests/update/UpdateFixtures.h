#pragma once
#include <string>

// Library data files and update files for the update tests.

// A library document that knows one executable, exeName, in Vendor\App.
std::string LibraryDocument(const std::string& exeName);
// The document in the data file container.
std::string DataFile(const std::string& document);
// An update file: a delta from oldFile to newFile in the container.
std::string UpdateFile(const std::string& oldFile, const std::string& newFile, bool checksum);
// Any delta body in the container.
std::string WrapDelta(const std::string& delta);
