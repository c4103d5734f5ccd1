// SPDX-License-Identifier: MIT
#include "vmx/VmxReader.h"

#include "vmx/KnownKeys.h"
#include "vmx/VmxWriter.h"
#include "vmx/detail/FileComments.h"
#include "vmx/detail/KeyNames.h"
#include "vmx/detail/KeySet.h"
#include "vmx/detail/ReaderContext.h"

#include "platform/AtomicFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <forward_list>
#include <memory>
#include <fcntl.h>
#include <unistd.h>
#include <system_error>
#include <unordered_set>

namespace zentravolix::vmx {

namespace detail {

void ReaderContext::problem(const ParsedLine& line, ProblemCode code)
{
    const auto eq = line.text.find('=');
    const std::string_view key = eq == std::string_view::npos ? line.text : TrimSpacesAndTabs(line.text.substr(0, eq));
    m_result.problems.push_back(ReadProblem{line.number, std::string(key), std::string(line.text), code});
}

std::optional<std::int64_t> ReaderContext::number(const ParsedLine& line, std::int64_t min, std::int64_t max)
{
    std::int64_t n = 0;
    switch (ParseInteger(line.value, min, max, n)) {
    case NumberStatus::Ok:
        return n;
    case NumberStatus::NotANumber:
        problem(line, ProblemCode::NotANumber);
        break;
    case NumberStatus::OutOfRange:
        problem(line, ProblemCode::NumberOutOfRange);
        break;
    }
    return std::nullopt;
}

std::optional<std::int32_t> ReaderContext::index(const ParsedLine& line, std::string_view digits)
{
    std::int64_t n = 0;
    switch (ParseInteger(digits, 0, MaxItemsPerCollection - 1, n)) {
    case NumberStatus::Ok:
        return static_cast<std::int32_t>(n);
    case NumberStatus::NotANumber:
        problem(line, ProblemCode::BadIndex);
        break;
    case NumberStatus::OutOfRange:
        // A negative index is no index; a huge one would make the program allocate without bound.
        problem(line, !digits.empty() && digits.front() == '-' ? ProblemCode::BadIndex : ProblemCode::TooManyItems);
        break;
    }
    return std::nullopt;
}

void parseLine(const RawLine& raw, ParsedLine& out)
{
    out.number = raw.number;
    out.text = raw.text;
    out.rejected = false;
    out.valueLoaded = false;
    out.value.clear();
    out.key.clear();
    out.prefixLength = std::string::npos;
    const auto eq = raw.text.front() == '#' ? std::string_view::npos : raw.text.find('=');
    out.hasEquals = eq != std::string_view::npos;
    if (!out.hasEquals)
        return;
    const std::string_view key = raw.key.empty() ? TrimSpacesAndTabs(raw.text.substr(0, eq)) : raw.key;
    out.key.assign(key.data(), key.size());
    for (char& c : out.key) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    out.prefixLength = out.key.find('.');
}

std::optional<bool> parseBoolean(const std::string& value)
{
    if (EqualsIgnoreCase(value, "true"))
        return true;
    if (EqualsIgnoreCase(value, "false"))
        return false;
    return std::nullopt;
}

Fate readComment(ReaderContext& ctx, const ParsedLine& line)
{
    const std::string_view text = line.text;
    if (std::find(kWriterComments.begin(), kWriterComments.end(), text) != kWriterComments.end())
        return Fate::Consumed;
    if (text.substr(0, comment::FileNamePrefix.size()) == comment::FileNamePrefix &&
        text.substr(comment::FileNamePrefix.size()) == EscapeValue(ctx.general.VmxFileName()))
        return Fate::Consumed;

    if (const auto platform = platformOfLine(text)) {
        ctx.general.SetTargetPlatform(*platform);
        ctx.platformLine = true;
        return Fate::Consumed;
    }
    const auto version = versionOfLine(text, ctx.general.TargetPlatform(), ctx.general.PlatformVersion());
    if (!version)
        return Fate::Preserved;
    ctx.general.SetPlatformVersion(*version);
    ctx.versionLine = std::string(text);
    return Fate::Consumed;
}

} // namespace detail

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

/**
 * A line only an ESX or ESXi host writes: a path on a VMFS datastore, a network adapter attached
 * to a port group by name, a MAC address vCenter assigned, or a hardware version declared for ESX.
 * The opposite, "hosted", is no mark either way: older ESX hosts wrote it too.
 */
constexpr std::string_view kVmfsVolumes = "/vmfs/volumes/";

/** vmfsInText: the whole text has the VMFS path somewhere (most files have not: no line is searched then). */
bool hasServerMark(const detail::ParsedLine& line, bool vmfsInText)
{
    if (vmfsInText && line.text.find(kVmfsVolumes) != std::string_view::npos)
        return true;
    if (line.hasEquals && line.is("virtualhw.productcompatibility"))
        return EqualsIgnoreCase(LineValue(line.text), "esx");
    if (!line.hasEquals || line.prefix().substr(0, 8) != "ethernet")
        return false;
    if (line.hasMember(".networkName"))
        return true;
    return line.hasMember(".addressType") && EqualsIgnoreCase(LineValue(line.text), "vpx");
}

/**
 * Whether the key lines are those of a fully encrypted configuration: an "encryption.keySafe" or
 * "encryption.data" line, and besides the "encryption." lines only ".encoding" and "displayName".
 */
bool isEncryptedConfiguration(const std::vector<detail::RawLine>& keyLines)
{
    bool sealed = false;
    detail::ParsedLine line;
    for (const auto& raw : keyLines) {
        detail::parseLine(raw, line);
        if (!line.hasEquals)
            return false;
        const std::string_view key = line.key;
        if (key == "encryption.keysafe" || key == "encryption.data")
            sealed = true;
        else if (key.substr(0, 11) != "encryption." && key != ".encoding" && key != "displayname")
            return false;
    }
    return sealed;
}

void checkText(std::string_view text, const std::filesystem::path& path)
{
    if (text.size() > MaxVmxFileSize && CountedSize(text) > MaxVmxFileSize)
        throw VmxFileError(VmxFileError::Reason::TooLarge, path);
    if (text.find('\0') != std::string_view::npos)
        throw VmxFileError(VmxFileError::Reason::NotText, path);
}

/**
 * Finds the line ends of a text from front to back: the next CR or LF at or after a position.
 * Each byte is looked for with its own scan, which remembers where it found the byte: a search
 * for either of two bytes goes byte by byte, and a text of one kind of line end only is never
 * searched again for the other kind.
 */
class LineEnds {
public:
    explicit LineEnds(std::string_view text) : m_text(text) {}

