// The macro manager over a small sample library (the program's library stays untouched).
#include <memory>
#include <vector>

#include "config/shared_config.h"
#include "config/text.h"
#include "gallery/gallery.h"
#include "keys/win/system_keyboard_layout.h"
#include "macros/win/dlg_macro_ctrl_panel.h"
#include "macros/win/dlg_macro_man.h"

namespace {

class SampleLibrary final : public tavrel::MacroStore {
public:
    SampleLibrary() {
        Add(u"Jump", {{0x2C, 1, 120}, {0x2C, 2, 0}}, 1);
        Add(u"Reload", {{0xE1, 1, 0}, {0x15, 1, 40}, {0x15, 2, 0}, {0xE1, 2, 500}, {0xF0, 1, 0}, {0xF0, 2, 0}}, 3);
        Add(u"Dash", {}, 0);
    }
    int Count() const override { return static_cast<int>(records_.size()); }
    tavrel::MacroRecord* At(int position) override {
        return position >= 0 && position < Count() ? records_[static_cast<size_t>(position)].get() : nullptr;
    }
    void Append(std::u16string_view name) override { Add(name, {}, 0); }
    void DeleteAt(int position) override {
        if (position >= 0 && position < Count()) records_.erase(records_.begin() + position);
    }

private:
    void Add(std::u16string_view name, std::vector<tavrel::MacroEvent> events, int repeat) {
        auto record = std::make_unique<tavrel::MacroRecord>();
        tavrel::CopyToArray(record->szName, name);
        record->iRepeat = repeat;
        record->iEventCount = static_cast<int>(events.size());
        for (size_t i = 0; i < events.size(); ++i) record->Events[i] = events[i];
        records_.push_back(std::move(record));
    }
    std::vector<std::unique_ptr<tavrel::MacroRecord>> records_;
};

}  // namespace

TAVREL_GALLERY_WINDOW(L"macro-manager", [] {
    SampleLibrary library;
    tavrel::CDlgMacroMan dialog(library, tavrel::SystemLayout(), tavrel::WorkingConfig);
    return static_cast<int>(dialog.DoModal(nullptr));
});

TAVREL_GALLERY_WINDOW(L"macro-page", [] {
    SampleLibrary library;
    tavrel::SetDefaultProfiles(tavrel::WorkingConfig);
    tavrel::CDlgMacroCtrlPanel page(tavrel::WorkingConfig, library, [](HWND) {}, tavrel::SystemLayout());
    return tavrel::gallery::HostPage(page, [&] { page.RefreshMacroKeys(); });
});
