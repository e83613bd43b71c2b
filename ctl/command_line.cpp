#include "ctl/command_line.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

#include "ctl/exit_status.h"

namespace tavrel::ctl {

namespace {

constexpr char kProgram[] = "tavrelctl";

constexpr char kFooter[] =
    "PROFILE is default, 1, 2 or 3 (the profile buttons' captions) or a profile's name.\n"
    "--timeout limits the whole command: waiting for another tavrelctl, for the monitor's lock\n"
    "and for its answer.\n"
    "Exit status: 0 done; 1 the time ran out (waiting for the monitor's answer: the files and\n"
    "the section are written; otherwise nothing changed); 2 usage or bad input, nothing changed;\n"
    "3 the keyboard is not plugged in; 4 the configuration program is open (close it first;\n"
    "status, export and backup still work); 5 a file could not be written (the message names it).";

struct Commands {
    CLI::App app{"Controls the Orvane Gaming Keyboard from scripts, through its monitor.", kProgram};
    std::map<std::string, CLI::App*> byName;
    std::string helpTopic;
    CLI::App* help = nullptr;
};

// A message is one line: CLI11 may break a long one.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

CLI::App* AddCommand(Commands& c, const std::string& name, const std::string& description) {
    CLI::App* sub = c.app.add_subcommand(name, description);
    c.byName[name] = sub;
    return sub;
}

void AddProfile(CLI::App* sub, Request& r) {
    sub->add_option("PROFILE", r.profile, "default, 1, 2, 3 or the profile's name")->required();
}

void Define(Commands& c, Request& r) {
    CLI::App& app = c.app;
    app.fallthrough();  // options may stand before or after the command
    app.require_subcommand(1);
    app.set_version_flag("--version", kVersionText);
    app.footer(kFooter);
    app.get_formatter()->label("Subcommands", "Commands");
    app.get_formatter()->label("SUBCOMMAND", "COMMAND");
    app.add_option("--timeout", r.timeoutSeconds, "seconds the whole command may take (default 10)")
        ->check(CLI::Validator(
            [](std::string& text) {
                double seconds = -1;
                return CLI::detail::lexical_cast(text, seconds) && std::isfinite(seconds) && seconds >= 0
                           ? std::string()
                           : "the timeout is a number of seconds, 0 or more, not '" + text + "'";
            },
            ""))
        ->type_name("SECONDS");
    app.add_flag("--quiet,-q", r.quiet, "no line about what changed (errors are still shown)");

    const CLI::Validator colour(
        [](std::string& text) {
            return IsHexColour(text) ? std::string() : "a colour is six hexadecimal digits RRGGBB, not '" + text + "'";
        },
        "RRGGBB");

    CLI::App* status = AddCommand(c, "status", "monitor, keyboard, current profile, and each profile's name, game and lighting");
    status->add_flag("--json", r.json, "one JSON object on standard output");
    AddProfile(AddCommand(c, "select", "makes the profile current on the keyboard"), r);
    CLI::App* color = AddCommand(c, "color", "sets a profile's lighting colour, then applies");
    AddProfile(color, r);
    color->add_option("RRGGBB", r.value, "red, green and blue in hexadecimal, e.g. 00A0FF")->required()->check(colour);
    CLI::App* effect = AddCommand(c, "effect", "sets a profile's lighting effect, then applies");
    AddProfile(effect, r);
    effect->add_option("NAME", r.value, "an effect as the lighting page names it, or its number 1 to 5")->required();
    CLI::App* exp = AddCommand(c, "export", "writes a profile into a profile file (.gkp)");
    AddProfile(exp, r);
    exp->add_option("FILE", r.path, "the profile file to write (not another profile's own file in the data folder)")
        ->required();
    CLI::App* imp = AddCommand(c, "import", "reads a profile file into a profile, then applies");
    imp->add_option("FILE", r.path, "the profile file to read")->required();
    AddProfile(imp, r);
    CLI::App* reset = AddCommand(c, "reset", "puts the four profiles back to their defaults, then applies");
    reset->add_flag("--yes", r.yes, "confirms the reset (required)");
    AddCommand(c, "backup", "copies the settings, the four profiles and the macro library into a folder")
        ->add_option("FOLDER", r.path, "the folder to write")
        ->required();
    AddCommand(c, "restore", "brings back a backup folder, then applies everything")
        ->add_option("FOLDER", r.path, "a folder written by backup")
        ->required();
    AddCommand(c, "apply", "hands the configuration in the files to the keyboard, every part of it");
    c.help = app.add_subcommand("help", "shows the usage of tavrelctl or of one command");
    c.help->add_option("COMMAND", c.helpTopic, "a command");
}

const std::map<std::string, Verb>& Verbs() {
    static const std::map<std::string, Verb> verbs{
        {"status", Verb::Status}, {"select", Verb::Select},   {"color", Verb::Color},
        {"effect", Verb::Effect}, {"export", Verb::Export},   {"import", Verb::Import},
        {"reset", Verb::Reset},   {"backup", Verb::Backup},   {"restore", Verb::Restore},
        {"apply", Verb::Apply},
    };
    return verbs;
}

ParseOutcome UsageError(const std::string& what, const std::string& command) {
    ParseOutcome outcome;
    outcome.exitStatus = kExitUsage;
    outcome.error = std::string(kProgram) + ": " + OneLine(what) + " (try '" + kProgram + " help" +
                    (command.empty() ? "" : " " + command) + "')";
    return outcome;
}

// The first argument that is neither an option nor the value of --timeout.
std::string FirstWord(const std::vector<std::string>& args) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--timeout") {
            ++i;
        } else if (args[i].empty() || args[i][0] != '-') {
            return args[i];
        }
    }
    return {};
}