    std::size_t next(std::size_t from)
    {
        return std::min(nextOf('\n', from, m_lf), nextOf('\r', from, m_cr));
    }

private:
    std::size_t nextOf(char c, std::size_t from, std::size_t& found) const
    {
        if (found != kNotYet && (found == std::string_view::npos || found >= from))
            return found;
        const void* at = std::memchr(m_text.data() + from, c, m_text.size() - from);
        found = at ? static_cast<std::size_t>(static_cast<const char*>(at) - m_text.data()) : std::string_view::npos;
        return found;
    }

    static constexpr std::size_t kNotYet = std::string_view::npos - 1;
    std::string_view m_text;
    std::size_t m_lf = kNotYet;
    std::size_t m_cr = kNotYet;
};

/**
 * Splits the text into key lines and comment lines; empty lines are dropped. A line ends in LF,
 * CR LF or a lone CR (files from old Mac editors), so every kind counts as one line end.
 */
void splitLines(std::string_view text, std::vector<detail::RawLine>& keyLines, std::vector<detail::RawLine>& comments)
{
    keyLines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    std::int32_t number = 0;
    std::size_t start = 0;
    LineEnds ends(text);
    while (start < text.size()) {
        auto end = ends.next(start);
        std::size_t next = 0;
        if (end == std::string_view::npos) {
            end = text.size();
            next = end;
        } else {
            next = end + 1;
            if (text[end] == '\r' && next < text.size() && text[next] == '\n')
                ++next;
        }
        const std::string_view line = text.substr(start, end - start);
        start = next;
        ++number;
        if (line.empty())
            continue;
        if (line.front() == '#')
            comments.push_back({number, line, {}});
        else
            keyLines.push_back({number, line, RawLineKey(line)});
    }
}

} // namespace

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

