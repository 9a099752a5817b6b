#include "library/ProcessLibData.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

const char kPaths[] = "<Paths><p id='1' value='Vendor\\App'/></Paths>";
const char kCompanies[] = "<CompanyNames><c id='1' Value='Vendor'/></CompanyNames>";
const char kSigners[] = "<SignNames><s id='1' Value='Vendor Inc'/></SignNames>";
const char kProcesses[] = "<Processes><g Name='app.exe'><i id='1'/></g></Processes>";

std::string Doc(const std::string& paths = kPaths, const std::string& companies = kCompanies,
                const std::string& signers = kSigners, const std::string& processes = kProcesses,
                const std::string& extra = "")
{
    return "<?xml version='1.0' encoding='utf-8'?>\n<ProcessLib>" + paths + companies + signers + extra + processes +
           "</ProcessLib>";
}

int Load(ProcessLibData& store, const std::string& text)
{
    return store.LoadFromText(text.c_str(), text.size());
}

std::vector<ProcessItem> ItemsNamed(const ProcessLibData& store, const std::wstring& name)
{
    std::vector<ProcessItem> items;
    for (auto range = store.ItemsNamed(name); range.first != range.second; ++range.first)
        items.push_back(range.first->second);
    return items;
}

TEST(LibraryDocumentReader, AcceptsAndRejectsDocuments)
{
    struct Case {
        const char* name;
        std::string text;
        int expected;
    } cases[] = {
        {"minimal", Doc(), 1},
        {"empty text", "", 0},
        {"not XML", "ProcessLib", 0},
        {"unclosed", Doc().substr(0, Doc().size() - 3), 0},
        {"no ProcessLib", "<Library>" + std::string(kPaths) + "</Library>", 0},
        {"Paths missing", Doc(""), 0},
        {"CompanyNames missing", Doc(kPaths, ""), 0},
        {"SignNames missing", Doc(kPaths, kCompanies, ""), 0},
        {"Processes missing", Doc(kPaths, kCompanies, kSigners, ""), 0},
        {"MaxProcessItemId missing is fine", Doc(), 1},
        {"empty Paths", Doc("<Paths/>"), 0},
        {"empty Processes", Doc(kPaths, kCompanies, kSigners, "<Processes></Processes>"), 0},
        {"comment before first entry", Doc("<Paths><!--x--><p id='1' value='a'/></Paths>"), 0},
        {"text before first entry", Doc("<Paths>t<p id='1' value='a'/></Paths>"), 0},
        {"comment between entries", Doc("<Paths><p id='1' value='a'/><!--x--><p id='2' value='b'/></Paths>"), 1},
        {"section names are case-sensitive", Doc("<paths><p id='1' value='a'/></paths>"), 0},
        {"section found by name, must be an element",
         "<ProcessLib><!--Paths-->" + std::string(kPaths) + kCompanies + kSigners + kProcesses + "</ProcessLib>", 0},
        {"repeated SignNames id", Doc(kPaths, kCompanies,
                                      "<SignNames><s id='1' Value='a'/><s id='2' Value='b'/><s id='1' Value='c'/></SignNames>"), 0},
        {"repeated CompanyNames id", Doc(kPaths, "<CompanyNames><c id='1' Value='a'/><c id='2' Value='b'/><c id='1' Value='c'/></CompanyNames>"), 1},
        {"group without items", Doc(kPaths, kCompanies, kSigners, "<Processes><g Name='a.exe'/><g Name='b.exe'><i id='1'/></g></Processes>"), 1},
        {"group starting with a comment", Doc(kPaths, kCompanies, kSigners, "<Processes><g Name='a.exe'><!--c--><i id='1'/></g></Processes>"), 1},
        // The parser accepts several top-level elements; the first ProcessLib is read.
        {"second top-level ProcessLib ignored", Doc() + "<ProcessLib/>", 1},
        {"first top-level ProcessLib is used", "<ProcessLib/>" + Doc(), 0},
    };
    for (const Case& c : cases) {
        ProcessLibData store;
        EXPECT_EQ(c.expected, Load(store, c.text)) << c.name;
        EXPECT_EQ(c.expected == 1, store.LoadFailure().empty()) << c.name;
    }
}

