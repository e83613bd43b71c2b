#include "app/file_title.h"
#include "app/game_link_model.h"
#include "config/text.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

using namespace tavrel;

namespace {

// Capitals from a table of its own, beyond what the portable folding knows, so a
// comparison that bypasses the mapping is caught.
class TableCaseMapping final : public CaseMapping {
public:
    std::u16string Upper(std::u16string_view text) const override {
        std::u16string out(text);
        for (char16_t& c : out) {
            if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
            for (const auto& [small, capital] : kPairs)
                if (c == small) c = capital;
        }
        return out;
    }

private:
    // ÿ Ÿ, ά Ά (accented Greek), ա Ա (Armenian), ƀ Ƀ (Latin Extended-B)
    static constexpr std::pair<char16_t, char16_t> kPairs[] = {
        {u'\u00FF', u'\u0178'}, {u'\u03AC', u'\u0386'}, {u'\u0561', u'\u0531'}, {u'\u0180', u'\u0243'}};
};

struct Block {
    TableCaseMapping upper;
    std::unique_ptr<SharedConfig> config = std::make_unique<SharedConfig>();
    Block() {
        *config = SharedConfig{};
        CopyToArray(config->profiles[0].ProFileName, u"Racing");
        CopyToArray(config->profiles[0].GameFile, u"C:\\Games\\Race.exe");
        CopyToArray(config->profiles[2].ProFileName, u"Shooter");
        CopyToArray(config->profiles[2].GameFile, u"C:\\Games\\Shoot.exe");
        config->CurrentProfile = 0;
    }
    ProfileRecord& profile(int k) { return config->profiles[k]; }
};

}  // namespace

TEST(AppFileTitle, DropsFolderAndLastExtension) {
    EXPECT_EQ(FileTitle(u"C:\\Games\\Race.exe"), u"Race");
    EXPECT_EQ(FileTitle(u"C:\\Games\\Race.Pro.exe"), u"Race.Pro");
    EXPECT_EQ(FileTitle(u"C:\\Games\\Race"), u"Race");
    EXPECT_EQ(FileTitle(u"D:/export/My profile.gkp"), u"My profile");
    EXPECT_EQ(FileTitle(u"C:\\a.b\\noext"), u"noext");
    EXPECT_EQ(FileTitle(u"C:\\config\\.gkp"), u"");
}

TEST(AppFileTitle, ChosenPathIsTheSingleChoiceOrTheFolderWithTheFirstOfSeveral) {
    using namespace std::string_view_literals;
    struct Case {
        std::u16string_view buffer;  // as the dialog leaves it, with its NULs
        size_t firstNameOffset;
        std::u16string_view expected;
    };
    for (const Case& c : {
             // One file: the full path, whatever the rest of the buffer still holds.
             Case{u"C:\\Program Files\\Jeux Vid\u00e9o\\Course \u00dcmlaut.exe\0op\\.exe\0\0"sv, 28,
                  u"C:\\Program Files\\Jeux Vid\u00e9o\\Course \u00dcmlaut.exe"},
             Case{u"C:\\a.exe\0\0"sv, 3, u"C:\\a.exe"},
             // Several: folder, NUL, names, double NUL.
             Case{u"C:\\Games\0Race.exe\0Shoot.exe\0\0"sv, 9, u"C:\\Games\\Race.exe"},
             Case{u"C:\\\0Race.exe\0Shoot.exe\0\0"sv, 4, u"C:\\Race.exe"},
             Case{u"\0\0"sv, 0, u""},
         }) {
        EXPECT_EQ(ChosenPath(c.buffer, c.firstNameOffset), c.expected) << c.firstNameOffset;
    }
}

TEST(AppFileTitle, CutTextNeverSplitsASurrogatePair) {
    EXPECT_EQ(CutText(u"abcdef", 4), u"abcd");
    EXPECT_EQ(CutText(u"ab", 4), u"ab");
    const std::u16string withPair = u"ab\U0001F3AEc";  // a, b, high, low, c
    EXPECT_EQ(CutText(withPair, 3), u"ab");
    EXPECT_EQ(CutText(withPair, 4), u"ab\U0001F3AE");
}

TEST(AppGameLink, ModeZeroStartsWithTheProfileAndModeOneEmpty) {
    Block b;
    GameLinkModel edit(*b.config, 0, b.upper);
    EXPECT_EQ(edit.Name(), u"Racing");
    EXPECT_EQ(edit.GameFile(), u"C:\\Games\\Race.exe");
    GameLinkModel fresh(*b.config, 1, b.upper);
    EXPECT_EQ(fresh.Name(), u"");
    EXPECT_EQ(fresh.GameFile(), u"");
    // OK without browsing stores the empty texts.
    fresh.Store();
    EXPECT_EQ(ArrayText(b.profile(0).ProFileName), u"");
    EXPECT_EQ(ArrayText(b.profile(0).GameFile), u"");
}

