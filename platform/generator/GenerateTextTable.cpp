// SPDX-License-Identifier: MIT
// Build-time tool: turns texts.tsv (id TAB text, one row per line, UTF-8) into a C++ source file
// holding the rows as a sorted array. Lines starting with '#' are comments. In a text, "\n" stands
// for a line break and "\\" for a backslash. A malformed row stops the build with its line number.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

namespace {

// Octal escapes never swallow a following digit the way \x escapes swallow hex letters,
// so multi-byte UTF-8 sequences survive next to ordinary text.
std::string cppLiteral(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '?') {
            out += "\\?"; // no trigraphs, ever
        } else if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        }
    }
    out += '"';
    return out;
}

bool fail(const std::string& file, int line, const std::string& why)
{
    std::cerr << file << ":" << line << ": " << why << "\n";
    return false;
}

/** Turns the row escapes into their characters; false for a backslash before anything else. */
bool unescape(const std::string& raw, std::string& text)
{
    text.clear();
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            text += raw[i];
            continue;
        }
        if (i + 1 == raw.size())
            return false;
        const char next = raw[++i];
        if (next == 'n')
            text += '\n';
        else if (next == '\\')
            text += '\\';
        else
            return false;
    }
    return true;
}

bool parse(const std::string& file, std::istream& in, std::map<int, std::string>& rows)
{
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            return fail(file, lineNo, "empty line");
        if (line.front() == '#')
            continue;
        const auto tab = line.find('\t');
        if (tab == std::string::npos || tab == 0)
            return fail(file, lineNo, "expected an id, a TAB and the text");
        const std::string idText = line.substr(0, tab);
        if (!std::all_of(idText.begin(), idText.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
            idText.size() > 9)
            return fail(file, lineNo, "id '" + idText + "' is not a non-negative number");
        const int id = std::stoi(idText);
        const std::string raw = line.substr(tab + 1);
        if (raw.find('\t') != std::string::npos)
            return fail(file, lineNo, "a text may not hold a TAB");
        std::string text;
        if (!unescape(raw, text))
            return fail(file, lineNo, "a backslash must be followed by n or another backslash");
        if (!rows.emplace(id, std::move(text)).second)
            return fail(file, lineNo, "id " + idText + " appears twice");
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: zv_texttable_gen texts.tsv output.cpp\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": cannot open\n";
        return 1;
    }
    std::map<int, std::string> rows;
    if (!parse(argv[1], in, rows))
        return 1;
    if (rows.empty()) {
        std::cerr << argv[1] << ": the table is empty\n";
        return 1;
    }

    std::ostringstream out;
    out << "// Generated from texts.tsv by zv_texttable_gen. Do not edit.\n"
        << "#include \"platform/detail/TextTableData.h\"\n\n"
        << "namespace zentravolix::platform::detail {\n\n"
        << "using namespace std::string_view_literals;\n\n"
        << "const TextEntry kTextEntries[] = {\n";
    for (const auto& [id, text] : rows)
        out << "    {" << id << ", " << cppLiteral(text) << "sv},\n";
    out << "};\n\nconst std::size_t kTextEntryCount = " << rows.size() << ";\n\n"
        << "} // namespace zentravolix::platform::detail\n";

    const std::string generated = out.str();
    std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
    file << generated;
    file.close();
    if (!file) {
        std::cerr << argv[2] << ": cannot write\n";
        return 1;
    }
    return 0;
}
