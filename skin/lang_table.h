// A window's list of language strings: entry i holds string number first + i of the
// window's range. A missing library or string leaves that entry empty, so the other
// entries keep their places.
#pragma once

#include <string>
#include <vector>

namespace tavrel {

class LangTable {
public:
    // Empty text for an index outside the table.
    const std::u16string& Get(size_t index) const {
        static const std::u16string empty;
        return index < entries_.size() ? entries_[index] : empty;
    }
    size_t Size() const { return entries_.size(); }
    void Clear() { entries_.clear(); }
    void Append(std::u16string text) { entries_.push_back(std::move(text)); }

private:
    std::vector<std::u16string> entries_;
};

}  // namespace tavrel
