// Compiled gettext catalogues, read with every offset checked, and gettext's choice of language.
#include "form/translation.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>

namespace form {
namespace {

constexpr std::uint32_t kMagic = 0x950412de;
constexpr char kContextSeparator = '\x04';

// The .mo file's words in its own byte order; nullopt past the end.
class MoReader {
  public:
    explicit MoReader(std::string_view bytes) : m_bytes(bytes) {}

    bool readMagic()
    {
        const std::optional<std::uint32_t> magic = word(0);
        if (magic == kMagic)
            return true;
        m_swapped = true;
        return word(0) == kMagic;
    }

    std::optional<std::uint32_t> word(std::uint64_t offset) const
    {
        if (offset + 4 > m_bytes.size())
            return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const auto byte = static_cast<unsigned char>(m_bytes[offset + (m_swapped ? 3 - i : i)]);
            value |= std::uint32_t{byte} << (8 * i);
        }
        return value;
    }

    // The string a table entry (length, offset) describes, which must end with its NUL inside the file.
    std::optional<std::string_view> string(std::uint64_t entry) const
    {
        const std::optional<std::uint32_t> length = word(entry), offset = word(entry + 4);
        if (!length || !offset || std::uint64_t{*offset} + *length >= m_bytes.size() ||
            m_bytes[*offset + std::uint64_t{*length}] != '\0')
            return std::nullopt;
        return m_bytes.substr(*offset, *length);
    }

  private:
    std::string_view m_bytes;
    bool m_swapped = false;
};

Catalogue& programCatalogue()
{
    static Catalogue catalogue;
    return catalogue;
}

std::string contextKey(std::string_view context, std::string_view msgid)
{
    std::string key(context);
    key += kContextSeparator;
    key += msgid;
    return key;
}

std::optional<std::string> readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return bytes;
}

} // namespace

bool Catalogue::load(std::string_view moBytes)
{
    m_texts.clear();
    MoReader mo(moBytes);
    if (!mo.readMagic())
        return false;
    const std::optional<std::uint32_t> revision = mo.word(4), count = mo.word(8), originals = mo.word(12),
                                       translations = mo.word(16);
    if (!revision || *revision >> 16 > 1 || !count || !originals || !translations)
        return false;
    std::map<std::string, std::string, std::less<>> texts;
    for (std::uint64_t i = 0; i < *count; ++i) {
        const std::optional<std::string_view> original = mo.string(*originals + 8 * i),
                                              translation = mo.string(*translations + 8 * i);
        if (!original || !translation)
            return false;
        // A plural entry holds its forms after NULs; the singular is the one this program shows.
        const std::string_view msgid = original->substr(0, original->find('\0'));
        const std::string_view msgstr = translation->substr(0, translation->find('\0'));
        if (!msgid.empty() && !msgstr.empty()) // "": the header; an empty msgstr is no translation
            texts.emplace(msgid, msgstr);
    }
    m_texts = std::move(texts);
    return true;
}

std::string_view Catalogue::find(std::string_view msgid) const
{
    const auto found = m_texts.find(msgid);
    return found == m_texts.end() ? msgid : std::string_view(found->second);
}

std::string_view Catalogue::find(std::string_view context, std::string_view msgid) const
{
    const auto found = m_texts.find(contextKey(context, msgid));
    return found == m_texts.end() ? msgid : std::string_view(found->second);
}

bool loadCatalogue(std::string_view moBytes)
{
    return programCatalogue().load(moBytes);
}

std::string loadLanguage(const std::vector<std::filesystem::path>& localeDirs,
                         const std::vector<std::string>& languages)
{
    for (const std::string& language : languages) {
        if (language == "C")
            break;
        for (const std::filesystem::path& dir : localeDirs) {
            const std::optional<std::string> bytes =
                readFile(dir / language / "LC_MESSAGES" / "calculator.mo");
            if (bytes && loadCatalogue(*bytes))
                return language;
        }
    }
    loadCatalogue({});
    return {};
}

std::string_view tr(std::string_view msgid)
{
    return programCatalogue().find(msgid);
}

std::string_view tr(std::string_view context, std::string_view msgid)
{
    return programCatalogue().find(context, msgid);
}

std::vector<std::string> localeCandidates(std::string_view locale)
{
    if (locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C."))
        return {"C"};
    // language[_territory][.codeset][@modifier]: the codeset names no other catalogue.
    const std::size_t at = locale.find('@');
    const std::string_view modifier = at == std::string_view::npos ? "" : locale.substr(at);
    const std::string_view name = locale.substr(0, std::min(locale.find('.'), at));
    const std::string_view language = name.substr(0, name.find('_'));
    std::vector<std::string> candidates;
    const auto add = [&candidates](std::string_view first, std::string_view second) {
        std::string candidate = std::string(first) + std::string(second);
        if (!candidate.empty() && std::ranges::find(candidates, candidate) == candidates.end())
            candidates.push_back(std::move(candidate));
    };
    if (!modifier.empty()) {
        add(name, modifier);
        add(language, modifier);
    }
    add(name, "");
    add(language, "");
    return candidates;
}

std::vector<std::string> languagesFrom(const LocaleVariables& variables)
{
    std::string_view locale = variables.lcAll;
    if (locale.empty())
        locale = variables.lcMessages;
    if (locale.empty())
        locale = variables.lang;
    std::vector<std::string> languages = localeCandidates(locale);
    if (locale.empty() || locale == "C" || locale == "POSIX") // as gettext: C.UTF-8 still reads LANGUAGE
        return languages;
    std::vector<std::string> listed;
    for (std::string_view list = variables.language; !list.empty();) {
        const std::size_t colon = list.find(':');
        if (const std::string_view entry = list.substr(0, colon); !entry.empty())
            for (std::string& candidate : localeCandidates(entry))
                if (std::ranges::find(listed, candidate) == listed.end())
                    listed.push_back(std::move(candidate));
        list = colon == std::string_view::npos ? "" : list.substr(colon + 1);
    }
    return listed.empty() ? languages : listed; // a list of empty entries names none
}

std::vector<std::string> environmentLanguages()
{
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string_view(value ? value : "");
    };
    return languagesFrom(
        {variable("LANGUAGE"), variable("LC_ALL"), variable("LC_MESSAGES"), variable("LANG")});
}

std::string shortcutName(std::string_view shortcut)
{
    std::string name;
    for (std::size_t plus; (plus = shortcut.find('+')) != std::string_view::npos && plus > 0;) {
        name += tr("shortcut", shortcut.substr(0, plus));
        name += '+';
        shortcut.remove_prefix(plus + 1);
    }
    return name + std::string(shortcut);
}

} // namespace form
