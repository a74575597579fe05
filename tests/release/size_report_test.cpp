// tools/size-report on the main build, checked against the file itself: the overhead, every
// section's size as the section table gives it, the carried blocks as the objects that hold
// them, and every byte of the file accounted for.
#include "file_bytes.h"
#include "pe_file.h"
#include "program_run.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string Build = MAIN_BUILD;

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

class SizeReport : public ::testing::Test {
  protected:
    void SetUp() override {
        run = RunProgram({SIZE_REPORT, Build}, 60);
        ASSERT_EQ(run.ExitStatus, 0) << run.Messages();
        std::istringstream in(run.Output);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        file = ReadFileVector(Build + "/setup.exe");
        pe = ParsePe(file);
    }
    // The numbers on the line that starts with label, after the label.
    std::vector<long> Numbers(const std::string& label) const {
        for (const std::string& line : lines) {
            if (line.compare(0, label.size(), label) != 0 ||
                (line.size() > label.size() && line[label.size()] != ' '))
                continue;
            std::vector<long> numbers;
            for (const std::string& word : Words(line.substr(label.size())))
                numbers.push_back(word == "." || word == "-" ? 0 : std::stol(word));
            return numbers;
        }
        ADD_FAILURE() << "no line for " << label << " in\n" << run.Output;
        return {};
    }
    ProgramRun run;
    std::vector<std::string> lines;
    std::vector<uint8_t> file;
    PeFile pe;
};

TEST_F(SizeReport, OverheadIsTheFileLessWhatItCarries) {
    long carried = static_cast<long>(ReadFileVector(Build + "/Flarvex.scr").size() +
                                     ReadFileVector(Build + "/wallpaper.rle").size());
    EXPECT_EQ(Numbers("  overhead"), std::vector<long>{static_cast<long>(file.size()) - carried});
}

TEST_F(SizeReport, SectionsAreTheSectionTable) {
    long sum = Numbers("(headers)").at(0) + Numbers("(signature)").at(0);
    EXPECT_EQ(Numbers("(signature)").at(0), static_cast<long>(pe.CertificateSize));
    for (const PeSection& section : pe.Sections) {
        SCOPED_TRACE(section.Name);
        EXPECT_EQ(Numbers(section.Name),
                  (std::vector<long>{section.FileSize, section.VirtualSize}));
        sum += section.FileSize;
    }
    EXPECT_EQ(sum, static_cast<long>(file.size()));
    EXPECT_EQ(Numbers("total"), std::vector<long>{static_cast<long>(file.size())});
}

TEST_F(SizeReport, ObjectsAccountForEveryByteOfTheSections) {
    // The object table's columns are the sections in order, then the file bytes.
    size_t columns = pe.Sections.size() + 1;
    std::vector<long> sums(columns, 0);
    bool inTable = false;
    for (const std::string& line : lines) {
        if (line.compare(0, 7, "Object:") == 0) {
            inTable = true;
            continue;
        }
        if (inTable && line.compare(0, 5, "(the ") == 0)
            break; // the table's closing note
        if (!inTable || line.empty())
            continue;
        std::vector<std::string> words = Words(line);
        ASSERT_GT(words.size(), columns) << line;
        for (size_t c = 0; c < columns; ++c) {
            const std::string& word = words[words.size() - columns + c];
            sums[c] += word == "." ? 0 : std::stol(word);
        }
    }
    ASSERT_TRUE(inTable) << run.Output;
    long contents = 0;
    for (size_t s = 0; s < pe.Sections.size(); ++s) {
        const PeSection& section = pe.Sections[s];
        // A section with file bytes: its content and the padding to the file alignment;
        // one without (.bss): its memory.
        long expected = section.FileSize ? section.FileSize : section.VirtualSize;
        EXPECT_EQ(sums[s], expected) << section.Name;
        contents += section.FileSize;
    }
    EXPECT_EQ(sums.back(), contents) << "the objects' file bytes";
}

TEST_F(SizeReport, ShowsTheCarriedBlocksAsTheirObjects) {
    size_t rdata = 0;
    while (rdata < pe.Sections.size() && pe.Sections[rdata].Name != ".rdata")
        ++rdata;
    ASSERT_LT(rdata, pe.Sections.size());
    long saver = static_cast<long>(ReadFileVector(Build + "/Flarvex.scr").size());
    long wallpaper = static_cast<long>(ReadFileVector(Build + "/wallpaper.rle").size());
    // Each block is aligned within .rdata, at most to 16 bytes.
    long payload = Numbers("payload_block.S.obj (libpayload.a)").at(rdata);
    EXPECT_GE(payload, saver);
    EXPECT_LT(payload, saver + 16);
    long stream = Numbers("wallpaper_stream.S.obj (libsetup_app.a)").at(rdata);
    EXPECT_GE(stream, wallpaper);
    EXPECT_LT(stream, wallpaper + 16);
}

TEST(SizeReportErrors, NamesTheMissingFile) {
    ScratchFolder empty;
    ProgramRun run = RunProgram({SIZE_REPORT, empty.Path("")}, 60);
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_NE(run.Errors.find("setup.exe does not exist"), std::string::npos) << run.Errors;
}

} // namespace