/** Whether a key may spell an item's number otherwise than plainly: a sign, or a zero before a digit. */
bool mayHaveOddNumber(std::string_view key)
{
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (key[i] == '+' || key[i] == '-')
            return true;
        if (key[i] == '0' && i > 0 && !isDigit(key[i - 1]) && i + 1 < key.size() && isDigit(key[i + 1]))
            return true;
    }
    return false;
}

/**
 * The key with its item's numbers written plainly ("scsi0:+01.deviceType" is "scsi0:1.devicetype")
 * when that is a key the reader takes into the model: the reader reads both spellings as the same
 * member, so of two such lines only the later may count. Empty for any other key.
 */
std::string plainNumberedKey(std::string_view key)
{
    std::size_t at = 0;
    while (at < key.size() && ((key[at] >= 'a' && key[at] <= 'z') || (key[at] >= 'A' && key[at] <= 'Z')))
        ++at;
    if (at == 0)
        return {};
    std::string plain = ToLower(key.substr(0, at));
    const auto number = [&key, &plain](std::size_t& from) {
        std::size_t end = from;
        const bool negative = end < key.size() && key[end] == '-';
        if (end < key.size() && (key[end] == '+' || key[end] == '-'))
            ++end;
        std::size_t first = end;
        while (end < key.size() && isDigit(key[end]))
            ++end;
        if (end == first)
            return false;
        while (first + 1 < end && key[first] == '0')
            ++first;
        const std::string_view digits = key.substr(first, end - first);
        if (negative && digits != "0")
            plain += '-';
        plain += digits;
        from = end;
        return true;
    };
    if (!number(at))
        return {};
    if (at < key.size() && key[at] == ':') {
        plain += ':';
        ++at;
        if (!number(at))
            return {};
    }
    if (at == key.size() || key[at] != '.')
        return {};
    plain += ToLower(key.substr(at));
    return FindKnownKey(plain) ? plain : std::string();
}

