// The storage behind the scanner's look-ups: what was stored is found again, and never moves.

#include "project/Anchors.h"
#include "project/LinkList.h"
#include "project/PathTable.h"

#include <gtest/gtest.h>

using namespace orvanel::project;

TEST(ScannerStorage, EntriesAndRecordsAreFoundAgainAndNeverMove)
{
    auto path = [](int i) { return "/s/d.x/f" + std::to_string(i) + (i % 2 ? ".gif" : ""); };
    PathTable<int> table;
    LinkList list(orvanel::insert::PathStyle::Posix);
    std::vector<std::pair<PathTable<int>::Entry*, const LinkRecord*>> stored;
    for (int i = 0; i < 5000; ++i)
        stored.emplace_back(table.findOrAdd(path(i)).first, &list.Add(path(i), "img", i % 3));
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(table.findOrAdd(path(i)), std::make_pair(stored[i].first, false)) << i;
        ASSERT_EQ(stored[i].second->Path, path(i));
        ASSERT_EQ(stored[i].second->Extension, i % 2 ? ".gif" : "");
        ASSERT_EQ(stored[i].second->IconIndex, i % 3);
    }
    EXPECT_TRUE(table.findOrAdd("/s/d.x/f1.gi").second);
    list.Clear();
    EXPECT_EQ(list.Add("a.b", "href", 1).Extension, ".b");

    // Keeping only the newest record, the extensions' icons outlive the records.
    LinkList newest(orvanel::insert::PathStyle::Posix, LinkList::Keep::Newest);
    newest.Add("/s/a.gif", "img", 5);
    EXPECT_EQ(newest.Add("/s/b.txt", "href", 6).Path, "/s/b.txt");
    EXPECT_EQ(newest.FindExtensionIcon(".gif"), 5);
    EXPECT_EQ(newest.FindExtensionIcon(".txt"), 6);
    // Past the first few extensions the icons are kept in a table; none is lost on the way.
    for (int i = 0; i < 40; ++i)
        newest.Add("/s/f.e" + std::to_string(i % 20), "img", 10 + i);
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(newest.FindExtensionIcon(".e" + std::to_string(i)), 30 + i) << i;
    EXPECT_EQ(newest.FindExtensionIcon(".gif"), 5);
    EXPECT_EQ(newest.FindExtensionIcon(".e20"), kNoIconFound);
}

TEST(ScannerStorage, FragmentNamesAreFoundInSmallAndLargeSets)
{
    for (const int count : {3, 500}) {
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i)
            names.push_back("n" + std::to_string(i));
        const AnchorSet set(names);
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(set.contains("n" + std::to_string(i))) << count << " " << i;
        EXPECT_FALSE(set.contains("n" + std::to_string(count)));
        EXPECT_FALSE(set.contains("n"));
        EXPECT_FALSE(set.contains(""));
    }
}
