// SPDX-License-Identifier: MIT
#include "platform/cInifile.h"

#include "platform/IniDocument.h"
#include "platform/IoError.h"

#include <stdexcept>

namespace zentravolix::platform {

std::string cInifile::Value() const
{
    try {
        return IniDocument::load(m_path).value(m_section, m_key).value_or(m_default);
    } catch (const IoError&) {
        // The platform reader treats an unreadable file like a missing one.
        return m_default;
    }
}

std::vector<std::string> cInifile::EnumerateCurrentSection() const
{
    try {
        return IniDocument::load(m_path).keys(m_section);
    } catch (const IoError&) {
        return {};
    }
}

template <typename Change> void cInifile::modify(Change&& change)
{
    m_lastReturnCode = 0;
    m_lastError.clear();
    try {
        IniDocument doc = IniDocument::load(m_path);
        if (change(doc))
            doc.save(m_path);
        m_lastReturnCode = 1;
    } catch (const IoError& e) {
        m_lastError = e.what();
    } catch (const std::invalid_argument& e) {
        m_lastError = m_path + ": " + e.what();
    }
}

void cInifile::SetValue(const std::string& value)
{
    modify([&](IniDocument& doc) {
        doc.setValue(m_section, m_key, value);
        return true;
    });
}

void cInifile::DeleteSection()
{
    modify([&](IniDocument& doc) {
        if (!doc.hasSection(m_section))
            return false;
        doc.deleteSection(m_section);
        return true;
    });
}

} // namespace zentravolix::platform
