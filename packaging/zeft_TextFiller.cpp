// Host tool: fills a template (desktop entry, MIME package, AppStream metainfo) with the
// program's own texts, so that the desktop speaks the program's languages without a second copy
// of its texts.
//
// Usage: zeft_text_filler --format desktop|xml --strings LANG=FILE... [-D NAME=VALUE]...
//                         TEMPLATE OUTPUT
//
// In the template, "@NAME@" is replaced by a -D value. A line that holds "@T:id@" is written
// once per language, in the order the --strings options give them (the first is the untagged
// one); "@T:id@" becomes that language's text and "@LANG@" its tag: "" for the first language,
// "[de]" in a desktop entry, ` xml:lang="de"` in XML. A text missing from a language is an
// error, so that a new text cannot reach the desktop in one language only.
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using TTexts = std::map<int, std::string>;

struct TLanguage {
    std::string Tag;
    TTexts Texts;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// The escapes of the string files: \t, \n, \r, \\.
std::string Unescape(const std::string& text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            result.push_back(text[i]);
            continue;
        }
        const char next = text[++i];
        result.push_back(next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next);
    }
    return result;
}

TTexts ReadTexts(const std::string& path) {
    TTexts texts;
    std::istringstream lines(ReadFile(path));
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos)
            continue;
        texts[std::stoi(line.substr(0, tab))] = Unescape(line.substr(tab + 1));
    }
    return texts;
}

std::string EscapeXml(const std::string& text) {
    std::string result;
    for (const char c : text) {
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        case '"':
            result += "&quot;";
            break;
        default:
            result.push_back(c);
        }
    }
    return result;
}

/// A desktop entry value is one line; backslashes and line breaks are escaped.
std::string EscapeDesktop(const std::string& text) {
    std::string result;
    for (const char c : text) {
        if (c == '\\')
            result += "\\\\";
        else if (c == '\n')
            result += "\\n";
        else if (c == '\t')
            result += "\\t";
        else if (c != '\r')
            result.push_back(c);
    }
    return result;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto pos = text.find(from); pos != std::string::npos;
         pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

struct TFiller {
    bool Xml = false;
    std::vector<TLanguage> Languages;
    std::map<std::string, std::string> Defines;

    std::string LanguageTag(std::size_t index) const {
        if (index == 0)
            return {};
        const std::string& tag = Languages[index].Tag;
        return Xml ? " xml:lang=\"" + tag + "\"" : "[" + tag + "]";
    }

    std::string FillTexts(const std::string& line, std::size_t index, int lineNumber) const {
        std::string result;
        std::string::size_type pos = 0;
        for (auto open = line.find("@T:"); open != std::string::npos;
             open = line.find("@T:", pos)) {
            const auto close = line.find('@', open + 3);
            if (close == std::string::npos)
                throw std::runtime_error("line " + std::to_string(lineNumber) + ": unclosed @T:");
            const int id = std::stoi(line.substr(open + 3, close - open - 3));
            const auto found = Languages[index].Texts.find(id);
            if (found == Languages[index].Texts.end())
                throw std::runtime_error("line " + std::to_string(lineNumber) + ": text " +
                                         std::to_string(id) + " is missing in language " +
                                         Languages[index].Tag);
            result.append(line, pos, open - pos);
            result += Xml ? EscapeXml(found->second) : EscapeDesktop(found->second);
            pos = close + 1;
        }
        result.append(line, pos, std::string::npos);
        return ReplaceAll(result, "@LANG@", LanguageTag(index));
    }

    std::string Fill(const std::string& templateText) const {
        std::string output;
        std::istringstream lines(templateText);
        std::string line;
        int number = 0;
        while (std::getline(lines, line)) {
            ++number;
            for (const auto& [name, value] : Defines)
                line = ReplaceAll(line, "@" + name + "@", value);
            if (line.find("@T:") == std::string::npos) {
                output += line + "\n";
                continue;
            }
            for (std::size_t index = 0; index < Languages.size(); ++index)
                output += FillTexts(line, index, number) + "\n";
        }
        return output;
    }
};

std::pair<std::string, std::string> SplitAssignment(const std::string& text) {
    const auto equals = text.find('=');
    if (equals == std::string::npos)
        throw std::runtime_error("expected NAME=VALUE, got " + text);
    return {text.substr(0, equals), text.substr(equals + 1)};
}

} // namespace

int main(int argc, char** argv) {
    try {
        TFiller filler;
        std::vector<std::string> files;
        for (int i = 1; i < argc; ++i) {
            const std::string argument = argv[i];
            const bool hasValue = i + 1 < argc;
            if (argument == "--format" && hasValue) {
                filler.Xml = std::string(argv[++i]) == "xml";
            } else if (argument == "--strings" && hasValue) {
                const auto [tag, path] = SplitAssignment(argv[++i]);
                filler.Languages.push_back({tag, ReadTexts(path)});
            } else if (argument == "-D" && hasValue) {
                filler.Defines.insert(SplitAssignment(argv[++i]));
            } else {
                files.push_back(argument);
            }
        }
        if (files.size() != 2 || filler.Languages.empty())
            throw std::runtime_error("usage: zeft_text_filler --format desktop|xml "
                                     "--strings LANG=FILE... [-D NAME=VALUE]... TEMPLATE OUTPUT");
        const std::string output = filler.Fill(ReadFile(files[0]));
        std::ofstream out(files[1], std::ios::binary | std::ios::trunc);
        out << output;
        if (!out.flush())
            throw std::runtime_error("cannot write " + files[1]);
    } catch (const std::exception& error) {
        std::cerr << "zeft_text_filler: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
