// Reading command lines.
#include "command_line.h"

#include "text_format.h"

namespace {

// The end of the word at at: after its closing quote when it opens one (or at the NUL when
// the quote is never closed), else at the first blank.
const char* EndOfWord(const char* at) {
    if (*at == '"') {
        ++at;
        while (*at != '\0' && *at != '"')
            ++at;
        return *at == '"' ? at + 1 : at;
    }
    while (*at != '\0' && !IsBlank(*at))
        ++at;
    return at;
}

} // namespace

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

const char* SkipBlanks(const char* at) {
    while (IsBlank(*at))
        ++at;
    return at;
}

const char* FirstArgument(const char* commandLine) {
    return SkipBlanks(EndOfWord(commandLine));
}

CommandArgument NextArgument(const char*& at) {
    const char* end = EndOfWord(at);
    CommandArgument argument = {at, static_cast<uint32_t>(end - at)};
    at = SkipBlanks(end);
    return argument;
}

bool IsSwitch(const CommandArgument& argument, const char* name) {
    const char* text = argument.Text;
    uint32_t length = argument.Length;
    if (length >= 2 && text[0] == '"' && text[length - 1] == '"')
        ++text, length -= 2;
    if (length == 0 || (text[0] != '/' && text[0] != '-'))
        return false;
    return AfterWithoutCase(text + 1, name) == text + length;
}