TEST(LibraryDocumentReader, ReadsEveryItemField)
{
    ProcessLibData store;
    ASSERT_EQ(1, Load(store, Doc(kPaths, kCompanies, kSigners,
                                 "<Processes><Group Name='NotePad.EXE'>"
                                 "<Item id='12' DisplayName='Note &amp; Pad' Description='Editor' PathIndex='1'"
                                 " PathLevel='2' CompanyNameIndex='1' SignNameIndex='1' ProcessType='3' CanClose='1'"
                                 " SoftId='soft-1' Ignored='x'/></Group></Processes>")));
    const auto items = ItemsNamed(store, L"notepad.exe");
    ASSERT_EQ(1u, items.size());
    const ProcessItem& item = items[0];
    EXPECT_EQ(12, item.Id);
    EXPECT_EQ(L"notepad.exe", item.Name);
    EXPECT_EQ(L"Note & Pad", item.DisplayName);
    EXPECT_EQ(L"Editor", item.Description);
    EXPECT_EQ(1, item.PathIndex);
    EXPECT_EQ(2, item.PathLevel);
    EXPECT_EQ(1, item.CompanyNameIndex);
    EXPECT_EQ(1, item.SignNameIndex);
    EXPECT_EQ(3, item.ProcessType);
    EXPECT_EQ(1, item.CanClose);
    EXPECT_EQ(L"soft-1", item.SoftId);
}

TEST(LibraryDocumentReader, AttributeNamesIgnoreCaseFirstMatchWinsAbsentIntegersAreZero)
{
    ProcessLibData store;
    ASSERT_EQ(1, Load(store, Doc("<Paths><p ID='0' VALUE='Zero'/><p id='5' Value='first' value='second'/></Paths>",
                                 kCompanies, kSigners,
                                 "<Processes><g NAME='a.exe'>"
                                 "<i ID='4' displayname='Shout' CANCLOSE='1' canclose='0'/>"
                                 "<i DisplayName='Bare'/></g></Processes>")));
    EXPECT_EQ(L"Zero", store.GetPathByIndex(0));
    EXPECT_EQ(L"first", store.GetPathByIndex(5));

    const auto items = ItemsNamed(store, L"a.exe");
    ASSERT_EQ(2u, items.size());
    EXPECT_EQ(4, items[0].Id);
    EXPECT_EQ(L"Shout", items[0].DisplayName);
    EXPECT_EQ(1, items[0].CanClose);
    // Absent integers read as 0, not as the unfilled item's defaults.
    EXPECT_EQ(0, items[1].Id);
    EXPECT_EQ(0, items[1].PathIndex);
    EXPECT_EQ(0, items[1].CompanyNameIndex);
    EXPECT_EQ(0, items[1].SignNameIndex);
    EXPECT_EQ(0, items[1].CanClose);
    EXPECT_EQ(L"", items[1].SoftId);
}

TEST(LibraryDocumentReader, TablesKeepFirstEntriesAndDropEmptyPaths)
{
    ProcessLibData store;
    ASSERT_EQ(1, Load(store, Doc("<Paths><p id='1' value=''/><p id='1' value='Real'/><p id='1' value='Late'/>"
                                 "<p id='-1' value='Negative'/><p value='NoId'/></Paths>",
                                 "<CompanyNames><c id='1' Value='A'/><c id='2' Value='B'/><c id='1' Value='C'/></CompanyNames>")));
    EXPECT_EQ(L"Real", store.GetPathByIndex(1));
    EXPECT_EQ(L"Negative", store.GetPathByIndex(-1));
    EXPECT_EQ(L"NoId", store.GetPathByIndex(0));
    EXPECT_EQ(L"A", store.GetCompanyNameByIndex(1));
    EXPECT_EQ(L"B", store.GetCompanyNameByIndex(2));
}

