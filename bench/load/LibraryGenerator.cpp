#include "load/LibraryGenerator.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>

namespace {

// A small deterministic generator, so every run measures the same document.
class Random {
public:
    explicit Random(uint32_t seed) : state_(seed) {}
    uint32_t Next(uint32_t bound)
    {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) % bound;
    }

private:
    uint32_t state_;
};

const char* const kSharedNames[] = {"setup.exe", "update.exe", "uninstall.exe", "launcher.exe", "helper.exe",
                                    "service.exe", "agent.exe", "updater.exe"};
const char* const kWords[] = {"Lumen", "Corvid", "Bright", "Wave", "Nimbus", "Quartz", "Harbor", "Vertex",
                              "Ember", "Solace", "Trident", "Aurora", "Mosaic", "Pioneer", "Zephyr", "Cobalt"};

std::string Vendor(int i)
{
    return std::string(kWords[i % 16]) + kWords[(i / 16) % 16] + (i >= 256 ? std::to_string(i / 256) : "");
}

void Append(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Append(std::string& out, const char* format, ...)
{
    char line[1024];
    va_list args;
    va_start(args, format);
    const int n = vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (n > 0) out.append(line, size_t(n) < sizeof line ? size_t(n) : sizeof line - 1);
}

} // namespace

std::string GenerateLibrary(int items)
{
    Random random(uint32_t(items) * 2654435761u);
    const int vendors = items / 40 + 8;
    const int paths = items / 2 + 4;

    std::string doc = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<ProcessLib>\r\n  <Paths>\r\n";
    for (int p = 1; p <= paths; ++p) {
        const std::string vendor = Vendor(int(random.Next(uint32_t(vendors))));
        if (p % 3 == 0)
            Append(doc, "    <Path id=\"%d\" value=\"%s\"/>\r\n", p, vendor.c_str());
        else
            Append(doc, "    <Path id=\"%d\" value=\"%s\\%s %d\"/>\r\n", p, vendor.c_str(), kWords[p % 16], p);
    }
    doc += "  </Paths>\r\n  <CompanyNames>\r\n";
    for (int v = 1; v <= vendors; ++v)
        Append(doc, "    <Company id=\"%d\" Value=\"%s Software Ltd.\"/>\r\n", v, Vendor(v - 1).c_str());
    doc += "  </CompanyNames>\r\n  <SignNames>\r\n";
    for (int v = 1; v <= vendors; ++v)
        Append(doc, "    <Signer id=\"%d\" Value=\"%s Code Signing\"/>\r\n", v, Vendor(v - 1).c_str());
    Append(doc, "  </SignNames>\r\n  <MaxProcessItemId id=\"%d\"/>\r\n  <Processes>\r\n", items);

    int id = 1;
    for (int group = 0; id <= items; ++group) {
        std::string name;
        if (random.Next(5) == 0)
            name = kSharedNames[random.Next(8)];
        else
            name = Vendor(group % vendors) + kWords[group % 7] + std::to_string(group) + ".exe";
        Append(doc, "    <Process Name=\"%s\">\r\n", name.c_str());
        const int count = 1 + int(random.Next(3));
        for (int k = 0; k < count && id <= items; ++k, ++id) {
            const int vendor = 1 + int(random.Next(uint32_t(vendors)));
            const int path = random.Next(10) == 0 ? -1 : 1 + int(random.Next(uint32_t(paths)));
            Append(doc,
                   "      <Item id=\"%d\" DisplayName=\"%s %s\" Description=\"%s %s application\" "
                   "PathIndex=\"%d\" PathLevel=\"%d\" CompanyNameIndex=\"%d\" SignNameIndex=\"%d\" "
                   "ProcessType=\"%u\" CanClose=\"%u\" SoftId=\"sw-%d\"/>\r\n",
                   id, Vendor(vendor - 1).c_str(), kWords[id % 16], Vendor(vendor - 1).c_str(), kWords[(id / 3) % 16],
                   path, path % 3 == 0 ? 1 : 2, vendor, vendor, random.Next(4), random.Next(2), id);
        }
        doc += "    </Process>\r\n";
    }
    doc += "  </Processes>\r\n</ProcessLib>\r\n";
    return doc;
}
