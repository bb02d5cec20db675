// The user's language on Windows: the catalogue that the program carries for the first of the user's display
// languages that has one, English (the form's own texts) when none has.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace winui {

// The user's display languages, most preferred first, as Windows names them ("de-DE").
std::vector<std::string> userLanguages();

// The compiled catalogue in `module`'s resources for the first of `languages` that has one ("de-DE" looks for
// de_DE, then de); empty when none has, or an English one comes first.
std::string_view catalogueFor(HMODULE module, const std::vector<std::string>& languages);

// The form's texts in `language` ("de", "pt-BR"), or in the user's languages when it is empty; false if no
// catalogue answers, and the texts stay English.
bool useLanguage(HMODULE module, std::string_view language = {});

} // namespace winui