/** ReadVmxText for a text checkText has passed. */
ReadResult readCheckedText(std::string_view text, tarvonel::VirtualMachine& vm, const std::string& vmxFilePath,
                           bool capture)
{
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        text.remove_prefix(kUtf8Bom.size());

    ReadResult result;
    detail::ReaderContext ctx(vm, result);
    if (!vmxFilePath.empty()) {
        const auto slash = vmxFilePath.rfind(PathSeparator);
        ctx.general.SetVmxPath(slash == std::string::npos ? std::string() : vmxFilePath.substr(0, slash + 1));
        ctx.general.SetVmxFileName(slash == std::string::npos ? vmxFilePath : vmxFilePath.substr(slash + 1));
    }

    std::vector<detail::RawLine> keyLines;
    std::vector<detail::RawLine> comments;
    splitLines(text, keyLines, comments);

    // A file that sets a key twice counts with its later line only, as the writer keeps it: an
    // earlier line kept verbatim would win over the value the later line gave the model, and an
    // earlier line applied would leave a value the later (kept) line does not give on rereading.
    // A known key whose item number is spelt with a sign or leading zeros ("scsi0:+1.deviceType")
    // is the same key as its plain spelling here, as the reader reads it.
    std::vector<bool> superseded(keyLines.size(), false);
    {
        // Sized once, without an allocation per key: files of later products have very many.
        detail::KeySet later(keyLines.size());
        std::forward_list<std::string> plainKeys; // what the set views for the oddly spelt keys (none mostly)
        for (std::size_t i = keyLines.size(); i-- > 0;) {
            std::string_view key = keyLines[i].key;
            if (key.empty())
                continue;
            if (mayHaveOddNumber(key)) {
                if (std::string plain = plainNumberedKey(key); !plain.empty())
                    key = plainKeys.emplace_front(std::move(plain));
            }
            if (!later.insert(key))
                superseded[i] = true;
        }
    }

    // A share whose ".present" line says FALSE does not exist (the later line of a key counts).
    for (std::size_t i = 0; i < keyLines.size(); ++i) {
        if (superseded[i])
            continue;
        const std::string_view key = keyLines[i].key;
        constexpr std::string_view kFamily = detail::family::SharedFolder;
        constexpr std::string_view kPresent = detail::member::Present;
        if (key.size() <= kFamily.size() + kPresent.size() || !EqualsIgnoreCase(key.substr(0, kFamily.size()), kFamily) ||
            !EqualsIgnoreCase(key.substr(key.size() - kPresent.size()), kPresent))
            continue;
        std::int64_t n = 0;
        const std::string_view digits =
            key.substr(kFamily.size(), key.size() - kFamily.size() - kPresent.size());
        if (ParseInteger(digits, 0, MaxItemsPerCollection - 1, n) == NumberStatus::Ok &&
            EqualsIgnoreCase(LineValue(keyLines[i].text), "false"))
            ctx.absentShares.insert(static_cast<std::int32_t>(n));
    }
    // The model's shares are numbered without gaps: an absent share below one that exists still
    // takes its place. Its ".present" line is kept as the file had it; its other lines are the
    // share's, so what the writer gives for that place reads back the same.
    if (!ctx.absentShares.empty()) {
        std::int32_t highest = -1;
        for (std::size_t i = 0; i < keyLines.size(); ++i) {
            if (superseded[i])
                continue;
            const std::string_view key = keyLines[i].key;
            constexpr std::string_view kFamily = detail::family::SharedFolder;
            if (key.size() <= kFamily.size() || !EqualsIgnoreCase(key.substr(0, kFamily.size()), kFamily))
                continue;
            const std::string_view rest = key.substr(kFamily.size());
            const auto dot = rest.find('.');
            std::int64_t n = 0;
            if (dot == std::string_view::npos ||
                ParseInteger(rest.substr(0, dot), 0, MaxItemsPerCollection - 1, n) != NumberStatus::Ok ||
                ctx.absentShares.count(static_cast<std::int32_t>(n)))
                continue;
            highest = std::max(highest, static_cast<std::int32_t>(n));
        }
        // So does every share below the count, but for the absent ones at its end (the count's
        // line takes them off, as readSharedFolderCount does).
        for (std::size_t i = keyLines.size(); i-- > 0;) {
            if (superseded[i] || !EqualsIgnoreCase(keyLines[i].key, detail::key::SharedFolderCount))
                continue;
            std::int64_t count = 0;
            if (ParseInteger(LineValue(keyLines[i].text), 0, MaxItemsPerCollection, count) == NumberStatus::Ok) {
                while (count > 0 && ctx.absentShares.count(static_cast<std::int32_t>(count - 1)))
                    --count;
                highest = std::max(highest, static_cast<std::int32_t>(count - 1));
            }
            break;
        }
        for (auto it = ctx.absentShares.begin(); it != ctx.absentShares.end();) {
            if (*it < highest) {
                ctx.placeheldShares.insert(*it);
                it = ctx.absentShares.erase(it);
            } else {
                ++it;
            }
        }
    }

    // Files of later products are mostly kept lines: room for all of them at once.
    result.otherParams.reserve(keyLines.size() + comments.size());

    std::vector<bool> rejected(keyLines.size(), false);
    detail::decideNodeDevices(ctx, keyLines, superseded, rejected);

    const auto apply = [&ctx](detail::ParsedLine& line, auto handler) {
        detail::Fate fate = detail::Fate::Preserved;
        try {
            fate = handler(ctx, line);
        } catch (const tarvonel::Error&) {
            ctx.problem(line, ProblemCode::ValueRejected);
        }
        if (fate == detail::Fate::Preserved)
            ctx.preserve(line);
    };
    result.encrypted = isEncryptedConfiguration(keyLines);
    const bool vmfsInText = text.find(kVmfsVolumes) != std::string_view::npos;
    detail::ParsedLine line;
    for (std::size_t i = 0; i < keyLines.size(); ++i) {
        detail::parseLine(keyLines[i], line);
        line.rejected = rejected[i];
        if (superseded[i])
            continue;
        if (!result.serverMarks)
            result.serverMarks = hasServerMark(line, vmfsInText);
        if (!line.hasEquals)
            ctx.preserve(line);
        else
            apply(line, detail::readKey);
    }
    for (const auto& comment : comments) {
        detail::parseLine(comment, line);
        apply(line, detail::readComment);
    }
    // The comment lines come last, so a "# Platform = " line can leave the version that
    // "config.version" set outside the platform's list (GSX Server has no 5.5x). The writer has no
    // lines for such a pair, the next read gives another product, and the version is no index
    // into the platform's list: the platform takes its latest classic version below the one it
    // was given. A version of today's products counts only when its own "# Version = " line named
    // it; the classic versions are found as they always were.
    const std::int16_t platform = ctx.general.TargetPlatform();
    const auto classic = [](std::int16_t p, std::int16_t v) {
        return std::any_of(std::begin(detail::kPlatformComments), std::end(detail::kPlatformComments),
                           [&](const detail::PlatformComment& row) { return row.platform == p && row.version == v; });
    };
    const detail::PlatformComment* named = detail::platformComment(platform, ctx.general.PlatformVersion());
    const bool confirmed = named && ctx.versionLine == named->versionLine;
    if (!classic(platform, ctx.general.PlatformVersion()) && !confirmed) {
        for (std::int16_t version = ctx.general.PlatformVersion(); version-- > 0;) {
            if (classic(platform, version)) {
                ctx.general.SetPlatformVersion(version);
                break;
            }
        }
    }
    // A platform without classic versions (ESXi) may still be left with a version it does not
    // have ("# Version = 17.x" of Workstation, then "# Platform = ESXi"): the writer would write
    // no product lines, and the next read would give another product. It takes its latest version
    // below the one it was given, or its first when it has none below.
    if (ctx.platformLine && !detail::platformComment(platform, ctx.general.PlatformVersion())) {
        const std::int16_t given = ctx.general.PlatformVersion();
        std::optional<std::int16_t> below;
        std::optional<std::int16_t> first;
        for (const detail::PlatformComment& row : detail::allPlatformComments()) {
            if (row.platform != platform)
                continue;
            if (row.version < given && (!below || row.version > *below))
                below = row.version;
            if (!first || row.version < *first)
                first = row.version;
        }
        if (const auto version = below ? below : first)
            ctx.general.SetPlatformVersion(*version);
    }

    // A file without product lines is read as the classic version its config.version gives; the
    // configuration session takes the newer lines in once it has found the product (TakeNewerLines).
    ctx.settleNewerLines(ctx.platformLine && !classic(platform, ctx.general.PlatformVersion()));

    std::stable_sort(result.problems.begin(), result.problems.end(),
                     [](const ReadProblem& a, const ReadProblem& b) { return a.line < b.line; });
    if (capture)
        result.valuesAfterRead = CaptureValuesAfterRead(vm, result.otherParams);
    result.platformLine = ctx.platformLine;
    return result;
}

} // namespace

