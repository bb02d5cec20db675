// Samples a drawn calculator window: each control's fill where no text or bevel is, against the colour its
// scheme gives it, and the contrast of its text with that fill, from its most distinct pixel.
#pragma once

#include "form/form.h"

#include <QImage>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace testing_support {

// The window's client area starts at `client` (device pixels) in `image`, drawn at `factor` device pixels a
// logical one. Without a scheme, only the design's fixed colours and the contrasts are checked, and with
// `dark` the keys' face and the workspace must be dark. Returns one line per failure.
inline QStringList checkColours(const QImage& image, QPoint client, qreal factor,
                                std::optional<form::SystemColours> scheme, bool dark = false)
{
    const QImage drawn = image.convertToFormat(QImage::Format_RGB32);
    const auto at = [&drawn](QPoint p) {
        const QColor c = drawn.pixelColor(p);
        return form::Rgb{c.red(), c.green(), c.blue()};
    };
    const auto text = [](const form::Rgb& c) {
        return QStringLiteral("%1,%2,%3").arg(c.red).arg(c.green).arg(c.blue);
    };
    QStringList failures;
    for (const form::ControlRow& row : form::kControls) {
        int left = row.left, top = row.top;
        if (!row.parent.empty()) {
            const form::ControlRow& parent =
                *std::ranges::find(form::kControls, row.parent, &form::ControlRow::name);
            left += parent.left, top += parent.top;
        }
        const QRect r(client + QPoint(form::twipsToPixels(left), form::twipsToPixels(top)) * factor,
                      QSize(form::twipsToPixels(row.width), form::twipsToPixels(row.height)) * factor);
        const int margin = int(3 * factor);
        const QPoint sample = row.kind == form::Key      ? QPoint(r.center().x(), r.top() + int(2.5 * factor))
                              : row.kind == form::Option ? QPoint(r.right() - margin, r.top() + 1)
                              : row.kind == form::Frame  ? QPoint(r.center().x(), r.top() + margin)
                              : row.name == "lblDisplay" ? QPoint(r.left() + margin, r.center().y())
                                                         : r.bottomRight() - QPoint(margin, margin);
        const form::Rgb back = at(sample);
        const bool fixed = row.back.system == form::SystemColour::None;
        if ((fixed || scheme) && !(back == form::resolve(row.back, scheme.value_or(form::kClassicColours))))
            failures << form::controlName(row).c_str() + QStringLiteral(" filled ") + text(back);
        if (dark && !fixed && form::contrast(back, {0, 0, 0}) > 3)
            failures << form::controlName(row).c_str() + QStringLiteral(" not dark: ") + text(back);
        if (row.fontPx == 0)
            continue;
        double best = 1;
        const int from = r.left() + (row.kind == form::Option ? int(16 * factor) : margin);
        for (int y = r.top() + margin; y <= r.bottom() - margin; ++y)
            for (int x = from; x <= r.right() - margin; ++x)
                best = std::max(best, form::contrast(at({x, y}), back));
        if (best < 4.5)
            failures << form::controlName(row).c_str() + QStringLiteral(" text at %1:1").arg(best);
    }
    const form::Rgb workspace = at(client + QPoint(2, 2) * factor);
    if (scheme && !(workspace == form::resolve(form::kWindowBackground, *scheme)))
        failures << QStringLiteral("workspace ") + text(workspace);
    if (dark && form::contrast(workspace, {0, 0, 0}) > 3)
        failures << QStringLiteral("workspace not dark: ") + text(workspace);
    return failures;
}

} // namespace testing_support
