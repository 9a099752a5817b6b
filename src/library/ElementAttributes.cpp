#include "library/ElementAttributes.h"

#include "environment/TextUtils.h"

#include <tinyxml.h>

#include <climits>

static char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool AttributeNameIs(const char* actual, const char* wanted)
{
    for (;; ++actual, ++wanted) {
        if (FoldAscii(*actual) != FoldAscii(*wanted)) return false;
        if (*actual == '\0') return true;
    }
}

const char* FindAttributeValue(const TiXmlElement& element, const char* name)
{
    for (const TiXmlAttribute* a = element.FirstAttribute(); a != nullptr; a = a->Next()) {
        if (AttributeNameIs(a->Name(), name)) return a->Value();
    }
    return nullptr;
}

int ParseIntegerText(const char* text)
{
    if (text == nullptr) return 0;
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;

    bool negative = false;
    if (*text == '+' || *text == '-') negative = (*text++ == '-');

    // Accumulate in 64 bits and stop growing once past the 32-bit range, so
    // arbitrarily long digit runs saturate instead of overflowing.
    const long long limit = negative ? -(long long)INT_MIN : INT_MAX;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (value <= limit) value = value * 10 + (*text - '0');
    }
    if (value > limit) value = limit;
    return int(negative ? -value : value);
}

int ReadIntegerAttribute(const TiXmlElement& element, const char* name)
{
    return ParseIntegerText(FindAttributeValue(element, name));
}

std::wstring ReadTextAttribute(const TiXmlElement& element, const char* name)
{
    return Utf8ToWideOrEmpty(FindAttributeValue(element, name));
}
