// Help > About.
#include "qt/calc_window.h"

#include "form/translation.h"

#include <QMessageBox>

namespace qtui {

void showAbout(QWidget* parent)
{
    // One box for the window's life, hidden when closed: a screen reader still asks about the box and
    // its parts after it closes, and Qt warns on standard error for every part that no longer exists.
    auto* box = parent->findChild<QMessageBox*>(QStringLiteral("about"), Qt::FindDirectChildrenOnly);
    if (!box) {
        box = new QMessageBox(QMessageBox::Information, QString::fromUtf8(form::tr(form::kAboutTitle)),
                              QString::fromUtf8(form::tr(form::kAboutText)), QMessageBox::Ok, parent);
        box->setObjectName(QStringLiteral("about"));
    }
    if (box->isVisible()) { // asked again while open, as a screen reader's action on the menu item can
        box->activateWindow();
        return;
    }
    box->exec();
}

} // namespace qtui
