#include "platform/core/command_line.h"

#include "platform/api/program_folders.h"

#include <gtest/gtest.h>

using platform::SplitCommandLine;
using Args = std::vector<std::string>;

TEST(CommandLineTest, BlanksSeparateAndQuotesGroup) {
    EXPECT_EQ(SplitCommandLine(nullptr), Args{});
    EXPECT_EQ(SplitCommandLine(" \t "), Args{});
    EXPECT_EQ(SplitCommandLine("Stalkway"), Args{"Stalkway"});
    EXPECT_EQ(SplitCommandLine("  a\tb  c "), (Args{"a", "b", "c"}));
    EXPECT_EQ(SplitCommandLine("\"two words\" x\"y z\"w"), (Args{"two words", "xy zw"}));
    EXPECT_EQ(SplitCommandLine("\"\" a \"unclosed b"), (Args{"", "a", "unclosed b"}));
    EXPECT_EQ(SplitCommandLine("\"say \"\"hi\"\"\""), Args{"say \"hi\""});
}

TEST(CommandLineTest, BackslashesMatterOnlyBeforeQuotes) {
    EXPECT_EQ(SplitCommandLine("C:\\Games\\Stalk\\"), Args{"C:\\Games\\Stalk\\"});
    EXPECT_EQ(SplitCommandLine("a\\\"b"), Args{"a\"b"});             // 1 -> literal quote
    EXPECT_EQ(SplitCommandLine("\"a\\\\\" b"), (Args{"a\\", "b"}));  // 2 -> one, then group
    EXPECT_EQ(SplitCommandLine("a\\\\\\\"b"), Args{"a\\\"b"});       // 3 -> one and a quote
}

TEST(CommandLineTest, AQuotedArgumentSplitsBackWhole) {
    for (const std::string argument :
         {"", "plain", "two words", "trailing\\", "say \"hi\"", "a\\\\\"b", "\\\\server\\"}) {
        const std::string line = "first " + platform::QuoteArgument(argument) + " last";
        EXPECT_EQ(platform::SplitCommandLine(line.c_str()), (std::vector<std::string>{"first", argument, "last"}))
            << line;
    }
}

// The folder options are taken wherever they stand before "--"; after it every word is the
// program's own, folder options included.
TEST(CommandLineTest, FolderOptionsAreNotTakenAfterTheEndOfOptions) {
    Args arguments{"--data", "d", "x", "--", "--user-dir", "u", "--data"};
    platform::FolderRequest request;
    EXPECT_FALSE(platform::TakeFolderOptions("stalkway", &arguments, &request).has_value());
    EXPECT_EQ(request.data, "d");
    EXPECT_EQ(request.user, "");
    EXPECT_EQ(arguments, (Args{"x", "--", "--user-dir", "u", "--data"}));
}
