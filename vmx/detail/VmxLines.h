// SPDX-License-Identifier: MIT
#pragma once

#include "vmx/VmxSyntax.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvonel {
class VirtualMachine;
}

namespace zentravolix::vmx::detail {

/** One line the writer makes; key is the lower-case key of a key line, empty for headers and blanks. */
struct VmxLine {
    std::string key;
    std::string text;
};

/** The writer's lines in file order, before duplicates and preserved lines are settled. */
class VmxLines {
public:
    void comment(std::string_view text) { m_lines.push_back({{}, std::string(text)}); }
    void blank() { m_lines.push_back({}); }

    /** keyLiteral is the key as written, including its " = " (or the "numvcpus =" quirk). */
    void value(std::string_view keyLiteral, std::string_view value)
    {
        std::string text(keyLiteral);
        text += '"';
        text += EscapeValue(value);
        text += '"';
        const auto eq = keyLiteral.find('=');
        m_lines.push_back({ToLower(TrimSpacesAndTabs(keyLiteral.substr(0, eq))), std::move(text)});
    }
    void boolean(std::string_view keyLiteral, bool flag) { value(keyLiteral, flag ? "TRUE" : "FALSE"); }
    void number(std::string_view keyLiteral, std::int64_t n) { value(keyLiteral, std::to_string(n)); }

    std::vector<VmxLine>& lines() { return m_lines; }
    const std::vector<VmxLine>& lines() const { return m_lines; }

private:
    std::vector<VmxLine> m_lines;
};

/** Banner and identity/general section, with its closing blank line. */
void writeGeneralSection(const tarvonel::VirtualMachine& vm, VmxLines& out);
/** The twelve device sections, each only when its collection holds an item. */
void writeDeviceSections(const tarvonel::VirtualMachine& vm, VmxLines& out);
/** The "advanced stuff" block. */
void writeOptionSections(const tarvonel::VirtualMachine& vm, VmxLines& out);

/** All the writer's own lines (no preserved lines, no closing lines), duplicates settled: the later line wins. */
std::vector<VmxLine> modelLines(const tarvonel::VirtualMachine& vm);

} // namespace zentravolix::vmx::detail
