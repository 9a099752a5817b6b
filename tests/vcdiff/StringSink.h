// A sink that keeps what the decoder hands over and how.
#pragma once

#include <string>

#include "vcdiff/OutputStringInterface.h"

namespace vcdiff_test {

class StringSink : public open_vcdiff::OutputStringInterface {
public:
    StringSink& append(const char* s, size_t n) override
    {
        text.append(s, n);
        ++appends;
        return *this;
    }
    void clear() override { text.clear(); }
    void push_back(char c) override { text.push_back(c); }
    void ReserveAdditionalBytes(size_t n) override { reserved += n; }
    size_t size() const override { return text.size(); }

    std::string text;
    int appends = 0;
    size_t reserved = 0;
};

}  // namespace vcdiff_test