TEST(LibraryDocumentReader, GroupsFileUnderAsciiLowerCaseNamesInDocumentOrder)
{
    ProcessLibData store;
    ASSERT_EQ(1, Load(store, Doc(kPaths, kCompanies, kSigners,
                                 "<Processes><g Name='Setup.exe'><i id='1'/><i id='2'/></g>"
                                 "<g Name='Other.exe'><i id='9'/></g>"
                                 "<g Name='SETUP.EXE'><i id='3'/></g>"
                                 "<g Name='\xC3\x84PP.EXE'><i id='4'/></g></Processes>")));
    std::vector<int> ids;
    for (const ProcessItem& item : ItemsNamed(store, L"setup.exe")) ids.push_back(item.Id);
    EXPECT_EQ((std::vector<int>{1, 2, 3}), ids);
    // Only A-Z fold: the capital A with diaeresis stays.
    EXPECT_EQ(1u, ItemsNamed(store, L"\x00C4pp.exe").size());
}

TEST(LibraryDocumentReader, Maxima)
{
    struct Case {
        const char* declared;
        int expected;
    } cases[] = {{"<MaxProcessItemId id='100'/>", 100}, {"<MaxProcessItemId id='10'/>", 40}, {"", 40},
                 {"<MaxProcessItemId/>", 40}};
    for (const Case& c : cases) {
        ProcessLibData store;
        ASSERT_EQ(1, Load(store, Doc("<Paths><p id='-5' value='a'/><p id='3' value='b'/></Paths>",
                                     "<CompanyNames><c id='8' Value='a'/></CompanyNames>",
                                     "<SignNames><s id='-2' Value='a'/></SignNames>",
                                     "<Processes><g Name='a.exe'><i id='40'/><i id='7'/></g></Processes>",
                                     c.declared)));
        EXPECT_EQ(c.expected, store.MaxProcessItemId) << c.declared;
        EXPECT_EQ(3, store.MaxPathId);
        EXPECT_EQ(8, store.MaxCompanyNameId);
        EXPECT_EQ(0, store.MaxSignNameId);  // negative ids never raise a maximum
    }
}

TEST(LibraryDocumentReader, TextsAndLineEnds)
{
    ProcessLibData store;
    // "\xFF" is not UTF-8 in any position: the load still succeeds and the
    // text follows the system's replacement rules. Attribute values see
    // normalised line ends.
    const std::string doc = Doc(kPaths, kCompanies, kSigners,
                                "<Processes>\r\n<g Name='a.exe'>\r<i id='1' DisplayName='x\xE2\x82\xACy' SoftId='s\xFFt'"
                                " Description='line1\r\nline2\rline3'/></g></Processes>");
    ASSERT_EQ(1, Load(store, doc));
    const auto items = ItemsNamed(store, L"a.exe");
    ASSERT_EQ(1u, items.size());
    EXPECT_EQ(L"x\x20AC" L"y", items[0].DisplayName);
    EXPECT_EQ(L's', items[0].SoftId.front());
    EXPECT_EQ(L't', items[0].SoftId.back());
    EXPECT_EQ(std::wstring::npos, items[0].Description.find(L'\r'));
    EXPECT_NE(std::wstring::npos, items[0].Description.find(L"line3"));
}

TEST(LibraryDocumentReader, ZeroByteEndsTheDocument)
{
    const std::string good = Doc();
    std::string text = good + std::string(1, '\0') + "<garbage";
    ProcessLibData store;
    EXPECT_EQ(1, store.LoadFromText(text.c_str(), text.size()));

    std::string cut = good;
    cut[good.find("<Processes>")] = '\0';
    EXPECT_EQ(0, store.LoadFromText(cut.c_str(), cut.size()));
}

TEST(LibraryDocumentReader, ReloadingDiscardsThePreviousLibrary)
{
    ProcessLibData store;
    ASSERT_EQ(1, Load(store, Doc("<Paths><p id='7' value='old'/></Paths>")));
    ASSERT_EQ(1, Load(store, Doc()));
    EXPECT_EQ(L"", store.GetPathByIndex(7));
    EXPECT_EQ(1u, store.ItemsByName.size());
}

TEST(LibraryDocumentReader, FailedLoadsKeepWhatEarlierSectionsStored)
{
    ProcessLibData store;
    EXPECT_EQ(0, Load(store, Doc(kPaths, kCompanies, "<SignNames/>")));
    EXPECT_EQ(L"Vendor\\App", store.GetPathByIndex(1));
    EXPECT_EQ(L"Vendor", store.GetCompanyNameByIndex(1));
    EXPECT_NE(std::wstring::npos, store.LoadFailure().find(L"SignNames"));
}

} // namespace
