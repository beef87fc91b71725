#include "cli/cli_args.h"

#include <algorithm>
#include <cstring>

namespace {

// Edits between two words: to suggest the option that was meant.
size_t Distance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string UnknownOption(const std::string& name) {
    std::string error = "unknown option '" + name + "'";
    const CliOption* nearest = nullptr;
    size_t best = 3;  // a suggestion differs by at most two edits
    for (size_t i = 0; i < kCliOptionCount; ++i) {
        const size_t distance = Distance(name, kCliOptions[i].longName);
        if (distance < best) best = distance, nearest = &kCliOptions[i];
    }
    if (nearest) error += std::string("; did you mean ") + nearest->longName + "?";
    return error;
}

// One option at argv[*index], and its value where it takes one; false with
// `error` set when it is not valid. A value error names the option as given.
bool TakeOption(int argc, const char* const* argv, int* index, CliArgs* args, std::string* error,
                std::string* refused) {
    const char* arg = argv[*index];
    const char* equals = arg[1] == '-' ? std::strchr(arg, '=') : nullptr;
    const std::string name = equals ? std::string(arg, equals - arg) : std::string(arg);
    const CliOption* option = FindCliOption(name.c_str());
    if (refused) *refused = option ? option->longName : name;
    if (!option) {
        *error = UnknownOption(name);
        return false;
    }
    const char* value = equals ? equals + 1 : nullptr;
    switch (option->takes) {
    case Takes::Nothing:
        if (value) {
            *error = name + ": takes no value";
            return false;
        }
        break;
    case Takes::Value:
        if (!value && *index + 1 < argc) value = argv[++*index];
        if (!value || !*value) {
            *error = name + ": needs " + option->needs;
            return false;
        }
        break;
    case Takes::OptionalValue:
        if (value && !*value) {
            *error = name + ": give a value after '=', or leave out the '='";
            return false;
        }
        break;
    }
    std::string problem;
    if (option->apply(value, args, &problem)) return true;
    *error = name + ": " + problem;
    return false;
}

}  // namespace

bool ParseCliArgs(int argc, const char* const* argv, CliArgs* args, std::string* error, std::string* refused) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (optionsEnded || arg[0] != '-' || arg[1] == '\0') {
            args->inputs.push_back(arg);
        } else if (std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (!TakeOption(argc, argv, &i, args, error, refused)) {
            return false;
        }
    }
    return true;
}

void ApplyOverrides(const CliArgs& args, ConvertOptions* layout) {
    if (args.msbReverse) layout->msbReverse = *args.msbReverse ? 1 : 0;
    if (args.bitHorizontal) layout->bitHorizontal = *args.bitHorizontal ? 1 : 0;
    if (args.byteHorizontal) layout->byteHorizontal = *args.byteHorizontal ? 1 : 0;
    if (args.fillOnes) layout->fillOnes = *args.fillOnes ? 1 : 0;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text + " ") {
        if (c != ' ' && c != '\n') {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}
