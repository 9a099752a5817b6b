// Branding as each OEM DLL variant gives it, one fresh process per case.

#include "HostProcess.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

TEST(Branding, EachOemVariantInAProcessOfItsOwn)
{
    const Log plainCalls = {"int 13", "str 12 260", "str 14 260", "str 15 260", "host second call"};
    struct Case {
        const wchar_t* variant;
        std::wstring key, product, third;
        Log log;  // the OEM calls, then the host's marker: none after it
    } cases[] = {
        {L"", L"SOFTWARE\\Norvane\\Quillo", L"Quillo", L"TrovaRecycle", {"host second call"}},
        // Off, yet the strings are still asked for.
        {L"off", L"SOFTWARE\\Norvane\\Quillo", L"Quillo", L"TrovaRecycle", plainCalls},
        {L"on", L"SOFTWARE\\Vendor\\Product", L"OemProduct", L"OemThird", plainCalls},
        {L"noint", L"SOFTWARE\\Vendor\\Product", L"OemProduct", L"OemThird",
         {"str 12 260", "str 14 260", "str 15 260", "host second call"}},
        {L"nostr", L"SOFTWARE\\", L"", L"", {"int 13", "host second call"}},
        // 259 characters fit the first buffer; 260 and 300 need the second
        // call with the reported size plus one.
        {L"long", L"SOFTWARE\\" + std::wstring(260, L'k'), std::wstring(300, L'p'), std::wstring(259, L't'),
         {"int 13", "str 12 260", "str 12 261", "str 14 260", "str 14 301", "str 15 260", "host second call"}},
        // A size that would wrap and one beyond reason are refused without a
        // second call; an unterminated success is read no further than the
        // buffer.
        {L"broken", L"SOFTWARE\\", std::wstring(260, L'x'), L"", plainCalls},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variant);
        HostDirectory host(c.variant);
        auto values = host.Run(L"branding");
        EXPECT_EQ(c.key, values[L"key"]);
        EXPECT_EQ(c.product, values[L"product"]);
        EXPECT_EQ(c.third, values[L"third"]);
        EXPECT_EQ(L"1", values[L"same"]);
        EXPECT_EQ(c.log, host.OemLog());
    }
}

} // namespace
