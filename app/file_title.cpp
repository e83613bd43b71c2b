#include "app/file_title.h"

namespace tavrel {

std::u16string FileTitle(std::u16string_view path) {
    const size_t slash = path.find_last_of(u"\\/:");
    std::u16string_view name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(u'.');
    // A leading dot (".gkp") is a name with no title, not an extension of nothing.
    if (dot != std::u16string_view::npos) name = name.substr(0, dot);
    return std::u16string(name);
}

std::u16string ChosenPath(std::u16string_view buffer, size_t firstNameOffset) {
    const std::u16string_view first = buffer.substr(0, buffer.find(u'\0'));
    const bool several = firstNameOffset > first.size() && firstNameOffset < buffer.size();
    if (!several) return std::u16string(first);
    std::u16string_view name = buffer.substr(firstNameOffset);
    name = name.substr(0, name.find(u'\0'));
    std::u16string path(first);
    // A drive's root folder ("C:\\") already ends in its separator.
    if (!path.empty() && path.back() != u'\\') path += u'\\';
    path += name;
    return path;
}

std::u16string_view CutText(std::u16string_view text, size_t maxUnits) {
    if (text.size() <= maxUnits) return text;
    size_t n = maxUnits;
    if (n > 0 && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
    return text.substr(0, n);
}

}  // namespace tavrel
