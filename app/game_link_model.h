// The rules of the game link dialog: which texts its two edits start with, what a
// browsed game executable does to them, and what OK stores in the profile.
#pragma once

#include "app/case_mapping.h"
#include "config/records.h"

#include <string>
#include <string_view>

namespace tavrel {

class GameLinkModel {
public:
    // mode 0 edits the current profile's name and game, mode 1 starts with both empty.
    // The model keeps references to the block and the mapping; the current profile
    // must be 0..3. Game paths are compared in the mapping's capitals.
    GameLinkModel(SharedConfig& working, int mode, const CaseMapping& caseMapping);

    const std::u16string& Name() const { return name_; }
    const std::u16string& GameFile() const { return gameFile_; }

    // The name as the user typed it (the edit holds it, the model mirrors it).
    void SetName(std::u16string_view name);
    // The game path as its edit holds it: the edit shows capitals, and the capitals
    // are what is stored.
    void SetGameFile(std::u16string_view path);

    enum class BrowseResult { Accepted, LinkedElsewhere, TooLong, Empty };
    // A game already linked to another profile (in the same capitals) is refused, and so
    // is a path the record could only hold cut off; both leave the edits unchanged.
    // Accepted: the path becomes the game and an empty name becomes the file title.
    BrowseResult Browse(std::u16string_view path);

    // OK: both texts into the current profile, cut to the record's arrays.
    void Store();

    // Characters each edit can hold (the arrays less their terminators).
    static constexpr size_t kNameLimit = kProfileNameChars - 1;
    static constexpr size_t kGameFileLimit = kGameFileChars - 1;

private:
    SharedConfig& working_;
    const CaseMapping& caseMapping_;
    std::u16string name_;
    std::u16string gameFile_;
};

}  // namespace tavrel
