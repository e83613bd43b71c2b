// The macro manager's and the macro page's view of the program-wide macro library:
// records reached by position, edited in place, appended and removed. The program's
// implementation forwards to the library in config/; tests use an in-memory double.
#pragma once

#include <string_view>

#include "config/records.h"

namespace tavrel {

class MacroStore {
public:
    virtual ~MacroStore() = default;
    virtual int Count() const = 0;
    // The record at position; null outside 0..Count()-1. The store owns it; it stays
    // valid until the next Append or DeleteAt.
    virtual MacroRecord* At(int position) = 0;
    // Appends a zero-filled record named name (repeat 0, no events).
    virtual void Append(std::u16string_view name) = 0;
    // Removes and frees the record at position; nothing happens outside the list.
    virtual void DeleteAt(int position) = 0;
};

}  // namespace tavrel
