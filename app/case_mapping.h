// Letter case as the platform maps it. The game link dialog's edit shows a path in the
// platform's capitals, and that is the form stored in a profile, so a browsed path is
// compared with the stored ones through the same mapping, whatever alphabet it uses.
#pragma once

#include <string>
#include <string_view>

namespace tavrel {

class CaseMapping {
public:
    virtual ~CaseMapping() = default;
    // The text in capitals, one code unit for each.
    virtual std::u16string Upper(std::u16string_view text) const = 0;
};

}  // namespace tavrel
