#include "config/ini_document.h"

#include <algorithm>

#include "config/ini_encoding.h"
#include "config/ini_struct.h"
#include "config/text.h"

namespace tavrel {

namespace {

// Sections with more entries than this are looked up through a hash index.
constexpr size_t kLinearLookupLimit = 16;

uint64_t NameHash(std::u16string_view name) {
    uint64_t h = 14695981039346656037ull;
    for (char16_t c : name) {
        h ^= FoldCase(c);
        h *= 1099511628211ull;
    }
    return h;
}

size_t FindChar(std::u16string_view text, size_t from, size_t to, char16_t c) {
    for (size_t i = from; i < to; ++i) {
        if (text[i] == c) return i;
    }
    return to;
}

bool IsQuote(char16_t c) { return c == u'"' || c == u'\''; }

bool ReadsAsQuoted(std::u16string_view v) { return v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front(); }

}  // namespace

bool IsIniSpace(char16_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

std::u16string_view TrimIni(std::u16string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && IsIniSpace(text[b])) ++b;
    while (e > b && IsIniSpace(text[e - 1])) --e;
    return text.substr(b, e - b);
}

int32_t ParseIniInt(std::u16string_view value, int32_t defaultValue) {
    value = value.substr(0, 29);
    if (value.empty()) return defaultValue;
    size_t i = 0;
    while (i < value.size() && value[i] <= u' ') ++i;
    bool minus = false;
    if (i < value.size() && (value[i] == u'+' || value[i] == u'-')) {
        minus = value[i] == u'-';
        ++i;
    }
    unsigned base = 10;
    if (i + 1 < value.size() && value[i] == u'0') {
        if (value[i + 1] == u'x') base = 16;
        if (value[i + 1] == u'o') base = 8;
        if (value[i + 1] == u'b') base = 2;
        if (base != 10) i += 2;
    }
    uint32_t total = 0;
    for (; i < value.size(); ++i) {
        const char16_t c = value[i];
        unsigned digit = 99;
        if (c >= u'0' && c <= u'9') digit = c - u'0';
        else if (c >= u'A' && c <= u'Z') digit = c - u'A' + 10;
        else if (c >= u'a' && c <= u'z') digit = c - u'a' + 10;
        if (digit >= base) break;
        total = total * base + digit;  // wraps like the platform's 32-bit reading
    }
    if (minus) total = 0u - total;
    return static_cast<int32_t>(total);
}

// ---- parsing and writing

IniDocument IniDocument::Parse(std::u16string_view text) {
    IniDocument doc;
    doc.m_text.assign(text);
    doc.ParseLines();
    return doc;
}

IniDocument IniDocument::FromBytes(std::string_view bytes) {
    IniDocument doc;
    doc.m_text = DecodeIniBytes(bytes);
    doc.ParseLines();
    return doc;
}

void IniDocument::ParseLines() {
    const std::u16string_view text(m_text);
    const size_t n = text.size();
    Section* current = nullptr;
    size_t pos = 0;
    while (pos < n && m_lines < kMaxIniEntries) {
        size_t start = pos;
        while (pos < n && text[pos] != u'\r' && text[pos] != u'\n') ++pos;
        size_t end = pos;
        while (pos < n && (text[pos] == u'\r' || text[pos] == u'\n')) ++pos;
        while (start < end && IsIniSpace(text[start])) ++start;
        while (end > start && IsIniSpace(text[end - 1])) --end;
        if (start >= end) continue;
        // A NUL ends a name or value, as it ends the platform's strings.
        auto cut = [&](size_t from, size_t to) {
            size_t e = FindChar(text, from, to, u'\0');
            while (e > from && IsIniSpace(text[e - 1])) --e;
            return Span{from, e - from};
        };

        ++m_lines;
        if (text[start] == u'[') {
            const size_t close = FindChar(text, start + 1, end, u']');
            if (close < end) {
                size_t b = start + 1, e = close;
                while (b < e && IsIniSpace(text[b])) ++b;
                while (e > b && IsIniSpace(text[e - 1])) --e;
                const Span name = cut(b, e);
                current = &AddSection(name, NameHash(Text(name)));
                continue;
            }
            // "[name" without its bracket is an ordinary key line.
        }
        Entry entry;
        const size_t eq = FindChar(text, start, end, u'=');
        if (eq < end) {
            size_t nameEnd = eq;
            while (nameEnd > start && IsIniSpace(text[nameEnd - 1])) --nameEnd;
            size_t valueStart = eq + 1;
            while (valueStart < end && IsIniSpace(text[valueStart])) ++valueStart;
            entry.name = cut(start, nameEnd);
            entry.value = cut(valueStart, end);
            entry.hasValue = true;
        } else {
            entry.name = cut(start, end);
            if (entry.name.length == 0) continue;  // only a NUL and what follows it
        }
        entry.hash = NameHash(Text(entry.name));
        if (current == nullptr) current = &AddSection(Span{}, NameHash({}));
        AddEntry(*current, entry);
    }
}

std::u16string IniDocument::Serialize() const {
    size_t size = 0;
    for (const Section& s : m_sections) {
        size += s.name.length + 4;
        for (const Entry& e : s.entries) size += e.name.length + e.value.length + 3;
    }
    std::u16string out;
    out.reserve(size);
    for (size_t i = 0; i < m_sections.size(); ++i) {
        const Section& s = m_sections[i];
        // Keys above the first header belong to the nameless section. A first "[]"
        // without keys keeps its header: dropped, it would hand lookups of the nameless
        // section to a later "[]".
        if (s.name.length != 0 || i != 0 || s.entries.empty()) {
            out += u'[';
            out += Text(s.name);
            out += u"]\r\n";
        }
        for (const Entry& e : s.entries) {
            out += Text(e.name);
            if (e.hasValue) {
                out += u'=';
                out += Text(e.value);
            }
            out += u"\r\n";
        }
    }
    return out;
}

std::string IniDocument::ToBytes() const { return EncodeUtf16Le(Serialize()); }

void IniDocument::Clear() { *this = IniDocument(); }

// ---- lookup

IniDocument::Span IniDocument::Append(std::u16string_view text) {
    const Span span{m_text.size(), text.size()};
    m_text.append(text);
    return span;
}

IniDocument::Section& IniDocument::AddSection(Span name, uint64_t hash) {
    m_sections.emplace_back();
    Section& s = m_sections.back();
    s.name = name;
    s.hash = hash;
    if (m_sectionsIndexed) m_sectionIndex.emplace(hash, m_sections.size() - 1);
    return s;
}

void IniDocument::AddEntry(Section& section, Entry entry) {
    section.entries.push_back(entry);
    if (section.indexed) section.index.emplace(entry.hash, section.entries.size() - 1);
}

const IniDocument::Section* IniDocument::FindSection(std::u16string_view name, uint64_t hash) const {
    auto linear = [&]() -> const Section* {
        for (const Section& s : m_sections) {
            if (s.hash == hash && EqualsNoCase(Text(s.name), name)) return &s;
        }
        return nullptr;
    };
    if (m_sections.size() <= kLinearLookupLimit) return linear();
    if (!m_sectionsIndexed) {
        m_sectionIndex.clear();
        for (size_t i = 0; i < m_sections.size(); ++i) m_sectionIndex.emplace(m_sections[i].hash, i);
        m_sectionsIndexed = true;
    }
    const auto it = m_sectionIndex.find(hash);
    if (it == m_sectionIndex.end()) return nullptr;
    const Section& s = m_sections[it->second];
    // The index holds the first section of each hash; a different name with the same
    // hash (a collision) falls back to the scan.
    return EqualsNoCase(Text(s.name), name) ? &s : linear();
}

const IniDocument::Entry* IniDocument::FindEntry(const Section& section, std::u16string_view name,
                                                 uint64_t hash) const {
    auto linear = [&]() -> const Entry* {
        for (const Entry& e : section.entries) {
            if (e.hash == hash && EqualsNoCase(Text(e.name), name)) return &e;
        }
        return nullptr;
    };
    if (section.entries.size() <= kLinearLookupLimit) return linear();
    if (!section.indexed) {
        section.index.clear();
        for (size_t i = 0; i < section.entries.size(); ++i) section.index.emplace(section.entries[i].hash, i);
        section.indexed = true;
    }
    const auto it = section.index.find(hash);
    if (it == section.index.end()) return nullptr;
    const Entry& e = section.entries[it->second];
    return EqualsNoCase(Text(e.name), name) ? &e : linear();
}

const char16_t* IniDocument::FindValue(std::u16string_view section, std::u16string_view key, size_t* length) const {
    section = TrimIni(section);
    key = TrimIni(key);
    const Section* s = FindSection(section, NameHash(section));
    if (s == nullptr) return nullptr;
    const Entry* e = FindEntry(*s, key, NameHash(key));
    if (e == nullptr || !e->hasValue) return nullptr;
    *length = e->value.length;
    return m_text.data() + e->value.offset;
}

bool IniDocument::HasValue(std::u16string_view section, std::u16string_view key) const {
    size_t length = 0;
    return FindValue(section, key, &length) != nullptr;
}

size_t IniDocument::EntryCount(std::u16string_view section) const {
    section = TrimIni(section);
    const Section* s = FindSection(section, NameHash(section));
    return s == nullptr ? 0 : s->entries.size();
}

std::u16string IniDocument::GetString(std::u16string_view section, std::u16string_view key,
                                      std::u16string_view defaultValue) const {
    size_t length = 0;
    const char16_t* raw = FindValue(section, key, &length);
    std::u16string_view v = raw != nullptr ? std::u16string_view(raw, length) : defaultValue;
    if (ReadsAsQuoted(v)) v = v.substr(1, v.size() - 2);
    return std::u16string(v.substr(0, kMaxIniStringChars));
}

int32_t IniDocument::GetInt(std::u16string_view section, std::u16string_view key, int32_t defaultValue) const {
    size_t length = 0;
    const char16_t* raw = FindValue(section, key, &length);
    if (raw == nullptr) return defaultValue;
    std::u16string_view v(raw, length);
    if (ReadsAsQuoted(v)) v = v.substr(1, v.size() - 2);
    return ParseIniInt(v, defaultValue);
}

bool IniDocument::GetStruct(std::u16string_view section, std::u16string_view key, void* out, size_t n) const {
    size_t length = 0;
    const char16_t* raw = FindValue(section, key, &length);
    return raw != nullptr && DecodeStruct(std::u16string_view(raw, length), out, n);
}

// ---- changes

bool IniDocument::SetString(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    section = TrimIni(section);
    key = TrimIni(key);
    value = value.substr(0, std::min(value.size(), value.find(u'\0')));
    std::u16string stored(value);
    std::replace_if(stored.begin(), stored.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
    if (!stored.empty() && (IsIniSpace(stored.front()) || IsIniSpace(stored.back()) || ReadsAsQuoted(stored))) {
        stored = u'"' + stored + u'"';
    }

    const uint64_t sectionHash = NameHash(section);
    auto* s = const_cast<Section*>(FindSection(section, sectionHash));
    if (s == nullptr) s = &AddSection(Append(section), sectionHash);
    const uint64_t keyHash = NameHash(key);
    auto* e = const_cast<Entry*>(FindEntry(*s, key, keyHash));
    if (e != nullptr) {
        if (e->hasValue && Text(e->value) == stored) return false;
        e->value = Append(stored);
        e->hasValue = true;
        return true;
    }
    Entry entry;
    entry.name = Append(key);
    entry.value = Append(stored);
    entry.hasValue = true;
    entry.hash = keyHash;
    AddEntry(*s, entry);
    return true;
}

bool IniDocument::SetInt(std::u16string_view section, std::u16string_view key, int64_t value) {
    return SetString(section, key, FormatInt(value));
}

bool IniDocument::SetStruct(std::u16string_view section, std::u16string_view key, const void* bytes, size_t n) {
    return SetString(section, key, EncodeStruct(bytes, n));
}

}  // namespace tavrel
