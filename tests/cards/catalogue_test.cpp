// What the rules, the progress file and the spoken texts rely on in the
// tile catalogue.
#include <gtest/gtest.h>

#include <algorithm>

#include "cards/cards_support.h"

namespace velloxa::testing {
namespace {

bool plainascii(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

TEST(Catalogue, NamesFindTheirTileAndTextsNameTheCapturedOne) {
    const Catalogue& c = catalogue();
    for (int i = 1; i <= c.cardcount; ++i) {
        SCOPED_TRACE(c.cardname[i]);
        // Found at its own index: names are unique and the lookup is exact.
        EXPECT_EQ(c.find(c.cardname[i]), i);
        EXPECT_TRUE(c.cardrarity[i] >= 1 && c.cardrarity[i] <= 5);  // a deck slot and a weight
        EXPECT_TRUE(plainascii(c.cardname[i] + c.carddesc[i]) && c.cardname[i].back() != ' ');
        // Both capture texts or none; "  Point gained." may follow them.
        EXPECT_EQ(c.cardcapture[i].empty(), c.cardenemycapture[i].empty());
        for (const std::string& t : {c.cardcapture[i], c.cardenemycapture[i]})
            EXPECT_TRUE(t.empty() || (plainascii(t) && t.ends_with('.'))) << t;
    }
    // A former name that were also a current name would leave the progress
    // reader unable to tell which tile is meant.
    ASSERT_FALSE(c.former.empty());
    for (const auto& [index, name] : c.former)
        EXPECT_TRUE(!name.empty() && c.find(name) == 0 && index >= 1 && index <= c.cardcount)
            << name;
}

}  // namespace
}  // namespace velloxa::testing
