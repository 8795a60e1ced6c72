// Build-time tool: packs the language sets and raw-data resources listed in a manifest into a
// C++ source that the program compiles in. String tables are split into blocks of 16 entries,
// each entry a 16-bit count followed by that many UTF-16 code units.
//
// Usage: zeft_resource_packer --manifest FILE --root DIR --output FILE.cpp [--depfile FILE.d]
//                             [-D NAME=VALUE]... [--rawdata NAME LANGUAGE FILE]...
// --rawdata adds a resource the build makes (a file outside the resources folder), as a
// "rawdata" line of the manifest would.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int EntriesPerBlock = 16;

class TPackError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string Where(const std::string& file, int line) {
    return file + ":" + std::to_string(line) + ": ";
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw TPackError("cannot open " + path);
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        throw TPackError("cannot read " + path);
    return text.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

unsigned long ParseNumber(const std::string& text, unsigned long max, const std::string& what) {
    try {
        std::size_t used = 0;
        const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
        if (text.empty() || text[0] == '-' || text[0] == '+')
            throw std::invalid_argument(text);
        const unsigned long value = std::stoul(hex ? text.substr(2) : text, &used, hex ? 16 : 10);
        if (used != (hex ? text.size() - 2 : text.size()) || value > max)
            throw std::out_of_range(text);
        return value;
    } catch (const std::logic_error&) {
        throw TPackError(what + " \"" + text + "\" is not a number from 0 to " +
                         std::to_string(max));
    }
}

/// Replaces every "@NAME@" whose NAME the build defined; other text stays as it is.
std::string Substitute(const std::string& text, const std::map<std::string, std::string>& defines) {
    std::string result;
    std::string::size_type pos = 0;
    while (pos < text.size()) {
        const auto open = text.find('@', pos);
        if (open == std::string::npos)
            break;
        const auto close = text.find('@', open + 1);
        if (close == std::string::npos)
            break;
        const auto found = defines.find(text.substr(open + 1, close - open - 1));
        if (found == defines.end()) {
            result.append(text, pos, close - pos);
            pos = close;
            continue;
        }
        result.append(text, pos, open - pos);
        result += found->second;
        pos = close + 1;
    }
    result.append(text, pos, std::string::npos);
    return result;
}

std::u16string Utf8ToUtf16(const std::string& text, const std::string& where) {
    std::u16string result;
    std::size_t i = 0;
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    while (i < text.size()) {
        const unsigned char lead = byte(i);
        std::uint32_t code = 0;
        int extra = 0;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            code = lead & 0x1F;
            extra = 1;
        } else if ((lead & 0xF0) == 0xE0) {
            code = lead & 0x0F;
            extra = 2;
        } else if ((lead & 0xF8) == 0xF0) {
            code = lead & 0x07;
            extra = 3;
        } else {
            throw TPackError(where + "invalid UTF-8");
        }
        if (extra > 0 && i + extra >= text.size())
            throw TPackError(where + "truncated UTF-8 sequence");
        for (int k = 1; k <= extra; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80)
                throw TPackError(where + "invalid UTF-8");
            code = (code << 6) | (byte(i + k) & 0x3F);
        }
        static constexpr std::uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (code < smallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            throw TPackError(where + "invalid UTF-8");
        if (code >= 0x10000) {
            code -= 0x10000;
            result.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            result.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            result.push_back(static_cast<char16_t>(code));
        }
        i += extra + 1;
    }
    return result;
}

std::string Unescape(const std::string& text, const std::string& where) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            result.push_back(text[i]);
            continue;
        }
        if (++i == text.size())
            throw TPackError(where + "a backslash ends the text; write \\\\ for one backslash");
        switch (text[i]) {
        case 't':
            result.push_back('\t');
            break;
        case 'n':
            result.push_back('\n');
            break;
        case 'r':
            result.push_back('\r');
            break;
        case '\\':
            result.push_back('\\');
            break;
        default:
            throw TPackError(where + "unknown escape \\" + std::string(1, text[i]) +
                             "; write \\\\ for one backslash");
        }
    }
    return result;
}

using TStringSet = std::map<unsigned, std::u16string>;

