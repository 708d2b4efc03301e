#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "app/SectionKeywords.h"

namespace {

const std::string kFuzz = OSTREVIA_TEST_DATA "/../fuzz/";

std::string Bytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The keywords that begin a line of the UTF-16LE file, as the loader finds them.
void AddSectionsOf(const std::string& bytes, std::set<const SectionKeyword*>& found)
{
    std::basic_string<WCHAR> line;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const WCHAR ch =
            static_cast<WCHAR>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (ch != TEXT('\r') && ch != TEXT('\n')) {
            line += ch;
            continue;
        }
        if (const SectionKeyword* keyword = FindSectionKeyword(line.c_str()))
            found.insert(keyword);
        line.clear();
    }
    if (const SectionKeyword* keyword = FindSectionKeyword(line.c_str()))
        found.insert(keyword);
}

// The keyword as a libFuzzer dictionary writes it in UTF-16LE, a header line.
std::string DictionaryEntry(const WCHAR* keyword)
{
    std::string entry = "\"";
    for (; *keyword; ++keyword)
        entry += std::string(1, static_cast<char>(*keyword)) + "\\x00";
    return entry + "\\x0D\\x00\\x0A\\x00\"";
}

std::string Narrow(const WCHAR* keyword)
{
    std::string text;
    for (; *keyword; ++keyword)
        text += static_cast<char>(*keyword);
    return text;
}

// The panel fuzz target reaches a section only from a seed or the dictionary:
// a new section without both would go unfuzzed.
TEST(SectionKeywords, EveryKeywordHasAFuzzSeedAndADictionaryEntry)
{
    std::set<const SectionKeyword*> seeded;
    for (const auto& seed : std::filesystem::directory_iterator(kFuzz + "corpus/panel"))
        AddSectionsOf(Bytes(seed.path()), seeded);
    const std::string dictionary = Bytes(kFuzz + "dict/panel.dict");
    for (const SectionKeyword& keyword : SectionKeywords()) {
        EXPECT_TRUE(seeded.count(&keyword)) << "no seed in tests/fuzz/corpus/panel holds " << Narrow(keyword.keyword);
        EXPECT_NE(std::string::npos, dictionary.find(DictionaryEntry(keyword.keyword)))
            << "tests/fuzz/dict/panel.dict lacks " << Narrow(keyword.keyword);
    }
}

}  // namespace
