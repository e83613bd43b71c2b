// CTavrelApp: the application object. It prepares the process (common controls, the
// popup menu hook, the program folder), runs the main window modally and returns
// when the main window has closed, which ends the program.
#pragma once

namespace tavrel {

class CTavrelApp {
public:
    // The whole program; returns the process exit code.
    int Run();
};

}  // namespace tavrel
