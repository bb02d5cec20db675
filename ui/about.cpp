// Help > About.
#include "ui/calc_window.h"

#include <QMessageBox>

namespace ui {

void showAbout(QWidget* parent)
{
    QMessageBox::information(
        parent, QStringLiteral("About Calculator"),
        QStringLiteral("Calculator, written by the Calculator developers in December 2026."));
}

} // namespace ui