std::string SelectedCommand(const CLI::App& app) {
    for (const CLI::App* sub : app.get_subcommands()) return sub->get_name();
    return {};
}

}  // namespace

bool IsHexColour(const std::string& text) {
    return text.size() == 6 && std::all_of(text.begin(), text.end(), [](unsigned char ch) { return std::isxdigit(ch); });
}

bool Modifies(Verb verb) {
    switch (verb) {
    case Verb::Status:
    case Verb::Export:
    case Verb::Backup:
        return false;
    default:
        return true;
    }
}

ParseOutcome ParseCommandLine(const std::vector<std::string>& args) {
    Commands c;
    Request request;
    Define(c, request);
    const std::string word = FirstWord(args);
    if (!word.empty() && word != "help" && c.byName.count(word) == 0) return UsageError("unknown command '" + word + "'", {});
    // CLI11 takes the arguments last to first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        c.app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return ParseOutcome{std::nullopt, c.app.help(), {}, kExitDone};
    } catch (const CLI::CallForVersion& version) {
        return ParseOutcome{std::nullopt, std::string(version.what()) + "\n", {}, kExitDone};
    } catch (const CLI::ParseError& error) {
        return UsageError(error.what(), SelectedCommand(c.app));
    }
    const std::string command = SelectedCommand(c.app);
    if (command == "help") {
        if (c.helpTopic.empty()) return ParseOutcome{std::nullopt, c.app.help(), {}, kExitDone};
        auto found = c.byName.find(c.helpTopic);
        if (found == c.byName.end()) return UsageError("no command '" + c.helpTopic + "'", {});
        return ParseOutcome{std::nullopt, found->second->help(std::string(kProgram)), {}, kExitDone};
    }
    request.verb = Verbs().at(command);
    if (request.verb == Verb::Reset && !request.yes) {
        return UsageError("reset changes all four profiles: confirm it with --yes", command);
    }
    return ParseOutcome{request, {}, {}, kExitDone};
}

}  // namespace tavrel::ctl
