// The engine's view of the window, over the real widgets; QString <-> UTF-8 happens here only.
#include "ui/window_display.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace ui {
namespace {

QString keyName(engine::KeyArray keys, std::int16_t index)
{
    const char* array = keys == engine::KeyArray::Operator    ? "Operator"
                        : keys == engine::KeyArray::Functions ? "Functions"
                                                              : "Trig";
    return QStringLiteral("%1(%2)").arg(QLatin1StringView(array)).arg(index);
}

QLatin1StringView optionName(engine::AngleOption option)
{
    return option == engine::AngleOption::Deg ? QLatin1StringView("optDeg") : QLatin1StringView("optRad");
}

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
constexpr char kAnnouncerName[] = "announcer";

// Gives the announcer the notification role.
QAccessibleInterface* announcerAccessible(const QString& /*className*/, QObject* object)
{
    if (object->isWidgetType() && object->objectName() == kAnnouncerName)
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}
#endif

} // namespace

void addAnnouncer([[maybe_unused]] QWidget& display)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    static const bool factoryInstalled = (QAccessible::installFactory(announcerAccessible), true);
    Q_UNUSED(factoryInstalled);
    // The same size as the display, under it; it draws nothing.
    auto* announcer = new QWidget(display.parentWidget());
    announcer->setObjectName(QLatin1StringView(kAnnouncerName));
    announcer->setGeometry(display.geometry());
    announcer->stackUnder(&display);
#endif
}

void WindowDisplay::setText(std::string_view text)
{
    m_text = text;
    auto* label = m_window.findChild<QLabel*>(QStringLiteral("lblDisplay"));
    if (!label)
        return;
    const QString whole = QString::fromStdString(m_text);
    // The newest digits are at the right end, so a long text loses its left part. Far fewer than
    // kMostShown characters fit, so an endless entry costs no more to lay out than a full display.
    constexpr qsizetype kMostShown = 256;
    const QString tail = whole.size() > kMostShown ? QChar(0x2026) + whole.right(kMostShown) : whole;
    label->setText(label->fontMetrics().elidedText(tail, Qt::ElideLeft, label->contentsRect().width()));
    // What a screen reader's review of the window reads: the whole text.
    label->setAccessibleName(whole);
}

void WindowDisplay::announceChange(const std::string& before)
{
    if (m_text == before)
        return;
    // Screen readers ignore changes to the display, which never has the focus. The sign blank is no
    // word to speak.
    const QString spoken = QString::fromStdString(m_text).trimmed();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    auto* label = m_window.findChild<QLabel*>(QStringLiteral("lblDisplay"));
    if (!label)
        return;
    // Polite: spoken after what the reader is saying (the key's name, say), not over it.
    QAccessibleAnnouncementEvent announcement(label, spoken);
    QAccessible::updateAccessibility(&announcement);
#else
    // A notification is spoken as it appears.
    auto* announcer = m_window.findChild<QWidget*>(QLatin1StringView(kAnnouncerName));
    if (!announcer)
        return;
    announcer->hide();
    announcer->setAccessibleName(spoken);
    announcer->show();
#endif
}

std::string WindowDisplay::caption(engine::KeyArray keys, std::int16_t index) const
{
    const auto* key = m_window.findChild<QPushButton*>(keyName(keys, index));
    return key ? key->text().toStdString() : std::string();
}

bool WindowDisplay::optionValue(engine::AngleOption option) const
{
    const auto* button = m_window.findChild<QRadioButton*>(optionName(option));
    return button && button->isChecked();
}

void WindowDisplay::setOptionValue(engine::AngleOption option, bool value)
{
    auto* button = m_window.findChild<QRadioButton*>(optionName(option));
    if (!button)
        return;
    // The button of an exclusive group refuses to be unchecked while the group is exclusive.
    QButtonGroup* group = button->group();
    if (group)
        group->setExclusive(false);
    button->setChecked(value);
    if (group)
        group->setExclusive(true);
}

} // namespace ui
