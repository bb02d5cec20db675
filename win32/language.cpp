// The language choice on Windows and the catalogues carried as RCDATA resources (see CMakeLists.txt).
#include "win32/language.h"

#include "form/translation.h"
#include "win32/text.h"

#include <algorithm>

namespace winui {

std::vector<std::string> userLanguages()
{
    ULONG count = 0, size = 0;
    std::vector<std::string> languages;
    if (GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) && size > 0) {
        std::wstring names(size, L'\0');
        if (GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size))
            for (const wchar_t* name = names.c_str(); *name; name += wcslen(name) + 1)
                languages.push_back(narrow(name));
    }
    if (languages.empty()) { // before Windows Vista's list, or when it fails: the one language
        wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
        if (LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH,
                             0))
            languages.push_back(narrow(name));
    }
    return languages;
}

std::string_view catalogueFor(HMODULE module, const std::vector<std::string>& languages)
{
    for (std::string language : languages) {
        std::ranges::replace(language, '-', '_'); // Windows' "pt-BR" is gettext's "pt_BR"
        // A script named between language and region: "zh-Hans-CN" is zh_CN, "zh-Hans" alone too.
        if (language.size() >= 7 && language[2] == '_' && (language.size() == 7 || language[7] == '_')) {
            const std::string script = language.substr(3, 4);
            language.erase(2, 5);
            if (language.size() == 2 && script == "Hans")
                language += "_CN";
        }
        for (std::string candidate : form::localeCandidates(language)) {
            if (candidate == "C" || candidate == "en" || candidate.starts_with("en_"))
                return {}; // English before any other: the form's own texts
            // As FindResource compares names, and as CMakeLists.txt names the resources.
            std::ranges::transform(candidate, candidate.begin(),
                                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
            HRSRC found = FindResourceW(module, widen(candidate).c_str(), MAKEINTRESOURCEW(10)); // RT_RCDATA
            HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
            const void* bytes = loaded ? LockResource(loaded) : nullptr;
            if (bytes)
                return {static_cast<const char*>(bytes), SizeofResource(module, found)};
        }
    }
    return {};
}

bool useLanguage(HMODULE module, std::string_view language)
{
    const std::string_view catalogue =
        catalogueFor(module, language.empty() ? userLanguages() : std::vector{std::string(language)});
    return !catalogue.empty() && form::loadCatalogue(catalogue);
}

} // namespace winui
