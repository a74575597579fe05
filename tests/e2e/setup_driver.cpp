// The setup program driven from outside.
#include "setup_driver.h"

#include "setup_look.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

std::string Tool(const char* name) {
    return desktop::BuildDir() + "/test-tools/" + name;
}

// The value of "name=..." in key=value lines.
std::string Field(const std::string& text, const std::string& name) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') // Windows programs end lines with CR LF
            line.pop_back();
        if (line.compare(0, name.size() + 1, name + "=") == 0)
            return line.substr(name.size() + 1);
    }
    return {};
}

// The text as box_probe wrote it, its escapes undone.
std::string Unescaped(const std::string& text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            plain += text[i];
            continue;
        }
        char c = text[++i];
        plain += c == 'r' ? '\r' : c == 'n' ? '\n' : c;
    }
    return plain;
}

desktop::Rect ParseRect(const std::string& text) {
    desktop::Rect r = {-1, -1, -1, -1};
    sscanf(text.c_str(), "%d,%d,%d,%d", &r.x, &r.y, &r.width, &r.height);
    return r;
}

} // namespace

WindowFacts ProbeWindow(const std::string& caption, double seconds) {
    std::string out = desktop::RunWine({Tool("window_probe.exe"), caption, std::to_string(seconds)},
                                       seconds + 20);
    WindowFacts facts;
    facts.className = Field(out, "class");
    facts.caption = Field(out, "caption");
    facts.frame = ParseRect(Field(out, "frame"));
    facts.client = ParseRect(Field(out, "client"));
    facts.style = static_cast<uint32_t>(strtoul(Field(out, "style").c_str(), nullptr, 16));
    facts.exStyle = static_cast<uint32_t>(strtoul(Field(out, "exstyle").c_str(), nullptr, 16));
    facts.captionHeight = atoi(Field(out, "caption_height").c_str());
    facts.frameBorder = atoi(Field(out, "frame_border").c_str());
    facts.foreground = Field(out, "foreground") == "1";
    return facts;
}

SeenBox AnswerBox(const std::string& caption, const std::string& answer, double seconds) {
    int status = -1;
    std::string out = desktop::RunWine(
        {Tool("box_probe.exe"), caption, answer, std::to_string(seconds)}, seconds + 20, &status);
    SeenBox box;
    box.Shown = status == 0;
    box.Caption = Field(out, "caption");
    box.Text = Unescaped(Field(out, "text"));
    box.Flags = static_cast<unsigned>(strtoul(Field(out, "flags").c_str(), nullptr, 16));
    return box;
}

testing::AssertionResult BoxAnswered(const ExpectedBox& expected, const std::string& answer) {
    return ShowsBox(AnswerBox(expected.Caption, answer), expected);
}

bool OpenableInWine(const std::string& windowsPath) {
    int status = -1;
    desktop::RunWine({Tool("file_holder.exe"), windowsPath, "0"}, 30, &status);
    if (status != 0 && status != 1) // 1: it could not be opened
        ADD_FAILURE() << "file_holder.exe could not tell whether " << windowsPath
                      << " can be opened: status " << status;
    return status == 0;
}

desktop::Image RenderCaption(const std::string& text, bool selected) {
    char fillHex[8], colourHex[8];
    snprintf(fillHex, sizeof fillHex, "%06X", selected ? look::SelectedFill : look::NormalFill);
    snprintf(colourHex, sizeof colourHex, "%06X", selected ? look::SelectedCaption : look::Caption);
    std::istringstream out(
        desktop::RunWine({Tool("caption_render.exe"), text, fillHex, colourHex}));
    desktop::Image image;
    out >> image.width >> image.height;
    std::string hex;
    while (out >> hex) {
        unsigned long rgb = strtoul(hex.c_str(), nullptr, 16);
        image.pixels.push_back({static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                                static_cast<uint8_t>(rgb)});
    }
    if (image.width != look::CaptionWidth || image.height != look::CaptionHeight ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height)
        ADD_FAILURE() << "caption_render gave " << image.width << " x " << image.height << " in "
                      << image.pixels.size() << " pixels";
    return image;
}

int CaptionDifferences(const desktop::Image& client, int i, const desktop::Image& caption) {
    if (caption.width != look::CaptionWidth || caption.height != look::CaptionHeight)
        return -1;
    const look::Box& band = look::CaptionBand;
    int differences = 0;
    for (int y = band.Top; y <= band.Bottom; ++y)
        for (int x = band.Left; x <= band.Right; ++x)
            differences +=
                client.At(look::Buttons[i].Left + x, look::Buttons[i].Top + y) != caption.At(x, y);
    return differences;
}

SetupRun::SetupRun() {
    program_ = std::make_unique<desktop::WineProgram>(
        std::vector<std::string>{desktop::BuildDir() + "/setup.exe"});
    window_ = desktop::WaitForWindow(" Setup", 30);
    if (window_ != 0)
        client_ = ProbeWindow(" Setup").client;
}

void SetupRun::Press(const std::string& keys) {
    desktop::PressKey(keys, window_);
}

void SetupRun::MoveTo(int x, int y) {
    desktop::MovePointer(client_.x + x, client_.y + y);
}

desktop::Image SetupRun::Client() const {
    desktop::Image screen = desktop::Screenshot();
    desktop::Image client;
    client.width = client_.width;
    client.height = client_.height;
    for (int y = 0; y < client.height; ++y)
        for (int x = 0; x < client.width; ++x)
            client.pixels.push_back(screen.At(client_.x + x, client_.y + y));
    return client;
}

int SetupRun::WaitForExit(double seconds) {
    int code = -1;
    return program_->WaitForExit(seconds, &code) ? code : -1;
}

int SetupRun::ExitWithEscape() {
    Press("Escape");
    return WaitForExit(10);
}
