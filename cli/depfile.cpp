#include "cli/depfile.h"

#include <map>

#include "cli/output_paths.h"
#include "io/array_text_file.h"
#include "io/replacing_file.h"

namespace {

// A drive's colon ("C:\\"), which make and ninja on Windows take as it is.
bool IsDriveColon(const std::string& path, size_t at) {
#ifdef _WIN32
    const char drive = at == 1 ? path[0] : 0;
    return ((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z')) && path.size() > 2 &&
           (path[2] == '\\' || path[2] == '/');
#else
    (void)path;
    (void)at;
    return false;
#endif
}

}  // namespace

std::string MakeEscaped(const std::string& path) {
    std::string escaped;
    size_t backslashes = 0;  // in a row, just before this character
    for (size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (c == ' ' || c == '#') escaped.append(backslashes + 1, '\\');
        // A bare colon would end the list of targets, or make a static
        // pattern rule of the line.
        if (c == ':' && !IsDriveColon(path, i)) escaped += '\\';
        if (c == '$') escaped += '$';
        escaped += c;
        backslashes = c == '\\' ? backslashes + 1 : 0;
    }
    return escaped;
}

bool WriteDepfile(const Conversion& conversion, const std::vector<std::pair<std::string, std::string>>& written,
                  FILE* err) {
    std::map<std::string, std::vector<std::string>> inputs;  // by output, in the order they came
    std::vector<std::string> order;
    for (const auto& entry : written) {
        if (!inputs.count(entry.first)) order.push_back(entry.first);
        inputs[entry.first].push_back(entry.second);
    }
    std::string text;
    for (const std::string& output : order) {
        text += MakeEscaped(output) + ":";
        for (const std::string& input : inputs[output]) text += " " + MakeEscaped(input);
        if (conversion.settings) text += " " + MakeEscaped(conversion.settings);
        text += "\n";
    }
    ReplacingFile file;
    if (file.Open(conversion.depfile) && WriteToFile(file.Handle(), text.data(), static_cast<uint32_t>(text.size())) &&
        file.Commit())
        return true;
    std::fputs(CannotWriteLine(conversion.depfile).c_str(), err);
    return false;
}
