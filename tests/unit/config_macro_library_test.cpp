#include "config/macro_library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "config/ini_encoding.h"
#include "config/ini_file.h"
#include "config/ini_struct.h"
#include "config/shared_config.h"
#include "config/text.h"
#include "tests/unit/support/ini_key_order.h"
#include "tests/unit/support/memory_file_system.h"

using namespace tavrel;
using tavrel::test::IniKeysInFileOrder;
using tavrel::test::MemoryFileSystem;

namespace {

const std::u16string kAppData = u"C:\\AppData";
const std::u16string kLibrary = u"C:\\AppData\\Orvane Gaming Keyboard\\sequence.dat";

struct Fixture {
    MemoryFileSystem files;
    FixedDataFolder folder{kAppData};
    Storage storage{files, folder};
    Fixture() { files.AddFolder(kAppData); }
};

MacroRecord Macro(std::u16string_view name, int events, int repeat = 1) {
    MacroRecord r{};
    CopyToArray(r.szName, name);
    r.iRepeat = repeat;
    r.iEventCount = events;
    for (int i = 0; i < events; ++i) {
        r.Events[i] = MacroEvent{static_cast<uint8_t>(4 + i / 2), static_cast<uint8_t>(i % 2 + 1),
                                 static_cast<uint16_t>(10 * i)};
    }
    return r;
}

MacroKeyInfo SlotFor(const MacroRecord& r) {
    MacroKeyInfo slot{};
    slot.byType = 3;
    CopyToArray(slot.szText, ArrayText(r.szName));
    slot.wEventCount = static_cast<uint16_t>(r.iEventCount);
    slot.iRepeat = r.iRepeat;
    std::memcpy(slot.Events, r.Events, sizeof slot.Events);
    return slot;
}

bool SameRecord(const MacroRecord& a, const MacroRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

TEST(MacroLibraryFile, EmptyLibrarySavesOnlyANumberOfZero) {
    Fixture f;
    MacroLibrary lib;
    ASSERT_TRUE(SaveMacroLibrary(lib, f.storage));  // creates the data folder on the way
    EXPECT_EQ(DecodeIniBytes(f.files.Bytes(kLibrary)), u"[Macros]\r\nnumber=0\r\n");
}

TEST(MacroLibraryFile, SaveThenLoadGivesEqualRecordsInOrder) {
    Fixture f;
    MacroLibrary lib;
    lib.Append(Macro(u"Jump", 2));
    lib.Append(Macro(u"Combo", 50, 255));
    lib.Append(Macro(std::u16string(49, u'L'), 0, 0));
    ASSERT_TRUE(SaveMacroLibrary(lib, f.storage));
    const std::u16string text = DecodeIniBytes(f.files.Bytes(kLibrary));
    const std::vector<std::u16string> keys = {u"Macros/number", u"Macros/0", u"Macros/1", u"Macros/2"};
    EXPECT_EQ(IniKeysInFileOrder(text), keys);
    const size_t value = text.find(u"\r\n0=") + 4;
    EXPECT_EQ(text.find(u"\r\n", value) - value, 618u);

    MacroLibrary back;
    ASSERT_TRUE(LoadMacroLibrary(back, f.storage));
    ASSERT_EQ(back.Count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(SameRecord(*back.At(i), *lib.At(i))) << i;
}

TEST(MacroLibraryFile, SavingDropsEntriesOfDeletedMacros) {
    Fixture f;
    MacroLibrary lib;
    for (int i = 0; i < 5; ++i) AppendMacro(lib, u"m" + FormatInt(i));
    ASSERT_TRUE(SaveMacroLibrary(lib, f.storage));
    DeleteMacroAt(lib, 1);
    DeleteMacroAt(lib, 9);  // no such position: nothing happens
    ASSERT_TRUE(SaveMacroLibrary(lib, f.storage));
    const CIniFile ini(kLibrary, f.files);
    EXPECT_EQ(ini.GetInt(u"Macros", u"number", -1), 4);
    EXPECT_FALSE(ini.HasValue(u"Macros", u"4"));
    MacroLibrary back;
    LoadMacroLibrary(back, f.storage);
    ASSERT_EQ(back.Count(), 4);
    EXPECT_EQ(ArrayText(back.At(1)->szName), u"m2");
}

TEST(MacroLibraryFile, OnlyAChangedLibraryOrADifferentFileIsWritten) {
    Fixture f;
    MacroLibrary lib;
    AppendMacro(lib, u"Jump");
    ASSERT_TRUE(SaveMacroLibrary(lib, f.storage));
    const std::string saved = f.files.Bytes(kLibrary);
    const int writes = f.files.replaceCount;
    ASSERT_TRUE(SaveMacroLibrary(lib, f.storage));
    EXPECT_EQ(f.files.replaceCount, writes) << "the same bytes again";
    f.files.PutFile(kLibrary, saved + "x");
    ASSERT_TRUE(SaveMacroLibrary(lib, f.storage));
    EXPECT_EQ(f.files.Bytes(kLibrary), saved) << "a file that differs is replaced";
    // A rename of the same length leaves the file's size as it was: only its bytes tell.
    CopyToArray(lib.At(0)->szName, u"Jumq");
    ASSERT_TRUE(SaveMacroLibrary(lib, f.storage));
    EXPECT_EQ(f.files.Bytes(kLibrary).size(), saved.size());
    MacroLibrary renamed;
    ASSERT_TRUE(LoadMacroLibrary(renamed, f.storage));
    EXPECT_EQ(ArrayText(renamed.At(0)->szName), u"Jumq") << "a renamed macro is saved";
    AppendMacro(lib, u"Dash");
    ASSERT_TRUE(SaveMacroLibrary(lib, f.storage));
    EXPECT_EQ(f.files.replaceCount, writes + 3);
}

TEST(MacroLibraryFile, NumbersThatYieldAnEmptyLibrary) {
    const char* files[] = {nullptr, "", "[Macros]\r\n", "[Macros]\r\nnumber=0\r\n", "[Macros]\r\nnumber=-3\r\n0=00\r\n"};
    for (const char* content : files) {
        Fixture f;
        if (content != nullptr) {
            f.files.AddFolder(kAppData + u"\\Orvane Gaming Keyboard");
            f.files.PutFile(kLibrary, content);
        }
        MacroLibrary lib;
        LoadMacroLibrary(lib, f.storage);
        EXPECT_TRUE(lib.Empty()) << (content ? content : "(no file)");
    }
}

TEST(MacroLibraryFile, LoadingIntoAFilledLibraryReadsNothing) {
    Fixture f;
    MacroLibrary lib;
    lib.Append(Macro(u"a", 2));
    ASSERT_TRUE(SaveMacroLibrary(lib, f.storage));
    LoadMacroLibrary(lib, f.storage);
    EXPECT_EQ(lib.Count(), 1);
    FreeMacroLibrary(lib);
    EXPECT_TRUE(lib.Empty());
    LoadMacroLibrary(lib, f.storage);
    EXPECT_EQ(lib.Count(), 1);
}

TEST(MacroLibraryFile, DamagedEntriesAreSkippedAndNumberIsBounded) {
    Fixture f;
    f.files.AddFolder(kAppData + u"\\Orvane Gaming Keyboard");
    IniDocument doc;
    doc.SetString(u"Macros", u"number", u"2000000000");
    MacroRecord good = Macro(u"good", 4);
    MacroRecord tooMany = Macro(u"many", 50);
    tooMany.iEventCount = 51;
    MacroRecord negative = Macro(u"neg", 0);
    negative.iEventCount = -1;
    MacroRecord unterminated = Macro(u"", 2);
    std::fill(std::begin(unterminated.szName), std::end(unterminated.szName), u'u');
    doc.SetStruct(u"Macros", u"0", &good, sizeof good);
    doc.SetStruct(u"Macros", u"1", &tooMany, sizeof tooMany);
    doc.SetStruct(u"Macros", u"2", &negative, sizeof negative);
    doc.SetString(u"Macros", u"3", EncodeStruct(&good, sizeof good).substr(2));  // short
    doc.SetString(u"Macros", u"4", u"zz");
    doc.SetStruct(u"Macros", u"5", &unterminated, sizeof unterminated);
    doc.SetStruct(u"Macros", u"6", &good, sizeof good - 1);  // one byte short
    f.files.PutFile(kLibrary, doc.ToBytes());

    MacroLibrary lib;
    LoadMacroLibrary(lib, f.storage);
    ASSERT_EQ(lib.Count(), 2);
    EXPECT_TRUE(SameRecord(*lib.At(0), good));
    EXPECT_EQ(ArrayText(lib.At(1)->szName).size(), 49u);
}

TEST(MacroLibrarySlots, FindTrimsLibraryNamesAndIgnoresCase) {
    MacroLibrary lib;
    lib.Append(Macro(u"other", 2));
    lib.Append(Macro(u" jump ", 4));
    lib.Append(Macro(u"JUMP", 4));
    const MacroKeyInfo slot = SlotFor(Macro(u"Jump", 4));
    int position = 99, identical = 99;
    EXPECT_TRUE(FindMacroForSlot(lib, slot, position, identical));
    EXPECT_EQ(position, 1);
    EXPECT_EQ(identical, 1);

    const MacroKeyInfo unknown = SlotFor(Macro(u"Run", 4));
    EXPECT_FALSE(FindMacroForSlot(lib, unknown, position, identical));
    EXPECT_EQ(position, -1);
    EXPECT_EQ(identical, 0);
}

TEST(MacroLibrarySlots, AnyDifferenceInCountRepeatOrEventBytesIsNotIdentical) {
    struct Case {
        const char* what;
        void (*edit)(MacroKeyInfo&);
    } cases[] = {
        {"count", [](MacroKeyInfo& s) { s.wEventCount = 3; }},
        {"repeat", [](MacroKeyInfo& s) { s.iRepeat = 2; }},
        {"code", [](MacroKeyInfo& s) { s.Events[3].byCode ^= 1; }},
        {"state", [](MacroKeyInfo& s) { s.Events[0].byState = 2; }},
        {"delay", [](MacroKeyInfo& s) { s.Events[2].wDelay = 1; }},
    };
    for (const Case& c : cases) {
        MacroLibrary lib;
        lib.Append(Macro(u"Jump", 4));
        MacroKeyInfo slot = SlotFor(Macro(u"jump", 4));
        c.edit(slot);
        int position = -1, identical = -1;
        EXPECT_FALSE(FindMacroForSlot(lib, slot, position, identical)) << c.what;
        EXPECT_EQ(position, 0) << c.what;
        EXPECT_EQ(identical, 0) << c.what;

        auto config = std::make_unique<SharedConfig>();
        config->profiles[1].MacroKeyInfo[14] = slot;
        SyncMacroLibrary(lib, *config);
        ASSERT_EQ(lib.Count(), 1) << c.what;
        EXPECT_EQ(ArrayText(lib.At(0)->szName), u"Jump") << c.what;  // the library keeps its name
        EXPECT_EQ(lib.At(0)->iEventCount, slot.wEventCount) << c.what;
        EXPECT_EQ(lib.At(0)->iRepeat, slot.iRepeat) << c.what;
        EXPECT_EQ(std::memcmp(lib.At(0)->Events, slot.Events, sizeof slot.Events), 0) << c.what;
    }
}

TEST(MacroLibrarySlots, EventsBeyondTheCountDoNotMatter) {
    MacroLibrary lib;
    lib.Append(Macro(u"Jump", 2));
    MacroKeyInfo slot = SlotFor(Macro(u"Jump", 2));
    slot.Events[2].byCode = 0x55;
    int position = -1, identical = -1;
    EXPECT_TRUE(FindMacroForSlot(lib, slot, position, identical));
}

TEST(MacroLibrarySlots, AddCopiesAtMostFiftyEventsAndNeedsAName) {
    MacroLibrary lib;
    MacroKeyInfo slot = SlotFor(Macro(u"Big", 50));
    slot.wEventCount = 9999;
    AddMacroFromSlot(lib, slot);
    ASSERT_EQ(lib.Count(), 1);
    EXPECT_EQ(lib.At(0)->iEventCount, 50);
    EXPECT_EQ(std::memcmp(lib.At(0)->Events, slot.Events, sizeof slot.Events), 0);

    MacroKeyInfo unnamed = SlotFor(Macro(u"", 2));
    AddMacroFromSlot(lib, unnamed);
    EXPECT_EQ(lib.Count(), 1);

    MacroKeyInfo unterminated = SlotFor(Macro(u"", 2));
    std::fill(std::begin(unterminated.szText), std::end(unterminated.szText), u'n');
    AddMacroFromSlot(lib, unterminated);
    ASSERT_EQ(lib.Count(), 2);
    EXPECT_EQ(ArrayText(lib.At(1)->szName).size(), 20u);  // the whole field, terminated in the record
}

TEST(MacroLibrarySlots, SyncVisitsMacroSlotsZeroToFourteenOfEveryProfile) {
    auto config = std::make_unique<SharedConfig>();
    config->profiles[0].MacroKeyInfo[0] = SlotFor(Macro(u"First", 2));
    config->profiles[3].MacroKeyInfo[14] = SlotFor(Macro(u"Last", 2));
    config->profiles[2].MacroKeyInfo[15] = SlotFor(Macro(u"Slot15", 2));  // never looked at
    MacroKeyInfo notMacro = SlotFor(Macro(u"Shortcut", 2));
    notMacro.byType = 2;
    config->profiles[1].MacroKeyInfo[3] = notMacro;
    config->profiles[1].MacroKeyInfo[4] = SlotFor(Macro(u"", 2));
    // Same name twice with different contents: the later slot wins.
    config->profiles[1].MacroKeyInfo[5] = SlotFor(Macro(u"Twice", 2, 1));
    config->profiles[2].MacroKeyInfo[0] = SlotFor(Macro(u"twice", 4, 7));

    MacroLibrary lib;
    SyncMacroLibrary(lib, *config);
    ASSERT_EQ(lib.Count(), 3);
    EXPECT_EQ(ArrayText(lib.At(0)->szName), u"First");
    EXPECT_EQ(ArrayText(lib.At(1)->szName), u"Twice");
    EXPECT_EQ(lib.At(1)->iEventCount, 4);
    EXPECT_EQ(lib.At(1)->iRepeat, 7);
    EXPECT_EQ(ArrayText(lib.At(2)->szName), u"Last");
}

TEST(MacroLibrarySlots, SyncBoundsAHostileEventCount) {
    auto config = std::make_unique<SharedConfig>();
    MacroKeyInfo slot = SlotFor(Macro(u"Jump", 4));
    slot.wEventCount = 60000;
    config->profiles[0].MacroKeyInfo[1] = slot;
    MacroLibrary lib;
    lib.Append(Macro(u"jump", 4));
    SyncMacroLibrary(lib, *config);
    EXPECT_EQ(lib.At(0)->iEventCount, 50);
}

TEST(MacroLibraryList, AppendDeleteAndStableAddresses) {
    MacroLibrary lib;
    EXPECT_EQ(AppendMacro(lib, u"a"), 0);
    MacroRecord* first = lib.At(0);
    for (int i = 0; i < 200; ++i) AppendMacro(lib, u"x");
    EXPECT_EQ(lib.At(0), first);  // edited in place by the manager while others are added
    EXPECT_EQ(AppendMacro(lib, std::u16string(80, u'n')), 201);
    EXPECT_EQ(ArrayText(lib.At(201)->szName).size(), 49u);
    EXPECT_EQ(lib.At(201)->iEventCount, 0);
    EXPECT_EQ(lib.At(201)->iRepeat, 0);
    EXPECT_EQ(lib.At(202), nullptr);
    EXPECT_EQ(lib.At(-1), nullptr);
    DeleteMacroAt(lib, -1);
    DeleteMacroAt(lib, 0);
    EXPECT_EQ(lib.Count(), 201);
    EXPECT_EQ(ArrayText(lib.At(0)->szName), u"x");
}
