// The capitals an edit control with ES_UPPERCASE shows (CharUpperBuffW).
#pragma once

#include "app/case_mapping.h"

namespace tavrel {

class PlatformCaseMapping final : public CaseMapping {
public:
    std::u16string Upper(std::u16string_view text) const override;
};

}  // namespace tavrel
