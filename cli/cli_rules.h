// The combinations of options that cannot mean anything, one row each, in
// the order they are checked: what the command line refuses, and what the
// page asks before it offers a control (the engine answers it from this
// table; the page keeps no copy).
#pragma once

#include <cstddef>
#include <string>

#include "cli/cli_args.h"

struct Conversion;

struct CliRule {
    // The options the rule refuses, by spaces ("--palette --color"); empty
    // when it refuses the command as a whole.
    const char* options;
    // Whether it refuses: from what was typed and what that comes to.
    bool (*applies)(const CliArgs& args, const Conversion& conversion);
    // Its one line, without the program's name.
    std::string (*message)(const CliArgs& args, const Conversion& conversion);
    // A command line it refuses, for the tests and the page's.
    const char* example;
    // Whether it needs the layout, which the settings file may give: such
    // rules are checked once the layout is known.
    bool afterLayout = false;
};

extern const CliRule kCliRules[];
extern const size_t kCliRuleCount;

// The first rule (of those before the layout, or after it) that refuses;
// null for none.
const CliRule* FirstRefusal(const CliArgs& args, const Conversion& conversion, bool afterLayout);

// True when the rule names `option` among those it refuses.
bool RuleNames(const CliRule& rule, const std::string& option);
