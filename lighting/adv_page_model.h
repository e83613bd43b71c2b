// The rules of the advanced page, without windows: the report rate and the response
// time of the current profile are coupled (500 Hz with 2 ms, 1000 Hz with 1 ms), and
// exactly the button of the current rate shows as pressed.
#pragma once

#include <string>

#include "config/records.h"

namespace tavrel {

inline constexpr int kAdvLangFirst = 300;
inline constexpr int kAdvLangLast = 308;

inline constexpr int kPollingRate500 = 1;
inline constexpr int kPollingRate1000 = 2;
inline constexpr int kCmdResponse1ms = 2001;
inline constexpr int kCmdResponse2ms = 2002;
// WM_COMMAND IDs the page treats as menu commands.
inline constexpr int kAdvMenuFirst = 1003;
inline constexpr int kAdvMenuLast = 4000;

enum class RateMark { None, Hz500, Hz1000 };

// "%d ms" of any value.
std::u16string ResponseTimeCaption(int ms);

class AdvPageModel {
public:
    RateMark Mark() const { return mark_; }

    // Each operation returns whether the mark changed, so that the view repaints the
    // two rate buttons only when their state really changes.
    bool RefreshFromProfile(const ProfileRecord& p);
    bool Click500(ProfileRecord& p);
    bool Click1000(ProfileRecord& p);
    // A WM_COMMAND ID: false outside the menu range (nothing to show). Inside it, the
    // response time is shown afterwards; markChanged tells about the buttons.
    bool MenuCommand(int id, ProfileRecord& p, bool& markChanged);

private:
    bool SetMark(RateMark m);
    RateMark mark_ = RateMark::None;
};

}  // namespace tavrel
