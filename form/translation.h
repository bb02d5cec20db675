// The user's language: compiled gettext catalogues (.mo) read without libintl, and the language the desktop
// asks for. Every text a person reads or hears passes through tr() where it is shown; English is the key.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// Marks a text for xgettext (`make pot`) where it is data, not yet shown: the table keeps the English.
#define N_(text) text
#define NC_(context, text) text

namespace form {

// The modifier names a shortcut shows, for the catalogue (shortcutName translates them).
// TRANSLATORS: the Ctrl key's name in a menu's shortcut ("Ctrl+X"), as this desktop's keyboards print it.
inline constexpr std::string_view kModifierNames[] = {NC_("shortcut", "Ctrl")};

// One catalogue's translations by msgid ("context\x04msgid" with a context).
class Catalogue {
  public:
    // Reads a .mo file's bytes, either byte order. A truncated or malformed file gives false and leaves the
    // catalogue empty: English.
    bool load(std::string_view moBytes);
    // The translation, or msgid itself where there is none.
    std::string_view find(std::string_view msgid) const;
    std::string_view find(std::string_view context, std::string_view msgid) const;
    bool empty() const { return m_texts.empty(); }

  private:
    std::map<std::string, std::string, std::less<>> m_texts;
};

// The program's catalogue, one for all windows. false: not a catalogue, and the program speaks English.
bool loadCatalogue(std::string_view moBytes);
// The first of `languages` with DIR/LANGUAGE/LC_MESSAGES/calculator.mo in one of `localeDirs`, tried in
// that order; returns the language loaded, or "" for English (none found, or "C" reached in the list).
std::string loadLanguage(const std::vector<std::filesystem::path>& localeDirs,
                         const std::vector<std::string>& languages);

// The program's translation of a text; the text itself where it has none.
std::string_view tr(std::string_view msgid);
std::string_view tr(std::string_view context, std::string_view msgid);

// A locale name's catalogue names, most specific first: "pt_BR.UTF-8" -> pt_BR, pt; "sr_RS@latin" ->
// sr_RS@latin, sr@latin, sr_RS, sr. "C", "C.UTF-8", "POSIX" and "" -> {"C"}: English.
std::vector<std::string> localeCandidates(std::string_view locale);

// The variables gettext reads, in its order: LANGUAGE (a colon list) unless the locale is C or POSIX (C.UTF-8
// is not), else the first set of LC_ALL, LC_MESSAGES, LANG. On Windows: the display languages as "de_DE" in
// `language`. The result is localeCandidates' for each; "C" in it stops the search: English.
struct LocaleVariables {
    std::string_view language, lcAll, lcMessages, lang;
};
std::vector<std::string> languagesFrom(const LocaleVariables& variables);
std::vector<std::string> environmentLanguages(); // from this process's environment

// A shortcut's name as the menu shows it, its modifiers translated: "Ctrl+X" -> "Strg+X".
std::string shortcutName(std::string_view shortcut);

} // namespace form
