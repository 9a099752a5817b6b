#pragma once
#include <stdint.h>

#include <string>

// Wraps a payload (a library document or a delta) in the data file
// container: the 80-byte header, then the payload XOR-ed with key. Bytes of
// the header that readers do not interpret are zero.
std::string BuildLibraryFile(const std::string& payload, uint8_t key, uint32_t compatLevel);
