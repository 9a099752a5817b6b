#pragma once
#include <string>

class TiXmlElement;

// Attribute access as the library document defines it. Names match with
// ASCII letter case ignored, and the first such attribute in document order
// wins, although the XML parser itself treats "value" and "Value" as two.

// The raw UTF-8 value of the first attribute called name, or null.
const char* FindAttributeValue(const TiXmlElement& element, const char* name);

bool AttributeNameIs(const char* actual, const char* wanted);

// A decimal integer: leading white space, optional sign, digits up to the
// first non-digit; no digits give 0, out-of-range values the nearest 32-bit
// limit. Null (an absent attribute) reads as 0.
int ParseIntegerText(const char* text);

int ReadIntegerAttribute(const TiXmlElement& element, const char* name);
std::wstring ReadTextAttribute(const TiXmlElement& element, const char* name);
