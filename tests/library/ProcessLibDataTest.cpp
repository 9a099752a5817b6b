#include "library/ProcessLibData.h"

#include <gtest/gtest.h>

namespace {

TEST(ProcessLibData, LookupsByIdGiveCopiesOrEmpty)
{
    ProcessLibData store;
    EXPECT_EQ(1, store.AddPath(-1, L"Minus\\One"));
    EXPECT_EQ(1, store.AddCompanyName(7, L"Seven"));
    EXPECT_EQ(1, store.AddSignName(0, L"Zero"));
    EXPECT_EQ(L"Minus\\One", store.GetPathByIndex(-1));
    EXPECT_EQ(L"", store.GetPathByIndex(0));
    EXPECT_EQ(L"Seven", store.GetCompanyNameByIndex(7));
    EXPECT_EQ(L"", store.GetCompanyNameByIndex(-1));
    EXPECT_EQ(L"Zero", store.GetSignNameByIndex(0));
    EXPECT_EQ(L"", store.GetSignNameByIndex(1));
}

TEST(ProcessLibData, FirstEntryPerIdWinsButEmptyPathsAreNotStored)
{
    ProcessLibData store;
    EXPECT_EQ(0, store.AddPath(1, L""));
    EXPECT_EQ(1, store.AddPath(1, L"Later"));
    EXPECT_EQ(0, store.AddPath(1, L"Ignored"));
    EXPECT_EQ(L"Later", store.GetPathByIndex(1));

    EXPECT_EQ(1, store.AddCompanyName(1, L""));
    EXPECT_EQ(0, store.AddCompanyName(1, L"Ignored"));
    EXPECT_EQ(L"", store.GetCompanyNameByIndex(1));
    EXPECT_EQ(1u, store.CompanyNames.count(1));

    EXPECT_EQ(1, store.AddSignName(2, L""));
    EXPECT_EQ(0, store.AddSignName(2, L"Again"));
}

TEST(ProcessLibData, ItemsWithOneNameKeepInsertionOrder)
{
    ProcessLibData store;
    for (int id : {5, 3, 5, 9}) {
        ProcessItem item;
        item.Id = id;
        item.Name = L"setup.exe";
        EXPECT_EQ(1, store.AddItem(item));
    }
    ProcessItem other;
    other.Name = L"setup.ex";
    store.AddItem(other);

    std::vector<int> ids;
    for (auto range = store.ItemsNamed(L"setup.exe"); range.first != range.second; ++range.first)
        ids.push_back(range.first->second.Id);
    EXPECT_EQ((std::vector<int>{5, 3, 5, 9}), ids);
    EXPECT_EQ(0, std::distance(store.ItemsNamed(L"SETUP.EXE").first, store.ItemsNamed(L"SETUP.EXE").second));
}

TEST(ProcessItem, DefaultsOfAnUnfilledItem)
{
    const ProcessItem item;
    EXPECT_EQ(-1, item.Id);
    EXPECT_EQ(-1, item.PathIndex);
    EXPECT_EQ(0, item.PathLevel);
    EXPECT_EQ(-1, item.CompanyNameIndex);
    EXPECT_EQ(-1, item.SignNameIndex);
    EXPECT_EQ(0, item.ProcessType);
    EXPECT_EQ(1, item.CanClose);
}

} // namespace