TEST(AppGameLink, BrowseRefusesAGameOfAnotherProfileIgnoringCase) {
    Block b;
    for (const char16_t* path : {u"C:\\Games\\Shoot.exe", u"c:\\games\\SHOOT.EXE"}) {
        GameLinkModel m(*b.config, 0, b.upper);
        EXPECT_EQ(m.Browse(path), GameLinkModel::BrowseResult::LinkedElsewhere) << Utf16ToUtf8(path);
        EXPECT_EQ(m.GameFile(), u"C:\\Games\\Race.exe");
        EXPECT_EQ(m.Name(), u"Racing");
    }
}

TEST(AppGameLink, BrowseComparesInTheCapitalsOfTheMappingTheEditUses) {
    Block b;
    // Profile 2's game as its edit stored it: in the mapping's capitals.
    CopyToArray(b.profile(2).GameFile, u"C:\\\u0531\u0178\u0386\\\u0243.EXE");
    GameLinkModel m(*b.config, 0, b.upper);
    EXPECT_EQ(m.Browse(u"C:\\\u0561\u00FF\u03AC\\\u0180.exe"), GameLinkModel::BrowseResult::LinkedElsewhere);
    EXPECT_EQ(m.Browse(u"C:\\\u0561\u00FF\u03AC\\\u0180x.exe"), GameLinkModel::BrowseResult::Accepted);
}

TEST(AppGameLink, BrowseAcceptsTheCurrentProfilesOwnGame) {
    Block b;
    GameLinkModel m(*b.config, 0, b.upper);
    EXPECT_EQ(m.Browse(u"C:\\GAMES\\race.exe"), GameLinkModel::BrowseResult::Accepted);
    EXPECT_EQ(m.GameFile(), u"C:\\GAMES\\race.exe");
}

TEST(AppGameLink, BrowseFillsOnlyAnEmptyName) {
    Block b;
    GameLinkModel empty(*b.config, 1, b.upper);
    ASSERT_EQ(empty.Browse(u"C:\\Games\\Fly.Sim.exe"), GameLinkModel::BrowseResult::Accepted);
    EXPECT_EQ(empty.Name(), u"Fly.Sim");

    GameLinkModel typed(*b.config, 1, b.upper);
    typed.SetName(u"MY FLIGHTS");
    ASSERT_EQ(typed.Browse(u"C:\\Games\\Fly.exe"), GameLinkModel::BrowseResult::Accepted);
    EXPECT_EQ(typed.Name(), u"MY FLIGHTS");
}

TEST(AppGameLink, OkStoresBothTextsAndCancelLeavesTheRecord) {
    Block b;
    b.config->CurrentProfile = 1;
    {
        GameLinkModel cancelled(*b.config, 0, b.upper);
        cancelled.SetName(u"X");
        cancelled.Browse(u"C:\\Games\\New.exe");
        // No Store: the dialog was cancelled or closed.
    }
    EXPECT_EQ(ArrayText(b.profile(1).ProFileName), u"");
    GameLinkModel m(*b.config, 0, b.upper);
    m.Browse(u"C:\\Games\\New.exe");
    m.Store();
    EXPECT_EQ(ArrayText(b.profile(1).ProFileName), u"New");
    EXPECT_EQ(ArrayText(b.profile(1).GameFile), u"C:\\Games\\New.exe");
    EXPECT_EQ(ArrayText(b.profile(0).GameFile), u"C:\\Games\\Race.exe");
}

TEST(AppGameLink, TextsAreBoundedByTheRecordArrays) {
    Block b;
    GameLinkModel m(*b.config, 1, b.upper);
    m.SetName(std::u16string(400, u'n'));
    EXPECT_EQ(m.Name().size(), 249u);
    // A path the record cannot hold whole would link the wrong file: refused.
    EXPECT_EQ(m.Browse(u"C:\\" + std::u16string(500, u'p') + u".exe"), GameLinkModel::BrowseResult::TooLong);
    EXPECT_EQ(m.GameFile(), u"");
    const std::u16string longest = u"C:\\" + std::u16string(492, u'p') + u".exe";
    ASSERT_EQ(longest.size(), 499u);
    EXPECT_EQ(m.Browse(longest), GameLinkModel::BrowseResult::Accepted);
    m.Store();
    EXPECT_EQ(ArrayText(b.profile(0).ProFileName).size(), 249u);
    EXPECT_EQ(ArrayText(b.profile(0).GameFile), longest);
    EXPECT_EQ(b.profile(0).GameFile[499], 0);
}

TEST(AppGameLink, AnUnterminatedGameFieldOfAnotherProfileIsReadWithinItsArray) {
    Block b;
    std::fill(std::begin(b.profile(3).GameFile), std::end(b.profile(3).GameFile), u'z');
    GameLinkModel m(*b.config, 0, b.upper);
    EXPECT_EQ(m.Browse(u"C:\\Games\\Other.exe"), GameLinkModel::BrowseResult::Accepted);
}
