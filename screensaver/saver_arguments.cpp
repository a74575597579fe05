// Reading the screen saver's command line.
#include "saver_arguments.h"

#include "command_line.h"
#include "text_format.h"

namespace {

// The window number after the option letter: ":1234", " 1234" or nothing.
uint32_t ReadWindowNumber(const char* at) {
    if (*at == ':')
        ++at;
    at = SkipBlanks(at);
    if (*at < '0' || *at > '9')
        return 0;
    uint64_t value = 0;
    for (; *at >= '0' && *at <= '9'; ++at) {
        value = value * 10 + static_cast<uint64_t>(*at - '0');
        if (value > 0xFFFFFFFFu)
            return 0;
    }
    if (*at != '\0' && !IsBlank(*at))
        return 0;
    return static_cast<uint32_t>(value);
}

} // namespace

SaverRequest ParseSaverCommandLine(const char* commandLine) {
    SaverRequest settings = {SaverMode::Settings, 0};
    const char* at = FirstArgument(commandLine);
    if (*at != '/' && *at != '-')
        return settings;
    char letter = LowerCase(at[1]);
    if (letter == '\0')
        return settings;
    const char* after = at + 2;
    // "/sx" or "/settings" is not one of the options.
    if (*after != '\0' && *after != ':' && !IsBlank(*after))
        return settings;
    switch (letter) {
    case 's':
        return {SaverMode::FullScreen, 0};
    case 'p':
        return {SaverMode::Preview, ReadWindowNumber(after)};
    case 'c':
        return {SaverMode::Settings, ReadWindowNumber(after)};
    default:
        return settings;
    }
}
