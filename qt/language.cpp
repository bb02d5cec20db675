// The user's language on Qt: the catalogue from beside the program or its install location, and Qt's own
// names of the shortcuts' modifiers from it.
#include "qt/startup.h"

#include "form/translation.h"

#include <QCoreApplication>
#include <QTranslator>

#include <filesystem>
#include <system_error>

namespace qtui {
namespace {

// Qt names a shortcut's modifiers through its "QShortcut" translations, which the program does not ship.
class ShortcutNames final : public QTranslator {
  public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (!context || !source || std::string_view(context) != "QShortcut")
            return {};
        const std::string_view name = form::tr("shortcut", source);
        return name == source ? QString() : QString::fromUtf8(name.data(), qsizetype(name.size()));
    }
    bool isEmpty() const override { return false; }
};

} // namespace

std::string useLanguage(const std::vector<std::string>& languages)
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return form::loadLanguage({}, {});
    const std::filesystem::path dir = program.parent_path();
    // The build tree keeps them beside the program; an installed program finds them under its prefix.
    return form::loadLanguage({dir / "locale", dir.parent_path() / "share" / "locale"}, languages);
}

void translateShortcuts()
{
    QCoreApplication::installTranslator(new ShortcutNames(QCoreApplication::instance()));
}

} // namespace qtui
