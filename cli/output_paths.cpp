#include "cli/output_paths.h"

#include <algorithm>
#include <set>

#include "forms/c_names.h"
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

std::string CannotWriteLine(const std::string& path) {
    if (path.empty()) return "quillgrid-cli: cannot write to standard output\n";
    std::string why;
    std::string folder = path.substr(0, path.size() - BaseName(path).size());
    if (folder.size() > 1 && IsSeparator(folder.back())) folder.pop_back();  // "/" stays
    const PathKind above = folder.empty() ? PathKind::Folder : GetPathKind(folder.c_str());
    if (GetPathKind(path.c_str()) == PathKind::Folder) {
        why = ": it is a folder";
    } else if (above == PathKind::Missing) {
        why = ": its folder " + Quoted(folder) + " does not exist";
    } else if (above != PathKind::Folder) {
        why = ": " + Quoted(folder) + " is not a folder";
    }
    return "quillgrid-cli: cannot write " + path + why + "\n";
}

std::string IdentifierFromName(const std::string& fileName) {
    std::string stem = WithExtension(fileName, "");
    for (char& c : stem) {
        bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!keep) c = '_';
    }
    return stem;
}

std::string InFolder(const std::string& folder, const std::string& name) {
    return BaseName(folder).empty() ? folder + name : folder + kSeparator + name;
}

bool PlanOutputs(const Conversion& conversion, std::vector<std::string>* outputs, std::string* problem) {
    outputs->clear();
    if (OneHeader(conversion)) {
        outputs->assign(conversion.inputs.size(), conversion.output ? conversion.output : "");
        for (const char* input : conversion.inputs) {
            if (conversion.output && conversion.output == std::string(input)) {
                *problem = "the output " + Quoted(conversion.output) + " would replace an input";
                return false;
            }
        }
        return true;
    }
    bool besideEach = conversion.inputs.size() > 1 && !conversion.outDir;
    for (const char* input : conversion.inputs) {
        std::string output;
        if (conversion.output) {
            output = conversion.output;
        } else if (conversion.outDir) {
            output = InFolder(conversion.outDir, WithExtension(BaseName(input), FormRow(conversion.form).extension));
        } else if (besideEach && !conversion.toStream) {
            output = WithExtension(input, FormRow(conversion.form).extension);
        }
        outputs->push_back(output);
    }
    std::set<std::string> inputs(conversion.inputs.begin(), conversion.inputs.end());
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

bool PlanArrayNames(const Conversion& conversion, std::vector<std::string>* names, std::string* problem) {
    names->clear();
    // Every name the output declares, for one input, or for all that share a header.
    std::set<std::string> declared;
    if (OneHeader(conversion)) {
        for (const std::string& name : FormRow(conversion.form).form.NamesOfCollection(conversion.arrayName))
            declared.insert(name);
    }
    for (const char* input : conversion.inputs) {
        const std::string stem = IdentifierFromName(BaseName(input));
        std::string name = conversion.arrayName ? conversion.arrayName : "";
        if (!conversion.arrayName) {
            // An XBM file is named after its input, as image editors name it.
            name = stem.empty() || (stem[0] >= '0' && stem[0] <= '9') ? "image_" + stem : stem;
        } else if (conversion.inputs.size() > 1) {
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
        for (const std::string& given : FormRow(conversion.form).form.NamesOfImage(conversion.formOptions, name)) {
            if (OneHeader(conversion) && !declared.insert(given).second) {
                *problem = "the header would declare " + Quoted(given) + " twice";
                return false;
            }
        }
        names->push_back(name);
    }
    return true;
}
