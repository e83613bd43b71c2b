// An initialisation file held in memory: parsed once, read and changed by section and
// key, turned back into file bytes once. The rules follow the platform's
// private-profile functions, so files move freely between this layer and them:
//   - section and key names match case-insensitively with blanks around them ignored;
//     the first matching section is the one searched, and in it the first matching key;
//   - a line is trimmed; "[name]" opens a section; "key=value" is an entry (blanks
//     around the '=' ignored); a line without '=' is a key without value, which reads
//     as missing; nothing else is special (a ';' line is just a key nobody asks for);
//   - strings lose one pair of enclosing quotes on reading; integers read as the
//     platform reads them (leading sign, 0x/0o/0b prefixes, digits up to the first
//     other character, 32-bit wrap-around); structures use the checksummed encoding.
// Hostile content is bounded: values are cut at a NUL, and a file may hold at most
// kMaxIniEntries lines of content; lookups are hashed, so no file makes them slow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavrel {

// The string buffer size of the platform calls the program relies on: at most
// 8,191 characters come back.
constexpr size_t kMaxIniStringChars = 8191;
constexpr size_t kMaxIniEntries = size_t{1} << 18;

class IniDocument {
public:
    IniDocument() = default;

    static IniDocument Parse(std::u16string_view text);
    // Decodes the bytes of a file in any supported encoding, then parses.
    static IniDocument FromBytes(std::string_view bytes);

    // The file text with CR LF line ends, and that text as UTF-16LE with a BOM.
    std::u16string Serialize() const;
    std::string ToBytes() const;

    bool Empty() const { return m_sections.empty(); }
    void Clear();

    // The raw value of the first matching key, or null when the section or the key is
    // missing or the key line has no '='.
    const char16_t* FindValue(std::u16string_view section, std::u16string_view key, size_t* length) const;
    bool HasValue(std::u16string_view section, std::u16string_view key) const;
    // Number of entries of the first matching section.
    size_t EntryCount(std::u16string_view section) const;

    std::u16string GetString(std::u16string_view section, std::u16string_view key,
                             std::u16string_view defaultValue = {}) const;
    int32_t GetInt(std::u16string_view section, std::u16string_view key, int32_t defaultValue) const;
    // On failure out keeps its bytes.
    bool GetStruct(std::u16string_view section, std::u16string_view key, void* out, size_t n) const;

    // Create or replace an entry; a new key goes to the end of its section, a new
    // section to the end of the file. The value is stored so that reading it back,
    // here or through the platform, gives the same text: a line break or NUL would
    // split the line and becomes a blank, and a value that reading would trim or
    // unquote is written inside quotes. Return whether the content changed.
    bool SetString(std::u16string_view section, std::u16string_view key, std::u16string_view value);
    bool SetInt(std::u16string_view section, std::u16string_view key, int64_t value);
    bool SetStruct(std::u16string_view section, std::u16string_view key, const void* bytes, size_t n);

private:
    struct Span {
        size_t offset = 0;
        size_t length = 0;
    };
    struct Entry {
        Span name;
        Span value;
        bool hasValue = false;
        uint64_t hash = 0;
    };
    struct Section {
        Span name;
        uint64_t hash = 0;
        std::vector<Entry> entries;
        // Built on the first lookup of a large section: hash -> first entry with it.
        mutable std::unordered_map<uint64_t, size_t> index;
        mutable bool indexed = false;
    };

    std::u16string_view Text(Span span) const { return std::u16string_view(m_text).substr(span.offset, span.length); }
    Span Append(std::u16string_view text);
    const Section* FindSection(std::u16string_view trimmedName, uint64_t hash) const;
    const Entry* FindEntry(const Section& section, std::u16string_view trimmedName, uint64_t hash) const;
    void AddEntry(Section& section, Entry entry);
    Section& AddSection(Span name, uint64_t hash);
    void ParseLines();

    // Names and values live in one buffer; a changed value is appended to it.
    std::u16string m_text;
    std::vector<Section> m_sections;
    mutable std::unordered_map<uint64_t, size_t> m_sectionIndex;
    mutable bool m_sectionsIndexed = false;
    size_t m_lines = 0;
};

// Blank as the platform's profile parser sees it (white space and the Ctrl+Z end
// mark).
bool IsIniSpace(char16_t c);
std::u16string_view TrimIni(std::u16string_view text);

// The integer reading of the platform: at most 29 characters of the string value.
int32_t ParseIniInt(std::u16string_view value, int32_t defaultValue);

}  // namespace tavrel
