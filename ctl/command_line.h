// tavrelctl's command line: the commands, their arguments and options, help texts
// and usage errors. Arguments arrive as UTF-8.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavrel::ctl {

enum class Verb { Status, Select, Color, Effect, Export, Import, Reset, Backup, Restore, Apply };

struct Request {
    Verb verb = Verb::Status;
    std::string profile;  // PROFILE as typed
    std::string value;    // RRGGBB, or the effect's name or number
    std::string path;     // FILE or FOLDER
    bool json = false;
    bool yes = false;
    bool quiet = false;
    double timeoutSeconds = 10;
};

// Either a request to carry out, or a text for standard output (help, version) with
// exit status 0, or one line for standard error (a usage error) with status 2.
struct ParseOutcome {
    std::optional<Request> request;
    std::string output;
    std::string error;
    int exitStatus = 0;
};

inline constexpr char kVersionText[] = "tavrelctl 1.0.0";

ParseOutcome ParseCommandLine(const std::vector<std::string>& args);

// Whether a command changes the configuration (and so refuses while the program runs).
bool Modifies(Verb verb);

// "RRGGBB": exactly six hexadecimal digits.
bool IsHexColour(const std::string& text);

}  // namespace tavrel::ctl
