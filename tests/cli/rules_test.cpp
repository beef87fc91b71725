// The combination rules: each row's example is refused by that row and no
// other before it, with the row's line, as a usage error; each names only
// options of the command line.
#include <gtest/gtest.h>

#include "cli/cli_rules.h"
#include "cli/conversion.h"
#include "tests/cli/cli_fixture.h"

namespace {

using test::CliTest;

TEST_F(CliTest, EachRuleRefusesItsExample) {
    for (size_t i = 0; i < kCliRuleCount; ++i) {
        const CliRule& rule = kCliRules[i];
        const std::vector<std::string> words = Words(rule.example);
        std::vector<const char*> argv = {"quillgrid-cli"};
        for (const std::string& word : words) argv.push_back(word.c_str());
        CliArgs args;
        std::string error;
        ASSERT_TRUE(ParseCliArgs(static_cast<int>(argv.size()), argv.data(), &args, &error)) << rule.example;
        Conversion conversion;
        const CliRule* refusedBy = nullptr;
        EXPECT_FALSE(ResolveConversion(args, &conversion, &error, &refusedBy)) << rule.example;
        EXPECT_EQ(refusedBy, &rule) << rule.example << ": " << error;
        EXPECT_EQ(Run(words), kExitUsage) << rule.example;
        EXPECT_EQ(err, std::string("quillgrid-cli: ") + error + "\n" + kCliUsage) << rule.example;
        EXPECT_EQ(out, "") << rule.example;
        for (const std::string& option : Words(rule.options))
            EXPECT_NE(FindCliOption(option.c_str()), nullptr) << rule.example << " names " << option;
    }
}

}  // namespace