ReadResult ReadVmxText(std::string_view text, tarvonel::VirtualMachine& vm, const std::string& vmxFilePath)
{
    return ReadVmxText(text, vm, vmxFilePath, ReadOptions{});
}

ReadResult ReadVmxText(std::string_view text, tarvonel::VirtualMachine& vm, const std::string& vmxFilePath,
                       const ReadOptions& options)
{
    checkText(text, vmxFilePath);
    return readCheckedText(text, vm, vmxFilePath, !options.captureLater);
}

void TakeNewerLines(ReadResult& result, const tarvonel::VirtualMachine& vm)
{
    if (result.newerLines.empty())
        return;
    for (auto it = result.newerLines.rbegin(); it != result.newerLines.rend(); ++it) {
        it->apply();
        result.otherParams.erase(result.otherParams.begin() + static_cast<std::ptrdiff_t>(it->index));
    }
    result.newerLines.clear();
    result.valuesAfterRead = CaptureValuesAfterRead(vm, result.otherParams);
}

ReadResult ReadVmxFile(const std::filesystem::path& path, tarvonel::VirtualMachine& vm, const ReadOptions& options)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw VmxFileError(VmxFileError::Reason::CannotOpen, path, std::strerror(EISDIR));
    // A file of CR LF lines may hold twice the counted size in bytes, and no more.
    constexpr std::uintmax_t kMaxBytes = 2 * MaxVmxFileSize;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxBytes)
        throw VmxFileError(VmxFileError::Reason::TooLarge, path);

    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw VmxFileError(VmxFileError::Reason::CannotOpen, path, std::strerror(errno));
    const struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    // The bytes go straight into a buffer that is not cleared first (every byte of it is
    // overwritten or unused): a long file is copied once, by the read itself. A string of the
    // content is made only for a backup.
    std::size_t capacity = ec ? std::size_t{65536} : static_cast<std::size_t>(size) + 1;
    // One byte more than the size, so the end is seen without growing the buffer.
    auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t filled = 0;
    for (;;) {
        if (filled == capacity) {
            if (capacity > kMaxBytes)
                throw VmxFileError(VmxFileError::Reason::TooLarge, path);
            auto larger = std::make_unique_for_overwrite<char[]>(capacity * 2);
            std::memcpy(larger.get(), buffer.get(), filled);
            buffer = std::move(larger);
            capacity *= 2;
        }
        const ssize_t n = ::read(fd, buffer.get() + filled, capacity - filled);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw VmxFileError(VmxFileError::Reason::CannotOpen, path, std::strerror(errno));
        if (n == 0)
            break;
        filled += static_cast<std::size_t>(n);
    }
    if (filled > kMaxBytes)
        throw VmxFileError(VmxFileError::Reason::TooLarge, path);
    const std::string_view content(buffer.get(), filled);
    checkText(content, path);

    std::optional<platform::FileAttributes> attributes;
    if (options.keepOriginal)
        attributes = platform::ReadFileAttributes(path);
    ReadResult result = readCheckedText(content, vm, path.string(), !options.captureLater);
    if (options.keepOriginal)
        result.original = OpenedFile{path, std::string(content), std::move(attributes)};
    if (options.hashContent)
        result.contentHash = std::hash<std::string_view>()(content);
    return result;
}

std::filesystem::path BackupPath(const std::filesystem::path& file)
{
    std::filesystem::path backup = file;
    backup += ".bak";
    return backup;
}

std::filesystem::path WriteBackup(const OpenedFile& original)
{
    const std::filesystem::path backup = BackupPath(original.path);
    platform::WriteOptions options;
    options.replaceLink = true;
    options.attributes = original.attributes ? &*original.attributes : nullptr;
    platform::WriteFileAtomically(backup, original.content, options);
    return backup;
}

} // namespace zentravolix::vmx
