// The display label's text as shown and as announced; QString <-> UTF-8 for the display happens here.
#include "qt/display_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace qtui {
namespace {

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

void showWhole(QLabel& display, std::string_view text)
{
    const QString whole = QString::fromUtf8(text.data(), qsizetype(text.size()));
    // The newest digits are at the right end, so a long text loses its left part. Far fewer than
    // kMostShown characters fit, so an endless entry costs no more to lay out than a full display.
    constexpr qsizetype kMostShown = 256;
    const QString tail = whole.size() > kMostShown ? QChar(0x2026) + whole.right(kMostShown) : whole;
    display.setText(display.fontMetrics().elidedText(tail, Qt::ElideLeft, display.contentsRect().width()));
    // What a screen reader's review of the window reads: the whole text.
    display.setAccessibleName(whole);
}

void addAnnouncer([[maybe_unused]] QLabel& display)
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

void announce(QLabel& display, const QString& spoken)
{
    // Screen readers ignore changes to the display, which never has the focus.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Polite: spoken after what the reader is saying (the key's name, say), not over it.
    QAccessibleAnnouncementEvent announcement(&display, spoken);
    QAccessible::updateAccessibility(&announcement);
#else
    // A notification is spoken as it appears.
    auto* announcer = display.parentWidget()->findChild<QWidget*>(QLatin1StringView(kAnnouncerName));
    if (!announcer)
        return;
    announcer->hide();
    announcer->setAccessibleName(spoken);
    announcer->show();
#endif
}

} // namespace qtui