TStringSet ReadStringSet(const std::string& path,
                         const std::map<std::string, std::string>& defines) {
    std::string text = ReadFile(path);
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    TStringSet set;
    int number = 0;
    for (const std::string& line : SplitLines(text)) {
        ++number;
        const std::string where = Where(path, number);
        if (Trim(line).empty() || line[0] == '#')
            continue;
        const auto tab = line.find('\t');
        if (tab == std::string::npos)
            throw TPackError(where + "expected an id, a tab and the text");
        const auto id =
            static_cast<unsigned>(ParseNumber(Trim(line.substr(0, tab)), 0xFFFF, where + "id"));
        std::u16string value =
            Utf8ToUtf16(Unescape(Substitute(line.substr(tab + 1), defines), where), where);
        if (value.size() > 0xFFFF)
            throw TPackError(where + "text longer than 65535 UTF-16 code units");
        if (!set.emplace(id, std::move(value)).second)
            throw TPackError(where + "id " + std::to_string(id) + " appears twice");
    }
    return set;
}

struct TResource {
    bool StringTable = false;
    std::string Name;
    unsigned Language = 0;
    std::vector<std::uint16_t> Words; // string table block
    std::string Bytes;                // raw data
};

std::vector<TResource> StringBlocks(const TStringSet& set, unsigned language) {
    std::map<unsigned, std::vector<std::uint16_t>> blocks;
    for (const auto& [id, text] : set) {
        const unsigned block = id / EntriesPerBlock + 1;
        if (blocks.count(block))
            continue;
        std::vector<std::uint16_t>& words = blocks[block];
        for (unsigned entry = 0; entry < EntriesPerBlock; ++entry) {
            const auto found = set.find((block - 1) * EntriesPerBlock + entry);
            if (found == set.end()) {
                words.push_back(0);
                continue;
            }
            words.push_back(static_cast<std::uint16_t>(found->second.size()));
            words.insert(words.end(), found->second.begin(), found->second.end());
        }
    }
    std::vector<TResource> result;
    for (auto& [block, words] : blocks) {
        TResource resource;
        resource.StringTable = true;
        resource.Name = "#" + std::to_string(block);
        resource.Language = language;
        resource.Words = std::move(words);
        result.push_back(std::move(resource));
    }
    return result;
}

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

std::string CString(const std::string& text) {
    std::string result = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            result.push_back('\\');
        result.push_back(c);
    }
    return result + "\"";
}

std::string Generate(const std::vector<TResource>& resources, const std::string& manifest) {
    std::ostringstream out;
    out << "// Generated by zeft_resource_packer from " << manifest << ";\n"
        << "// edit that manifest and the files it lists instead.\n"
        << "#include \"zeft_ProgramResources.h\"\n\nnamespace zeft {\nnamespace {\n";
    for (std::size_t r = 0; r < resources.size(); ++r) {
        const TResource& resource = resources[r];
        if (resource.StringTable) {
            out << "\nalignas(2) const char16_t Resource" << r << "[] = {";
            for (std::size_t i = 0; i < resource.Words.size(); ++i)
                out << (i % 12 == 0 ? "\n    " : " ") << Hex(resource.Words[i], 4) << ",";
        } else {
            out << "\nconst unsigned char Resource" << r << "[] = {";
            if (resource.Bytes.empty())
                out << "0"; // an empty resource still needs an address; its size stays 0
            for (std::size_t i = 0; i < resource.Bytes.size(); ++i)
                out << (i % 16 == 0 ? "\n    " : " ")
                    << Hex(static_cast<unsigned char>(resource.Bytes[i]), 2) << ",";
        }
        out << "\n};\n";
    }
    out << "\n} // namespace\n\nconst TResourceData ProgramResources[] = {\n";
    for (std::size_t r = 0; r < resources.size(); ++r) {
        const TResource& resource = resources[r];
        const std::size_t size =
            resource.StringTable ? resource.Words.size() * 2 : resource.Bytes.size();
        out << "    {TResourceType::" << (resource.StringTable ? "StringTable" : "RawData") << ", "
            << CString(resource.Name) << ", " << Hex(resource.Language, 4) << ", Resource" << r
            << ", " << size << "},\n";
    }
    out << "};\nconst std::size_t ProgramResourceCount = " << resources.size()
        << ";\n\n} // namespace zeft\n";
    return out.str();
}

std::string DepfilePath(const std::string& path) {
    std::string result;
    for (const char c : path) {
        if (c == ' ' || c == '#' || c == '\\')
            result.push_back('\\');
        if (c == '$')
            result.push_back('$');
        result.push_back(c);
    }
    return result;
}

void WriteIfChanged(const std::string& path, const std::string& content) {
    std::ifstream existing(path, std::ios::binary);
    if (existing) {
        std::ostringstream old;
        old << existing.rdbuf();
        if (old.str() == content)
            return;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out)
        throw TPackError("cannot write " + path);
}

struct TOptions {
    std::string Manifest;
    std::string Root;
    std::string Output;
    std::string Depfile;
    std::map<std::string, std::string> Defines;
    std::vector<std::vector<std::string>> ExtraRawData; ///< name, language, file of --rawdata
};

