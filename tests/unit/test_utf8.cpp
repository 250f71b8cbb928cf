#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/Utf8.h"

namespace cuponex {
namespace {

TEST(Utf8ToLatin1, LatinLettersBecomeTheirByteAndAnythingElseAQuestionMark) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"No such file", "No such file"},
        {"sa\xC3\xAD"
         "da \xC3\xA7\xC3\xA3o",
         "sa\xED"
         "da \xE7\xE3o"},
        {"\xE2\x82\xAC 5", "? 5"},    // the euro sign is not Latin-1
        {"\xF0\x9F\x98\x80!", "?!"},  // nor is anything beyond the BMP
        {"a\xE7"
         "b",
         "a?b"},              // a Latin-1 byte is not UTF-8
        {"\xC3", "?"},        // cut short at the end
        {"\xC1\x81", "?"},    // an overlong "A"
        {"\xE2\x82x", "?x"},  // cut short before an ASCII letter
    };
    for (const auto& [utf8, latin1] : cases) EXPECT_EQ(utf8ToLatin1(utf8), latin1) << utf8;
}

}  // namespace
}  // namespace cuponex
