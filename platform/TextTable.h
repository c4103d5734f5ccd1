// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zentravolix::platform {

/** The interface languages, in the order of the options dialog (index 0 to 4). */
enum class Language {
    English = 0,
    German = 1,
    French = 2,
    Spanish = 3,
    Italian = 4,
};

inline constexpr int kLanguageCount = 5;
/** Distance between the id blocks of two languages: German texts sit at English id + 500. */
inline constexpr std::int32_t kLanguageOffsetStep = 500;
/**
 * English ids 1 to 358 are the program's classic texts. The program's own texts, such as the Linux
 * wording of a classic text that is not true on this platform (which keeps its id) and the messages
 * of the editor, the main window and the command-line tool, use ids 359 to 499 of the English block;
 * their translations sit at the same language offsets as every other. texts.tsv lists which part
 * of the range holds what.
 */
inline constexpr int kOwnTextFirst = 359;
inline constexpr int kOwnTextLast = 499;
/**
 * The first block of own texts filled up; later texts use English ids 2501 to 2999. Their
 * translations sit at the same offsets (German 3001-3499, ... Italian 4501-4999), so a lookup is
 * the same `id + offset` for every text.
 */
inline constexpr int kMoreOwnTextFirst = 2501;
inline constexpr int kMoreOwnTextLast = 2999;

/** Whether `id` is an English id of one of the program's own blocks. */
constexpr bool IsOwnTextId(int id)
{
    return (id >= kOwnTextFirst && id <= kOwnTextLast) || (id >= kMoreOwnTextFirst && id <= kMoreOwnTextLast);
}

/** The process-wide language offset (0 English, 500 German, ... 2000 Italian); 0 at start. */
std::int32_t LanguageOffset();
/**
 * Changes the process-wide language offset; texts loaded afterwards come from the new block. The
 * program calls it at start-up with the loaded settings' language and when the options dialog
 * changes it; loading or saving the settings never does.
 */
void SetLanguageOffset(std::int32_t offset);

/** Offset of a language index of the options dialog: index x 500. */
std::int32_t LanguageOffsetFromIndex(int index);
/** Language index of an offset: offset / 500 rounded to the nearest integer (halves to even). */
int LanguageIndexFromOffset(std::int32_t offset);

/**
 * Text of the English id `id` in the current language: the row `id + LanguageOffset()`.
 * Callers pass the English id and must not add the offset themselves. An id without a row
 * (an untranslated text, an unknown id) gives "" and never an error; so does a row of the second
 * block of own texts reached other than from its English id with a language's offset.
 */
std::string LoadLocalizedText(int id);
/** The same lookup with an explicit offset instead of the process-wide one; "" for an offset past the last language. */
std::string LoadLocalizedText(int id, std::int32_t offset);
/**
 * Caption of the English id `id` in the language at `offset`: the row `id + offset`, or the
 * English row `id` when that language has no row for it yet. Windows and pages label their
 * controls through this lookup, so a text added later in English shows in English rather than
 * as an empty caption. "" only for an id that has no English row either.
 */
std::string LoadCaption(int id, std::int32_t offset);
/** The same with the process-wide offset. */
std::string LoadCaption(int id);
/**
 * A text with its placeholders filled in: %1 to %9 become the first to the ninth of args, in one
 * pass (an argument that holds "%2" stays as it is); a '%' before anything else, or a placeholder
 * without an argument, stays as written. The command-line tool fills its texts through this;
 * Qt code uses QString::arg.
 */
std::string FillText(std::string_view text, std::initializer_list<std::string_view> args);
/** The same with the arguments a module handed out with its text id. */
std::string FillTextFrom(std::string_view text, const std::vector<std::string>& args);

/** The name of the language at `index` (0 English ... 4 Italian) in that language itself. */
std::string LanguageNameInItself(int index);
/** The row stored under exactly `absoluteId` (no offset added), or "" when there is none. */
std::string LoadTextById(std::int64_t absoluteId);

} // namespace zentravolix::platform