TOptions ParseArguments(int argc, char** argv) {
    TOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--rawdata") {
            if (i + 3 >= argc)
                throw TPackError("--rawdata needs a name, a language and a file");
            options.ExtraRawData.push_back({argv[i + 1], argv[i + 2], argv[i + 3]});
            i += 3;
            continue;
        }
        if (i + 1 >= argc)
            throw TPackError("missing value after " + arg);
        const std::string value = argv[++i];
        if (arg == "--manifest")
            options.Manifest = value;
        else if (arg == "--root")
            options.Root = value;
        else if (arg == "--output")
            options.Output = value;
        else if (arg == "--depfile")
            options.Depfile = value;
        else if (arg == "-D" && value.find('=') != std::string::npos)
            options.Defines[value.substr(0, value.find('='))] = value.substr(value.find('=') + 1);
        else
            throw TPackError("unknown argument " + arg + " " + value);
    }
    if (options.Manifest.empty() || options.Root.empty() || options.Output.empty())
        throw TPackError("usage: zeft_resource_packer --manifest FILE --root DIR --output FILE.cpp "
                         "[--depfile FILE.d] [-D NAME=VALUE]...");
    return options;
}

int Run(const TOptions& options) {
    std::vector<TResource> resources;
    std::vector<std::string> inputs{options.Manifest};
    std::set<std::pair<std::string, unsigned>> seen;
    std::vector<std::pair<std::string, TStringSet>> stringSets;
    // One entry per resource: its place for messages and its words as in the manifest.
    std::vector<std::pair<std::string, std::vector<std::string>>> entries;
    int number = 0;
    for (const std::string& line : SplitLines(ReadFile(options.Manifest))) {
        ++number;
        std::vector<std::string> words = Words(line);
        if (!words.empty() && words[0][0] != '#')
            entries.emplace_back(Where(options.Manifest, number), std::move(words));
    }
    for (const auto& raw : options.ExtraRawData) {
        std::vector<std::string> words{"rawdata"};
        words.insert(words.end(), raw.begin(), raw.end());
        entries.emplace_back("--rawdata " + raw[0] + ": ", std::move(words));
    }
    for (const auto& [where, words] : entries) {
        const bool strings = words[0] == "strings";
        if (!(strings && words.size() == 3) && !(words[0] == "rawdata" && words.size() == 4))
            throw TPackError(where + "expected \"strings <language> <file>\" or "
                                     "\"rawdata <NAME> <language> <file>\"");
        std::string name = strings ? "#" : words[1];
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        const auto language =
            static_cast<unsigned>(ParseNumber(words[strings ? 1 : 2], 0xFFFF, where + "language"));
        if (!seen.emplace(name, language).second)
            throw TPackError(where + "listed twice for language " + std::to_string(language));
        std::string file = Substitute(words.back(), options.Defines);
        if (file.empty() || file[0] != '/')
            file = options.Root + "/" + file;
        inputs.push_back(file);
        if (strings) {
            TStringSet set = ReadStringSet(file, options.Defines);
            for (TResource& block : StringBlocks(set, language))
                resources.push_back(std::move(block));
            stringSets.emplace_back(file, std::move(set));
        } else {
            TResource resource;
            resource.Name = name;
            resource.Language = language;
            resource.Bytes = ReadFile(file);
            resources.push_back(std::move(resource));
        }
    }
    if (resources.empty())
        throw TPackError(options.Manifest + ": lists no resources");
    // Every language must answer every id, or a text would silently fall back to English.
    for (const auto& [file, set] : stringSets) {
        for (const auto& [id, text] : stringSets.front().second)
            if (!set.count(id))
                throw TPackError(file + ": id " + std::to_string(id) + " of " +
                                 stringSets.front().first + " is missing");
        for (const auto& [id, text] : set)
            if (!stringSets.front().second.count(id))
                throw TPackError(file + ": id " + std::to_string(id) + " is not in " +
                                 stringSets.front().first);
    }
    const auto slash = options.Manifest.find_last_of('/');
    WriteIfChanged(
        options.Output,
        Generate(resources, options.Manifest.substr(slash == std::string::npos ? 0 : slash + 1)));
    if (!options.Depfile.empty()) {
        std::string deps = DepfilePath(options.Output) + ":";
        for (const std::string& input : inputs)
            deps += " " + DepfilePath(input);
        WriteIfChanged(options.Depfile, deps + "\n");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(ParseArguments(argc, argv));
    } catch (const std::exception& error) {
        std::cerr << "zeft_resource_packer: " << error.what() << "\n";
        return 1;
    }
}
