// Writes the manual of maporv-tool: the hand-written page given as TEMPLATE, whose line
// `.\" COMMANDS` becomes one subsection per command made from the synopsis and help
// text that `maporv-tool COMMAND --help` prints. The manual thus always lists the
// commands the tool has, in the tool's own words.
// Usage: maporv-toolmanual TEMPLATE OUTPUT
#include "tool/toolcontext.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace maporv {
namespace {

constexpr std::string_view kMarker = ".\\\" COMMANDS";

bool startsOption(std::string_view text, std::size_t at) {
    const char before = at == 0 ? ' ' : text[at - 1];
    const char after = at + 1 < text.size() ? text[at + 1] : ' ';
    return std::string_view(" ([\"',|/").find(before) != std::string_view::npos &&
           (after == '-' || std::isalpha(static_cast<unsigned char>(after)) != 0);
}

// Text as roff reads it literally: backslashes escaped, the hyphens of options (or of
// every word with `literal`) typed as minus signs so that a copied command works, and
// no line taken for a request.
std::string escape(std::string_view text, bool literal = false) {
    std::string out;
    bool inOption = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '-' && (literal || inOption || startsOption(text, i))) {
            out += "\\-";
            inOption = true;
            continue;
        }
        out += c == '\\' ? std::string("\\e") : std::string(1, c);
        inOption = inOption && std::isalnum(static_cast<unsigned char>(c)) != 0;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) {
        out.insert(0, "\\&");
    }
    return out;
}

std::string font(char face, std::string_view text) {
    return std::string("\\f") + face + escape(text) + "\\fR";
}

// One word of a synopsis: options and literal values bold, what the user replaces
// (written in capitals) italic, brackets and ellipses plain.
std::string formatWord(std::string_view word) {
    std::size_t begin = 0;
    while (begin < word.size() && word[begin] == '[') {
        ++begin;
    }
    std::size_t end = word.size();
    while (end > begin && (word[end - 1] == ']' || word[end - 1] == '.')) {
        --end;
    }
    std::string_view core = word.substr(begin, end - begin);
    // Brackets that open inside the word close inside it too.
    std::size_t open = 0;
    for (char c : core) {
        open += c == '[' ? 1 : 0;
        open -= c == ']' && open > 0 ? 1 : 0;
    }
    while (open > 0 && end < word.size() && word[end] == ']') {
        ++end;
        --open;
    }
    core = word.substr(begin, end - begin);
    std::string out = std::string(word.substr(0, begin));
    if (core.starts_with('-')) {
        out += font('B', core);
    } else if (!core.empty()) {
        std::size_t start = 0;
        while (start <= core.size()) {
            const std::size_t bar = std::min(core.find('|', start), core.size());
            const std::string_view choice = core.substr(start, bar - start);
            bool capitals = false;
            for (char c : choice) {
                capitals = capitals || std::isupper(static_cast<unsigned char>(c)) != 0;
            }
            out += font(capitals ? 'I' : 'B', choice);
            if (bar < core.size()) {
                out += '|';
            }
            start = bar + 1;
        }
    }
    return out + std::string(word.substr(end));
}

std::string formatWords(std::string_view text) {
    std::string out;
    std::istringstream words{std::string(text)};
    for (std::string word; words >> word;) {
        if (!out.empty()) {
            out += ' ';
        }
        out += formatWord(word);
    }
    return out;
}

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// The help text: plain lines are filled into paragraphs; an indented "TERM  text" line
// starts an entry of a tagged list, a deeper indented one continues its text.
void writeHelp(std::ostream& out, const std::string& help) {
    std::istringstream lines(help);
    bool inList = false;
    bool paragraphDue = false;
    for (std::string line; std::getline(lines, line);) {
        if (trimmed(line).empty()) {
            paragraphDue = true;
            continue;
        }
        const std::size_t indent = line.find_first_not_of(' ');
        if (indent == 0) {
            if (paragraphDue || inList) {
                out << ".PP\n";
            }
            out << escape(line) << '\n';
            inList = false;
        } else {
            const std::string rest = trimmed(line);
            const std::size_t gap = rest.find("  ");
            if (indent <= 4 && gap != std::string::npos) {
                out << ".TP\n"
                    << formatWords(rest.substr(0, gap)) << '\n'
                    << escape(trimmed(rest.substr(gap))) << '\n';
                inList = true;
            } else {
                if (!inList) {
                    out << (paragraphDue ? ".PP\n" : ".br\n");
                }
                out << escape(rest) << '\n';
            }
        }
        paragraphDue = false;
    }
}

void writeCommands(std::ostream& out) {
    for (const tool::ToolCommand& command : tool::toolCommands()) {
        const std::string_view synopsis = command.synopsis;
        const std::size_t space = std::min(synopsis.find(' '), synopsis.size());
        out << ".SS " << escape(command.name, true) << '\n'
            << "\\fBmaporv\\-tool " << escape(command.name, true) << "\\fR "
            << formatWords(synopsis.substr(space)) << '\n'
            << ".PP\n";
        writeHelp(out, command.help);
    }
}

int writeManual(const char* templatePath, const char* outputPath) {
    std::ifstream in(templatePath);
    if (!in) {
        std::fprintf(stderr, "maporv-toolmanual: cannot read %s\n", templatePath);
        return 1;
    }
    std::ostringstream page;
    bool marked = false;
    for (std::string line; std::getline(in, line);) {
        if (line == kMarker) {
            writeCommands(page);
            marked = true;
        } else {
            page << line << '\n';
        }
    }
    if (!marked) {
        std::fprintf(stderr, "maporv-toolmanual: %s has no line %s\n", templatePath,
                     std::string(kMarker).c_str());
        return 1;
    }
    std::ofstream out(outputPath, std::ios::binary | std::ios::trunc);
    out << page.str();
    out.close();
    if (!out) {
        std::fprintf(stderr, "maporv-toolmanual: cannot write %s\n", outputPath);
        return 1;
    }
    return 0;
}

} // namespace
} // namespace maporv

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: maporv-toolmanual TEMPLATE OUTPUT\n");
        return 2;
    }
    return maporv::writeManual(argv[1], argv[2]);
}
