// The manual page and the shell's completion, from the option table: what
// --help says, in the forms man and bash read.
#include "cli/cli_args.h"
#include "image/palette.h"
#include "image/presets.h"

namespace {

// Text as roff prints it: backslashes and hyphens escaped, a line that
// would start with a control character made plain.
std::string Roff(const std::string& text) {
    std::string out;
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && (c == '.' || c == '\'')) out += "\\&";
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else {
            out += c;
        }
        lineStart = c == '\n';
    }
    return out;
}

// The help's lines as one paragraph.
std::string Joined(const char* help) {
    std::string text = help;
    for (char& c : text)
        if (c == '\n') c = ' ';
    return text;
}

std::string Names(const CliOption& option) {
    std::string names;
    if (option.shortName) names += "\\fB" + Roff(option.shortName) + "\\fR, ";
    names += "\\fB" + Roff(option.longName) + "\\fR";
    if (option.takes == Takes::Value) names += " \\fI" + Roff(option.valueName) + "\\fR";
    if (option.takes == Takes::OptionalValue) names += "[=\\fI" + Roff(option.valueName) + "\\fR]";
    return names;
}

}  // namespace

std::vector<std::string> OptionValues(const CliOption& option) {
    std::vector<std::string> values;
    if (!option.values) return values;
    const std::string list = option.values;
    if (list == "{presets}") {
        for (const Preset* p = PresetsBegin(); p != PresetsEnd(); ++p) values.push_back(p->name);
    } else if (list == "{palettes}") {
        for (const NamedPalette* p = NamedPalettesBegin(); p != NamedPalettesEnd(); ++p) values.push_back(p->name);
    } else {
        values = Words(list);
    }
    return values;
}

std::string CliManPage(const std::string& version, const std::string& date) {
    std::string page = ".TH QUILLGRID\\-CLI 1 \"" + date + "\" \"quillgrid " + Roff(version) + "\" \"User Commands\"\n";
    page += ".SH NAME\nquillgrid\\-cli \\- pack the pixels of images into bytes for a display\n";
    page += ".SH SYNOPSIS\n.B quillgrid\\-cli\n[\\fIOPTIONS\\fR] \\fIINPUT\\fR...\n";
    const std::string introduction = HelpIntroduction();
    page += ".SH DESCRIPTION\n" + Roff(introduction.substr(introduction.find("\n\n") + 2));
    for (HelpSection section : HelpSections()) {
        page += ".SH " + std::string(HelpSectionTitle(section)) + "\n";
        const std::string words = HelpSectionWords(section);
        if (!words.empty()) page += Roff(words);
        for (size_t i = 0; i < kCliOptionCount; ++i) {
            const CliOption& option = kCliOptions[i];
            if (option.section != section) continue;
            page += ".TP\n" + Names(option) + "\n" + Roff(Joined(option.help)) + "\n";
            const std::string name = option.longName;
            if (name == "--preset") {
                for (const Preset* p = PresetsBegin(); p != PresetsEnd(); ++p)
                    page += ".RS\n.TP\n\\fB" + Roff(p->name) + "\\fR\n" + Roff(Joined(p->help)) + "\n.RE\n";
            } else if (name == "--palette") {
                for (const NamedPalette* p = NamedPalettesBegin(); p != NamedPalettesEnd(); ++p)
                    page += ".RS\n.TP\n\\fB" + Roff(p->name) + "\\fR\n" + Roff(Joined(p->help)) + " (" +
                            Roff(p->colours) + ")\n.RE\n";
            }
        }
    }
    const std::string examples = HelpExamples();
    const size_t exit = examples.find("Exit status: ");
    page += ".SH EXAMPLES\n.nf\n" + Roff(HelpDisplayExamples()) + "\n" + Roff(examples.substr(0, exit)) + ".fi\n";
    if (exit != std::string::npos) page += ".SH EXIT STATUS\n" + Roff(examples.substr(exit + 13));
    page += ".SH SEE ALSO\nThe project's README, and \\fBquillgrid\\-cli \\-\\-help\\fR, which says the same.\n";
    return page;
}

std::string CliCompletion() {
    std::string script =
        "# bash completion of quillgrid-cli: its options, and the values of those\n"
        "# that take a fixed set. Made from the converter's option table.\n"
        "_quillgrid_cli() {\n"
        "    local cur prev\n"
        "    cur=${COMP_WORDS[COMP_CWORD]}\n"
        "    prev=${COMP_WORDS[COMP_CWORD-1]}\n"
        "    # --name=VALUE, as one word or as bash splits it at the =\n"
        "    if [[ $cur == --*=* ]]; then prev=${cur%%=*}; cur=${cur#*=}; fi\n"
        "    if [[ $cur == = ]]; then cur=; prev=${COMP_WORDS[COMP_CWORD-2]}; fi\n"
        "    if [[ $prev == = ]]; then prev=${COMP_WORDS[COMP_CWORD-2]}; fi\n"
        "    case $prev in\n";
    std::string all;
    for (size_t i = 0; i < kCliOptionCount; ++i) {
        const CliOption& option = kCliOptions[i];
        all += std::string(all.empty() ? "" : " ") + option.longName;
        if (option.shortName) all += std::string(" ") + option.shortName;
        const std::vector<std::string> values = OptionValues(option);
        std::string words;
        for (const std::string& value : values) words += (words.empty() ? "" : " ") + value;
        if (!values.empty()) {
            script += "    " + std::string(option.longName) + ")\n        COMPREPLY=($(compgen -W \"" + words +
                      "\" -- \"$cur\")); return ;;\n";
        } else if (option.takes == Takes::Value) {
            // A file, a folder or a free value: the shell's own file names.
            script += "    " + std::string(option.longName) +
                      (option.shortName ? "|" + std::string(option.shortName) : "") +
                      ")\n        COMPREPLY=($(compgen -f -- \"$cur\")); return ;;\n";
        }
    }
    script +=
        "    esac\n"
        "    if [[ $cur == -* ]]; then\n"
        "        COMPREPLY=($(compgen -W \"" +
        all +
        "\" -- \"$cur\"))\n"
        "    else\n"
        "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
        "    fi\n"
        "}\n"
        "complete -o filenames -F _quillgrid_cli quillgrid-cli\n";
    return script;
}
