// Where the decoder hands decoded bytes: an abstract growable string.
#pragma once

#include <cstddef>

#ifdef APPATLAS_VCDIFF_SYSTEM
#include <google/output_string.h>
#else

namespace open_vcdiff {

class OutputStringInterface {
public:
    virtual ~OutputStringInterface() {}
    virtual OutputStringInterface& append(const char* s, size_t n) = 0;
    virtual void clear() = 0;
    virtual void push_back(char c) = 0;
    // A hint that about this many more bytes are coming.
    virtual void ReserveAdditionalBytes(size_t res_arg) = 0;
    virtual size_t size() const = 0;
};

}  // namespace open_vcdiff

#endif
