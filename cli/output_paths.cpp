#include "cli/output_paths.h"

#include <algorithm>
#include <set>

#include "io/file_io.h"
#include "io/path_name.h"

namespace {

#ifdef _WIN32
const char kSeparator = '\\';
bool IsSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }
#else
const char kSeparator = '/';
bool IsSeparator(char c) { return c == '/'; }
#endif

std::string WithExtension(const std::string& path, const char* extension) {
    // Room for the whole path and the extension, so the rename cannot fail.
    std::vector<char> buffer(path.begin(), path.end());
    buffer.push_back('\0');
    buffer.resize(buffer.size() + std::char_traits<char>::length(extension));
    RenameExtension(buffer.data(), buffer.size(), extension);
    return buffer.data();
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

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
    case OutputFormat::Xbm:
        return ".xbm";
    case OutputFormat::Lvgl:
        return ".c";
    case OutputFormat::Png:
        return ".png";
    case OutputFormat::ArrayText:
        break;
    }
    return ".txt";
}

bool PlanOutputs(const CliRequest& request, std::vector<std::string>* outputs, std::string* problem) {
    outputs->clear();
    if (OneHeader(request)) {
        outputs->assign(request.inputs.size(), request.output);
        for (const char* input : request.inputs) {
            if (request.output == std::string(input)) {
                *problem = "the output " + Quoted(request.output) + " would replace an input";
                return false;
            }
        }
        return true;
    }
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

bool OneHeader(const CliRequest& request) {
    return request.output && request.inputs.size() > 1 &&
           (request.format == OutputFormat::CArray || request.format == OutputFormat::Lvgl);
}

bool PlanArrayNames(const CliRequest& request, std::vector<std::string>* names, std::string* problem) {
    names->clear();
    // Every name the output declares, for one input, or for all that share a header.
    std::set<std::string> declared;
    if (OneHeader(request)) {
        for (const std::string& name : NamesOfTables(request.cForm.style, request.arrayName)) declared.insert(name);
    }
    for (const char* input : request.inputs) {
        const std::string stem = IdentifierFromName(BaseName(input));
        std::string name = request.arrayName ? request.arrayName : "";
        if (!request.arrayName) {
            // An XBM file is named after its input, as image editors name it.
            name = stem.empty() || (stem[0] >= '0' && stem[0] <= '9') ? "image_" + stem : stem;
        } else if (request.inputs.size() > 1) {
            name += "_" + stem;
        }
        if (IsCKeyword(name.c_str())) {
            *problem = "the input " + Quoted(input) + " would give the name " + Quoted(name) + ", a C or C++ keyword";
            return false;
        }
        if (std::find(names->begin(), names->end(), name) != names->end()) {
            *problem = "two inputs would both give the array name " + Quoted(name);
            return false;
        }
        for (const std::string& given : NamesOfImage(request.cForm.style, name)) {
            if (OneHeader(request) && !declared.insert(given).second) {
                *problem = "the header would declare " + Quoted(given) + " twice";
                return false;
            }
        }
        names->push_back(name);
    }
    return true;
}
