#include "cli/output_paths.h"

#include <set>

#include "io/file_io.h"
#include "io/path_name.h"

namespace {

#ifdef _WIN32
const char kSeparator = '\\';
bool IsSeparator(char c) {
    return c == '\\' || c == '/' || c == ':';
}
#else
const char kSeparator = '/';
bool IsSeparator(char c) {
    return c == '/';
}
#endif

std::string WithExtension(const std::string& path, const char* extension) {
    // Room for the whole path and the extension, so the rename cannot fail.
    std::vector<char> buffer(path.begin(), path.end());
    buffer.push_back('\0');
    buffer.resize(buffer.size() + std::char_traits<char>::length(extension));
    RenameExtension(buffer.data(), buffer.size(), extension);
    return buffer.data();
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

}  // namespace

std::string BaseName(const std::string& path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsSeparator(path[i])) {
            start = i + 1;
        } else if (IsLeadByte(static_cast<unsigned char>(path[i]))) {
            ++i;
        }
    }
    return path.substr(start);
}

std::string IdentifierFromName(const std::string& fileName) {
    std::string stem = WithExtension(fileName, "");
    for (char& c : stem) {
        bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!keep) c = '_';
    }
    return stem;
}

const char* OutputExtension(OutputFormat format) {
    switch (format) {
    case OutputFormat::CArray:
        return ".h";
    case OutputFormat::Binary:
        return ".bin";
    case OutputFormat::Bmp:
        return ".bmp";
    case OutputFormat::ArrayText:
        break;
    }
    return ".txt";
}

bool PlanOutputs(const CliRequest& request, std::vector<std::string>* outputs,
                 std::string* problem) {
    outputs->clear();
    bool besideEach = request.inputs.size() > 1 && !request.outDir;
    for (const char* input : request.inputs) {
        std::string output;
        if (request.output) {
            output = request.output;
        } else if (request.outDir) {
            output = request.outDir;
            if (!BaseName(output).empty()) output += kSeparator;
            output += WithExtension(BaseName(input), OutputExtension(request.format));
        } else if (besideEach) {
            output = WithExtension(input, OutputExtension(request.format));
        }
        outputs->push_back(output);
    }
    std::set<std::string> inputs(request.inputs.begin(), request.inputs.end());
    std::set<std::string> seen;
    for (size_t i = 0; i < outputs->size(); ++i) {
        const std::string& output = (*outputs)[i];
        if (output.empty()) continue;
        if (inputs.count(output)) {
            *problem = "the output " + Quoted(output) + " would replace an input";
            return false;
        }
        if (!seen.insert(output).second) {
            *problem = "two inputs would both be written to " + Quoted(output);
            return false;
        }
    }
    return true;
}

bool PlanArrayNames(const CliRequest& request, std::vector<std::string>* names,
                    std::string* problem) {
    names->clear();
    std::set<std::string> seen;
    for (const char* input : request.inputs) {
        std::string name = request.arrayName ? request.arrayName : "";
        if (request.inputs.size() > 1) name += "_" + IdentifierFromName(BaseName(input));
        if (!seen.insert(name).second) {
            *problem = "two inputs would both give the array name " + Quoted(name);
            return false;
        }
        names->push_back(name);
    }
    return true;
}
