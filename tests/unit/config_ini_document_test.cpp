#include "config/ini_document.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "config/ini_encoding.h"
#include "config/ini_struct.h"
#include "config/text.h"

using namespace tavrel;

namespace {

std::u16string Get(const IniDocument& doc, std::u16string_view section, std::u16string_view key) {
    return doc.GetString(section, key, u"<default>");
}

}  // namespace

TEST(IniParse, LinesAndNamesAsThePlatformReadsThem) {
    const IniDocument doc = IniDocument::Parse(
        u"top=level\r\n"
        u"[Setting]\r\n"
        u"  Spaced Key  =  spaced value  \r\n"
        u"LtFlag=1\n"
        u"standardkey=AB\r"
        u"07=seven\r\n"
        u"; comment=not special\r\n"
        u"novalue\r\n"
        u"empty=\r\n"
        u"[broken header\r\n"
        u"a=b=c\r\n"
        u"dup=first\r\n"
        u"DUP=second\r\n"
        u"\t\r\n\r\n"
        u"[ Other ]\r\n"
        u"x=1\r\n"
        u"[setting]\r\n"
        u"late=hidden\r\n"
        u"[Quotes]\r\n"
        u"dq=\"quoted\"\r\n"
        u"sq='single'\r\n"
        u"mixed=\"half'\r\n"
        u"one=\"\r\n"
        u"[Tail]junk after bracket\r\n"
        u"t=1");
    struct Case {
        const char16_t* section;
        const char16_t* key;
        const char16_t* expected;
    } cases[] = {
        {u"", u"top", u"level"},
        {u"Setting", u"spaced key", u"spaced value"},
        {u" SETTING ", u"  Spaced Key ", u"spaced value"},
        {u"Setting", u"LtFlag ", u"1"},
        {u"Setting", u"standardKey", u"AB"},
        {u"Setting", u"07", u"seven"},
        {u"Setting", u"7", u"<default>"},
        {u"Setting", u"; comment", u"not special"},
        {u"Setting", u"novalue", u"<default>"},
        {u"Setting", u"empty", u""},
        {u"Setting", u"[broken header", u"<default>"},
        {u"Setting", u"a", u"b=c"},
        {u"Setting", u"dup", u"first"},
        // Only the first of two same-named sections is searched.
        {u"Setting", u"late", u"<default>"},
        {u"Other", u"x", u"1"},
        {u"Quotes", u"dq", u"quoted"},
        {u"Quotes", u"sq", u"single"},
        {u"Quotes", u"mixed", u"\"half'"},
        {u"Quotes", u"one", u"\""},
        {u"Tail", u"t", u"1"},
        {u"Missing", u"t", u"<default>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Get(doc, c.section, c.key), c.expected) << Utf16ToUtf8(c.section) << "/" << Utf16ToUtf8(c.key);
    }
    EXPECT_FALSE(doc.HasValue(u"Setting", u"novalue"));
    EXPECT_TRUE(doc.HasValue(u"Setting", u"empty"));
}

TEST(IniParse, IntegersAsThePlatformReadsThem) {
    struct Case {
        const char16_t* value;
        int32_t expected;
    } cases[] = {
        {u"0", 0},
        {u"42", 42},
        {u"-1", -1},
        {u"+7", 7},
        {u"2000000000", 2000000000},
        {u"-2147483648", INT32_MIN},
        {u"4294967295", -1},       // 32-bit wrap-around
        {u"4294967296", 0},
        {u"99999999999999999999", 1661992959},
        {u"12abc", 12},
        {u"abc", 0},
        {u"-", 0},
        {u"0x1F", 31},
        {u"0X1F", 0},              // only the lower-case prefix counts
        {u"0b101", 5},
        {u"0o17", 15},
        {u"\"5\"", 5},
        {u"5 6", 5},
        {u"000000000000000000000000000001", 0},  // only 29 characters are read
        {u"", 77},                 // empty value: the default
    };
    for (const Case& c : cases) {
        const IniDocument doc = IniDocument::Parse(u"[s]\r\nk=" + std::u16string(c.value) + u"\r\n");
        EXPECT_EQ(doc.GetInt(u"s", u"k", 77), c.expected) << Utf16ToUtf8(c.value);
    }
    const IniDocument doc = IniDocument::Parse(u"[s]\r\nnovalue\r\n");
    EXPECT_EQ(doc.GetInt(u"s", u"novalue", -1), -1);
    EXPECT_EQ(doc.GetInt(u"s", u"missing", -1), -1);
}

TEST(IniStruct, EncodingIsUpperHexPlusChecksum) {
    const uint8_t bytes[] = {0x00, 0xAB, 0xFF, 0x10};
    EXPECT_EQ(EncodeStruct(bytes, 4), u"00ABFF10BA");  // 0xAB + 0xFF + 0x10 = 0x1BA
    EXPECT_EQ(EncodeStruct(nullptr, 0), u"00");
}

TEST(IniStruct, DecodingDemandsExactLengthHexAndChecksum) {
    const uint8_t original[] = {1, 2, 3, 250};
    const std::u16string good = EncodeStruct(original, 4);
    std::u16string lower = good;
    for (char16_t& c : lower) c = static_cast<char16_t>(c >= u'A' && c <= u'F' ? c + 32 : c);
    struct Case {
        std::u16string value;
        bool ok;
    } cases[] = {
        {good, true},
        {lower, true},
        {good + u"0", false},
        {good + u"00", false},
        {good.substr(0, good.size() - 1), false},
        {good.substr(0, good.size() - 2), false},
        {u"01020304FA00", false},  // checksum off
        {u"0102G3FA0000", false},
        {u"01 203FA0000", false},
        {u"", false},
    };
    for (const Case& c : cases) {
        uint8_t out[4] = {9, 9, 9, 9};
        EXPECT_EQ(DecodeStruct(c.value, out, 4), c.ok) << Utf16ToUtf8(c.value);
        if (c.ok) {
            EXPECT_EQ(std::memcmp(out, original, 4), 0);
        } else {
            EXPECT_EQ(out[0], 9);  // a failed decode leaves the target alone
            EXPECT_EQ(out[3], 9);
        }
    }
}

TEST(IniEncoding, EveryEncodingTheFilesComeIn) {
    const std::u16string expected = u"[S]\r\nname=Gr\u00FC\u00DF \u20AC\r\n";
    std::string utf16le = EncodeUtf16Le(expected);
    std::string utf16be = "\xFE\xFF";
    for (char16_t c : expected) {
        utf16be.push_back(static_cast<char>(c >> 8));
        utf16be.push_back(static_cast<char>(c & 0xFF));
    }
    const std::string utf8 = Utf16ToUtf8(expected);
    const std::string ansi = "[S]\r\nname=Gr\xFC\xDF \x80\r\n";
    const std::string inputs[] = {utf16le, utf16be, "\xEF\xBB\xBF" + utf8, utf8, ansi};
    for (const std::string& bytes : inputs) EXPECT_EQ(DecodeIniBytes(bytes), expected);

    EXPECT_EQ(DecodeIniBytes(utf16le + "\x41"), expected);  // an odd last byte is dropped
    EXPECT_EQ(DecodeIniBytes(""), u"");
    EXPECT_EQ(DecodeIniBytes("\xFF\xFE"), u"");
    EXPECT_EQ(DecodeIniBytes("a\xC3"), u"a\u00C3");  // not UTF-8: the ANSI code page
    EXPECT_EQ(utf16le.substr(0, 4), std::string("\xFF\xFE[\0", 4));
}

TEST(IniWrite, ValuesReadBackExactlyWhateverTheyHold) {
    const std::u16string values[] = {
        u"plain",     u"",           u"  leading",    u"trailing  ", u"\"quoted\"", u"'single'",
        u"\"",        u"''",         u"a=b",          u"[x]",        u"\t",         u"\"half",
        u"\"  x  \"", u"C:\\Games\\Race.exe", u"\u00E9\u4E2D\U0001F3AE",
    };
    for (const std::u16string& v : values) {
        IniDocument doc;
        doc.SetString(u"S", u"k", v);
        const IniDocument back = IniDocument::FromBytes(doc.ToBytes());
        EXPECT_EQ(back.GetString(u"S", u"k", u"<default>"), v) << Utf16ToUtf8(v);
    }
}

TEST(IniWrite, LineBreaksAndNulCannotInjectEntries) {
    IniDocument doc;
    doc.SetString(u"S", u"name", u"evil\r\n[S]\r\nCurrentProfile=9");
    doc.SetString(u"S", u"cut", std::u16string(u"ab\0cd", 5));
    const IniDocument back = IniDocument::FromBytes(doc.ToBytes());
    EXPECT_EQ(back.GetString(u"S", u"name"), u"evil  [S]  CurrentProfile=9");
    EXPECT_FALSE(back.HasValue(u"S", u"CurrentProfile"));
    EXPECT_EQ(back.GetString(u"S", u"cut"), u"ab");
}

TEST(IniWrite, ChangesReplaceInPlaceAndAppendAtTheEnd) {
    IniDocument doc = IniDocument::Parse(u"; kept\r\n[A]\r\nx=1\r\nLtFlag=0\r\n[B]\r\ny=2\r\n");
    EXPECT_TRUE(doc.SetInt(u"a", u"LtFlag ", 1));   // replaced where it stands, spelling kept
    EXPECT_FALSE(doc.SetInt(u"A", u"x", 1));        // same value: no change
    EXPECT_TRUE(doc.SetInt(u"A", u"z", -5));        // new key at the end of its section
    EXPECT_TRUE(doc.SetString(u" C ", u" k ", u"v"));  // new section at the end, names trimmed
    EXPECT_EQ(doc.Serialize(), u"; kept\r\n[A]\r\nx=1\r\nLtFlag=1\r\nz=-5\r\n[B]\r\ny=2\r\n[C]\r\nk=v\r\n");
}

TEST(IniWrite, AnEmptyNamelessSectionFirstKeepsLaterOnesHidden) {
    // The first matching section is the one searched, before and after a rewrite.
    const IniDocument doc = IniDocument::Parse(u"[]\r\n[S]\r\nk=1\r\n[]\r\nk=2\r\n");
    EXPECT_EQ(Get(doc, u"", u"k"), u"<default>");
    const IniDocument again = IniDocument::FromBytes(doc.ToBytes());
    EXPECT_EQ(Get(again, u"", u"k"), u"<default>");
    EXPECT_EQ(Get(again, u"S", u"k"), u"1");
    EXPECT_EQ(again.Serialize(), doc.Serialize());
    // Keys above any header need no header of their own.
    EXPECT_EQ(IniDocument::Parse(u"[]\r\nk=3\r\n").Serialize(), u"k=3\r\n");
}

TEST(IniWrite, StructuresRoundTrip) {
    uint8_t record[780];
    for (size_t i = 0; i < sizeof record; ++i) record[i] = static_cast<uint8_t>(i * 7);
    IniDocument doc;
    doc.SetStruct(u"Setting", u"MacroKeyInfo0", record, sizeof record);
    uint8_t back[780] = {};
    ASSERT_TRUE(IniDocument::FromBytes(doc.ToBytes()).GetStruct(u"setting", u"macrokeyinfo0", back, sizeof back));
    EXPECT_EQ(std::memcmp(record, back, sizeof record), 0);
    EXPECT_EQ(doc.GetString(u"Setting", u"MacroKeyInfo0").size(), 1562u);
}

TEST(IniHostile, LongLinesAreBoundedOnReading) {
    const std::string huge(10 << 20, 'A');
    const IniDocument doc = IniDocument::FromBytes("[S]\r\nk=" + huge + "\r\n" + huge + "\r\nafter=1\r\n");
    EXPECT_EQ(doc.GetString(u"S", u"k").size(), kMaxIniStringChars);
    EXPECT_EQ(doc.GetInt(u"S", u"after", -1), 1);
    uint8_t out[4] = {};
    EXPECT_FALSE(doc.GetStruct(u"S", u"k", out, 4));
}

TEST(IniHostile, BinaryGarbageNeverBreaksTheParser) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(static_cast<size_t>(rng() % 4096), '\0');
        for (char& b : bytes) b = static_cast<char>(rng());
        if (round % 3 == 0) bytes.insert(0, "\xFF\xFE");
        if (round % 3 == 1) bytes.insert(0, "[Setting]\r\nGKey=");
        const IniDocument doc = IniDocument::FromBytes(bytes);
        uint8_t gkey[8] = {};
        (void)doc.GetStruct(u"Setting", u"GKey", gkey, sizeof gkey);
        EXPECT_LE(doc.GetString(u"Setting", u"GKey").size(), kMaxIniStringChars);
        // Whatever was parsed survives a rewrite unchanged.
        const IniDocument again = IniDocument::FromBytes(doc.ToBytes());
        EXPECT_EQ(again.Serialize(), doc.Serialize());
    }
}

TEST(IniHostile, ManyKeysStayQuickToFindAndAreCapped) {
    std::u16string text = u"[Macros]\r\n";
    const size_t count = kMaxIniEntries + 10;
    for (size_t i = 0; i < count; ++i) text += FormatInt(static_cast<long long>(i)) + u"=v\r\n";
    const IniDocument doc = IniDocument::Parse(text);
    // One line went to the section header; the rest past the cap are dropped.
    EXPECT_EQ(doc.EntryCount(u"Macros"), kMaxIniEntries - 1);
    size_t found = 0;
    for (size_t i = 0; i < count; ++i) found += doc.HasValue(u"Macros", FormatInt(static_cast<long long>(i))) ? 1 : 0;
    EXPECT_EQ(found, kMaxIniEntries - 1);
}
