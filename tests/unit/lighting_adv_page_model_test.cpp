#include "lighting/adv_page_model.h"

#include <gtest/gtest.h>

using namespace tavrel;

namespace {

ProfileRecord Profile(int rate, int time) {
    ProfileRecord p{};
    p.PollingRate = rate;
    p.iResponTime = time;
    return p;
}

}  // namespace

TEST(AdvPage, RateButtonsSetTheCoupledResponseTime) {
    AdvPageModel m;
    ProfileRecord p = Profile(1, 2);
    EXPECT_TRUE(m.Click1000(p));
    EXPECT_EQ(p.PollingRate, 2);
    EXPECT_EQ(p.iResponTime, 1);
    EXPECT_EQ(ResponseTimeCaption(p.iResponTime), u"1 ms");
    EXPECT_EQ(m.Mark(), RateMark::Hz1000);
    EXPECT_FALSE(m.Click1000(p));  // already marked: no repaint
    EXPECT_TRUE(m.Click500(p));
    EXPECT_EQ(p.PollingRate, 1);
    EXPECT_EQ(p.iResponTime, 2);
    EXPECT_EQ(ResponseTimeCaption(p.iResponTime), u"2 ms");
    EXPECT_EQ(m.Mark(), RateMark::Hz500);
}

TEST(AdvPage, ResponseTimeMenuMarksTheMatchingRate) {
    const struct {
        int id;
        bool handled;
        int rate;
        int time;
        RateMark mark;
    } cases[] = {
        {2001, true, 2, 1, RateMark::Hz1000}, {2002, true, 1, 2, RateMark::Hz500},
        {1003, true, 3, 8, RateMark::None},   {4000, true, 3, 8, RateMark::None},
        {1002, false, 3, 8, RateMark::None},  {4001, false, 3, 8, RateMark::None},
    };
    for (const auto& c : cases) {
        AdvPageModel m;
        ProfileRecord p = Profile(3, 8);
        bool markChanged = true;
        EXPECT_EQ(m.MenuCommand(c.id, p, markChanged), c.handled) << c.id;
        EXPECT_EQ(p.PollingRate, c.rate) << c.id;
        EXPECT_EQ(p.iResponTime, c.time) << c.id;
        EXPECT_EQ(m.Mark(), c.mark) << c.id;
        EXPECT_EQ(markChanged, c.mark != RateMark::None) << c.id;
    }
}

TEST(AdvPage, RefreshMarksKnownRatesAndKeepsOtherValues) {
    AdvPageModel m;
    EXPECT_TRUE(m.RefreshFromProfile(Profile(2, 1)));
    EXPECT_EQ(m.Mark(), RateMark::Hz1000);
    ProfileRecord odd = Profile(3, 8);
    EXPECT_FALSE(m.RefreshFromProfile(odd));
    EXPECT_EQ(m.Mark(), RateMark::Hz1000);  // buttons as before
    EXPECT_EQ(odd.PollingRate, 3);
    EXPECT_TRUE(m.RefreshFromProfile(Profile(1, 2)));
    EXPECT_EQ(m.Mark(), RateMark::Hz500);
}

TEST(AdvPage, ResponseCaptionFormatsAnyValue) {
    EXPECT_EQ(ResponseTimeCaption(8), u"8 ms");
    EXPECT_EQ(ResponseTimeCaption(0), u"0 ms");
    EXPECT_EQ(ResponseTimeCaption(-3), u"-3 ms");
}
