// tavrelctl's command line and the arguments that name something in the
// configuration: each row is a command line or an argument and what it must give.
#include <gtest/gtest.h>

#include <cctype>

#include "config/shared_config.h"
#include "config/text.h"
#include "ctl/command_line.h"
#include "ctl/exit_status.h"
#include "ctl/targets.h"

namespace tavrel::ctl {
namespace {

struct ParseCase {
    std::vector<std::string> args;
    int exitStatus;
    std::optional<Verb> verb;  // set when a request must come out
    std::string profile, value, path;
    double timeout = 10;
    bool json = false, quiet = false;
    std::string inText;  // must appear in the help output or the error line
};

ParseCase Gives(std::vector<std::string> args, Verb verb, std::string profile = "", std::string value = "",
                std::string path = "", double timeout = 10, bool json = false, bool quiet = false) {
    return ParseCase{std::move(args), 0, verb, std::move(profile), std::move(value), std::move(path), timeout, json, quiet, ""};
}

// No request: the text must appear in the output (status 0) or in the error line (2).
ParseCase Says(std::vector<std::string> args, int status, std::string text) {
    return ParseCase{std::move(args), status, std::nullopt, "", "", "", 10, false, false, std::move(text)};
}

class CommandLine : public testing::TestWithParam<ParseCase> {};

TEST_P(CommandLine, GivesTheRequestOrTheMessage) {
    const ParseCase& c = GetParam();
    const ParseOutcome o = ParseCommandLine(c.args);
    EXPECT_EQ(o.exitStatus, c.exitStatus);
    ASSERT_EQ(o.request.has_value(), c.verb.has_value()) << o.error;
    if (c.verb) {
        EXPECT_EQ(o.request->verb, *c.verb);
        EXPECT_EQ(o.request->profile, c.profile);
        EXPECT_EQ(o.request->value, c.value);
        EXPECT_EQ(o.request->path, c.path);
        EXPECT_DOUBLE_EQ(o.request->timeoutSeconds, c.timeout);
        EXPECT_EQ(o.request->json, c.json);
        EXPECT_EQ(o.request->quiet, c.quiet);
        EXPECT_TRUE(o.error.empty() && o.output.empty());
    } else if (c.exitStatus == kExitUsage) {
        EXPECT_TRUE(o.output.empty());
        EXPECT_EQ(o.error.find('\n'), std::string::npos) << "one line: " << o.error;
        EXPECT_NE(o.error.find(c.inText), std::string::npos) << o.error;
    } else {
        EXPECT_TRUE(o.error.empty());
        EXPECT_NE(o.output.find(c.inText), std::string::npos) << o.output;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLine,
    testing::Values(
        Gives({"status"}, Verb::Status),
        Gives({"status", "--json"}, Verb::Status, "", "", "", 10, true),
        // Options stand before or after the command.
        Gives({"--timeout", "2.5", "select", "default"}, Verb::Select, "default", "", "", 2.5),
        Gives({"select", "Ärger", "--timeout", "3", "-q"}, Verb::Select, "Ärger", "", "", 3, false, true),
        Gives({"color", "2", "00a0FF"}, Verb::Color, "2", "00a0FF"),
        Gives({"effect", "1", "Wave"}, Verb::Effect, "1", "Wave"),
        Gives({"export", "3", "C:\\p.gkp"}, Verb::Export, "3", "", "C:\\p.gkp"),
        Gives({"import", "C:\\p.gkp", "default"}, Verb::Import, "default", "", "C:\\p.gkp"),
        Gives({"reset", "--yes"}, Verb::Reset),
        Gives({"backup", "D:\\b"}, Verb::Backup, "", "", "D:\\b"),
        Gives({"restore", "D:\\b"}, Verb::Restore, "", "", "D:\\b"),
        Gives({"apply"}, Verb::Apply),
        Says({"--help"}, 0, "Exit status"),
        Says({"help", "color"}, 0, "RRGGBB"),
        Says({"color", "--help"}, 0, "RRGGBB"),
        Says({"--version"}, 0, kVersionText),
        // Usage errors: one line with a hint, status 2.
        Says({}, 2, "try 'tavrelctl help'"),
        Says({"frobnicate"}, 2, "frobnicate"),
        Says({"color", "1", "12345G"}, 2, "try 'tavrelctl help color'"),
        Says({"color", "1", "1234567"}, 2, "six hexadecimal"),
        Says({"select"}, 2, "PROFILE"),
        Says({"reset"}, 2, "--yes"),
        Says({"status", "--timeout", "-1"}, 2, "timeout"),
        Says({"status", "--timeout", "nan"}, 2, "timeout"),
        Says({"color", "1", "123456", "--timeout", "inf"}, 2, "timeout"),
        Says({"help", "nothing"}, 2, "nothing"),
        Says({"apply", "extra"}, 2, "extra")));

TEST(CtlTargets, ProfilesAnswerToButtonCaptionsAndTheirNamesWithoutCase) {
    auto config = std::make_unique<SharedConfig>();
    SetDefaultProfiles(*config);
    CopyToArray(config->profiles[2].ProFileName, u"Ärger Raid");
    const std::vector<std::pair<std::string, std::optional<int>>> rows{
        {"default", 0}, {"1", 1}, {"3", 3}, {"#1", 0}, {"#4", 3}, {"ärger raid", 2},
        {"0", std::nullopt}, {"4", std::nullopt}, {"Default", std::nullopt}, {"", std::nullopt}};
    for (const auto& [text, index] : rows) EXPECT_EQ(ResolveProfile(text, *config), index) << text;
}

// The English names hold on every install, beside the installed language's.
TEST(CtlTargets, EffectsAnswerToEnglishNamesThePagesNamesAndNumbers) {
    LangTable light;
    for (int s = 1100; s <= 1113; ++s) light.Append(s == 1106 ? u"Statisch" : s == 1112 ? u"Welle" : u"");
    const std::vector<std::pair<std::string, std::optional<int>>> rows{
        {"wave", 5}, {"Welle", 5}, {"STATIC", 2}, {"statisch", 2}, {"Breathing", 3}, {"off", 1}, {"3", 3},
        {"0", std::nullopt}, {"6", std::nullopt}, {"Glow", std::nullopt}, {"", std::nullopt}};
    for (const auto& [text, type] : rows) EXPECT_EQ(ResolveEffect(text, light), type) << text;
    EXPECT_EQ(EffectText(5, light), "Welle");
    EXPECT_EQ(EffectKey(5), "wave");
    EXPECT_EQ(EffectText(4, light), "4");  // no name in the library: the number
}

// The hue slider follows a colour set from the command line, as the page keeps it.
TEST(CtlTargets, ColourMovesTheHueSliderToItsHueAndGreysLeaveIt) {
    struct Row { std::string text; Rgb rgb; int sliderPos; };
    const std::vector<Row> rows{
        {"FF0000", {255, 0, 0}, 1530}, {"ffff00", {255, 255, 0}, 1275}, {"00FF00", {0, 255, 0}, 1020},
        {"0000FF", {0, 0, 255}, 510},  {"FF00FF", {255, 0, 255}, 255},  {"800040", {128, 0, 64}, 128},
        {"808080", {128, 128, 128}, 777}};
    for (const Row& row : rows) {
        ProfileRecord p{};
        p.iCrlSliderPos = 777;
        std::optional<Rgb> colour = ParseColour(row.text);
        ASSERT_TRUE(colour) << row.text;
        EXPECT_EQ(*colour, row.rgb) << row.text;
        SetLightingColour(p, *colour);
        EXPECT_EQ(p.iCrlSliderPos, row.sliderPos) << row.text;
        std::string upper = row.text;
        for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        EXPECT_EQ(FormatColour(p), upper);
    }
    for (int h = 0; h < 1530; ++h) ASSERT_EQ(HueOfColour(HueToColour(h)), h == 0 ? 0 : h) << h;
    EXPECT_FALSE(ParseColour("12345"));
    EXPECT_FALSE(ParseColour("GG0000"));
}

}  // namespace
}  // namespace tavrel::ctl
