#include "cli/cli_args.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "io/file_io.h"

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

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A value of a fixed set as the set spells it, whatever its case, when one
// of the set is that word; else the value as given.
std::string Spelled(const CliOption& option, const char* value) {
    const std::vector<std::string> values = OptionValues(option);
    if (std::find(values.begin(), values.end(), value) != values.end()) return value;
    const std::string* match = nullptr;
    for (const std::string& v : values) {
        if (!SameIgnoringCase(v, value)) continue;
        if (match) return value;  // two differ by case alone: as given
        match = &v;
    }
    return match ? *match : value;
}

// The value of the set nearest a refused word, as a suggestion: a word of
// three letters or more that is none of the set, two edits from one at
// most (and fewer than a third of its length); empty when none is that near.
std::string NearestValue(const CliOption& option, const char* value) {
    const std::vector<std::string> values = OptionValues(option);
    const std::string word = value;
    const size_t letters =
        std::count_if(word.begin(), word.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
    if (letters < 3 || std::find(values.begin(), values.end(), word) != values.end()) return std::string();
    std::string nearest;
    size_t best = std::min<size_t>(3, word.size() / 3 + 1);
    for (const std::string& v : values) {
        const size_t distance = Distance(Lower(value), Lower(v));
        if (distance < best) best = distance, nearest = v;
    }
    return nearest;
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
        // "--dither fs logo.png": a value of the option given apart, which
        // would be read as an input, when no file has that name.
        if (!value && !equals && *index + 1 < argc && option->values) {
            const char* next = argv[*index + 1];
            const std::string spelled = Spelled(*option, next);
            const std::vector<std::string> values = OptionValues(*option);
            if (std::find(values.begin(), values.end(), spelled) != values.end() &&
                GetPathKind(next) == PathKind::Missing) {
                *error = name + ": takes its value after '=': did you mean " + name + "=" + spelled + "?";
                return false;
            }
        }
        break;
    }
    args->given.push_back(option->longName);
    if (name == "-h") args->briefHelp = true;
    std::string spelled;
    if (value && option->values) value = (spelled = Spelled(*option, value)).c_str();
    std::string problem;
    if (option->apply(value, args, &problem)) return true;
    *error = name + ": " + problem;
    if (value && option->values) {
        const std::string nearest = NearestValue(*option, value);
        if (!nearest.empty()) *error += "; did you mean " + nearest + "?";
    }
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

bool CliArgs::Given(const char* longName) const {
    return std::find(given.begin(), given.end(), longName) != given.end();
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
