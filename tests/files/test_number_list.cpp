#include <gtest/gtest.h>

#include "files/files_test_util.h"
#include "files/number_list.h"

using namespace kv;

// Every layout reads oldest first; a bad token fails the whole list naming its line.
TEST(NumberList, ReadsEveryLayoutAndRefusesABadTokenWhole) {
    const std::string bad = "' is not a number from 0 to 36";
    const struct {
        std::string text;
        std::vector<uint8_t> numbers;
        std::string message;
    } cases[] = {
        {"1 2,3;36\r\n0\r\n17", {1, 2, 3, 36, 0, 17}, ""},     // separators, CR LF, no final line end
        {"5\r7\n\r\n\n9\r\n", {5, 7, 9}, ""},                  // CR, LF and blank lines
        {"# casino A\r\n  # sorted\n4\t, 5 ;\n", {4, 5}, ""},  // comments, tabs, separators in a row
        {"007 00\n", {7, 0}, ""},
        {"", {}, ""},
        {"1 2\r\n3 x7\r\n4", {}, "Line 2: 'x7" + bad},
        {"1\r2\r\n\r\n37", {}, "Line 4: '37" + bad},
        {"5 # late comment", {}, "Line 1: '#" + bad},
        {std::string("1\n2\x01\xff\\"), {}, "Line 2: '2\\x01\\xFF\\x5C" + bad},
        {"9 " + std::string(5000, '8'), {}, "Line 1: '" + std::string(32, '8') + "..." + bad},
    };
    for (const auto& c : cases) {
        const NumberListResult r = parseNumberList(c.text);
        EXPECT_EQ(r.status.message(), c.message);
        EXPECT_EQ(r.numbers, c.numbers) << c.text;
    }
}

TEST(NumberList, BlocksSplitAnywhereReadAsTheWhole) {
    const std::string text = "12,3\r\n# x\r\n\r\n36 0\r17\n4 5;6\r\n";
    const std::vector<uint8_t> whole = parseNumberList(text).numbers;
    ASSERT_EQ(whole.size(), 8u);
    for (size_t cut = 0; cut <= text.size(); ++cut) {
        std::vector<uint8_t> got;
        NumberListParser p(
            [&](std::span<const uint8_t> run) { got.insert(got.end(), run.begin(), run.end()); });
        p.feed(std::string_view(text).substr(0, cut));
        p.feed(std::string_view(text).substr(cut));
        ASSERT_TRUE(p.finish().ok());
        EXPECT_EQ(got, whole) << "cut at " << cut;
    }
    // A CR LF split between two blocks is one line end: the error is on line 3.
    NumberListParser p(nullptr);
    p.feed("1\r");
    p.feed("\n2\r");
    p.feed("\nz");
    EXPECT_EQ(p.finish().message(), "Line 3: 'z' is not a number from 0 to 36");
}

TEST(NumberList, ReadsFilesAndReportsMissingOnes) {
    kvtest::TempDir dir;
    std::string text;
    for (int i = 0; i < 100000; ++i) text += std::to_string(i % 37) + (i % 10 == 9 ? "\r\n" : " ");
    kvtest::writeAll(dir / "list.txt", text);
    const NumberListResult r = readNumberList(dir / "list.txt");
    ASSERT_TRUE(r.status.ok());
    ASSERT_EQ(r.numbers.size(), 100000u);
    EXPECT_EQ(r.numbers[99999], 99999 % 37);
    EXPECT_EQ(readNumberList(dir / "none.txt").status.message(), "File not found");
}
