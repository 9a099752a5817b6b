#include "VersionResourceWriter.h"

#include <stdexcept>
#include <vector>

namespace {

// One node of a version resource: header, key, value, children, each part
// starting on a 32-bit boundary.
struct Node {
    std::wstring Key;
    WORD Type;  // 1: text, 0: binary
    std::string Value;
    WORD ValueLength;  // as stated: characters for text, bytes for binary
    std::vector<Node> Children;
};

void Align(std::string& bytes)
{
    while (bytes.size() % 4 != 0) bytes.push_back('\0');
}

void PutWord(std::string& bytes, WORD word)
{
    bytes.push_back(char(word & 0xFF));
    bytes.push_back(char(word >> 8));
}

std::string Serialize(const Node& node)
{
    std::string bytes(6, '\0');
    for (wchar_t c : node.Key) PutWord(bytes, WORD(c));
    PutWord(bytes, 0);
    Align(bytes);
    bytes += node.Value;
    for (const Node& child : node.Children) {
        Align(bytes);
        bytes += Serialize(child);
    }
    std::string header;
    PutWord(header, WORD(bytes.size()));
    PutWord(header, node.ValueLength);
    PutWord(header, node.Type);
    bytes.replace(0, 6, header);
    return bytes;
}

std::string Wide(const std::wstring& text)
{
    std::string bytes;
    for (wchar_t c : text) PutWord(bytes, WORD(c));
    return bytes;
}

Node Text(const std::wstring& key, const std::wstring& value, WORD statedLength)
{
    return Node{key, 1, Wide(value), statedLength, {}};
}

} // namespace

std::string CompanyNameResource(WORD language, WORD codePage, const std::wstring& value, WORD statedLength)
{
    VS_FIXEDFILEINFO fixed = {};
    fixed.dwSignature = 0xFEEF04BD;
    fixed.dwStrucVersion = 0x00010000;
    fixed.dwFileVersionMS = 0x00010000;

    wchar_t table[16];
    swprintf(table, 16, L"%04x%04x", language, codePage);
    std::string translation;
    PutWord(translation, language);
    PutWord(translation, codePage);

    const Node root{L"VS_VERSION_INFO", 0, std::string(reinterpret_cast<const char*>(&fixed), sizeof fixed),
                    WORD(sizeof fixed),
                    {Node{L"StringFileInfo", 1, "", 0,
                          {Node{table, 1, "", 0,
                                {Text(L"CompanyName", value, statedLength),
                                 Text(L"ProductName", std::wstring(L"Next\0", 5), 5)}}}},
                     Node{L"VarFileInfo", 1, "", 0, {Node{L"Translation", 0, translation, 4, {}}}}}};
    return Serialize(root);
}

void WriteVersionResource(const std::wstring& path, const std::string& resource)
{
    HANDLE update = BeginUpdateResourceW(path.c_str(), FALSE);
    if (update == nullptr) throw std::runtime_error("cannot open an executable for resource update");
    std::string data = resource;
    if (!UpdateResourceW(update, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                         &data[0], DWORD(data.size()))) {
        EndUpdateResourceW(update, TRUE);
        throw std::runtime_error("cannot update a version resource");
    }
    if (!EndUpdateResourceW(update, FALSE)) throw std::runtime_error("cannot write a version resource");
}
