// SPDX-License-Identifier: MIT
#pragma once

// What a field rule of the device pages decides about a typed value, independent of any widget
// toolkit: the page applies the decision (stores the value, rewrites or clears the box, shows the
// message, keeps the focus).

#include <optional>
#include <string>

namespace zentravolix::config {

/** The icon of a rule's message box. */
enum class RuleIcon {
    Exclamation,
    Information,
    Critical,
};

/**
 * A message of the text table: title and text by their English text ids (the caller adds the
 * language offset when it looks them up), an untranslated tail written right after the text
 * (the MAC address ranges), and the icon.
 */
struct RuleMessage {
    int titleId = 0;
    int textId = 0;
    std::string textSuffix;
    RuleIcon icon = RuleIcon::Exclamation;

    bool operator==(const RuleMessage&) const = default;
};

/** The decision of a field rule about the text of its box. */
struct FieldDecision {
    enum class Outcome {
        /** Nothing happens (an empty box): nothing is stored and nothing is shown. */
        Ignore,
        /** The value is valid; the caller stores it (see the rule for what). */
        Store,
        /** The value is refused; the model stays as it was. */
        Refuse,
    };

    Outcome outcome = Outcome::Ignore;
    /** When set, the box must show this text instead of what was typed ("" clears the box). */
    std::optional<std::string> shownText;
    /** When set, the message the caller shows. */
    std::optional<RuleMessage> message;
    /** Whether the focus must stay in the box (the validation is cancelled). */
    bool keepFocus = false;

    bool stored() const { return outcome == Outcome::Store; }
    bool refused() const { return outcome == Outcome::Refuse; }
};

} // namespace zentravolix::config
