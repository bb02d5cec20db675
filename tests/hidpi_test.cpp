// The window on a scaled screen (run with QT_SCALE_FACTOR=2 and 1.5): exact device geometry, sharp text.
#include "ui/calc_window.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QWindow>

#include <memory>

using ui::CalcWindow;

namespace {

// Rows of pixels holding text, and their dark pixels: ink is far darker than any face or frame colour of
// the window. Only inside the key's bevel: its dark edge lines are no text.
struct Ink {
    int rows = 0, pixels = 0;
};

Ink inkOf(const QImage& image)
{
    const int margin = qRound(4 * image.devicePixelRatio());
    Ink ink;
    for (int y = margin; y < image.height() - margin; ++y) {
        int inRow = 0;
        for (int x = margin; x < image.width() - margin; ++x)
            inRow += qGray(image.pixel(x, y)) < 80 ? 1 : 0;
        ink.rows += inRow > 0 ? 1 : 0;
        ink.pixels += inRow;
    }
    return ink;
}

QImage rendered(QWidget* widget, qreal ratio)
{
    QImage image(widget->size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    widget->render(&image);
    return image;
}

// True when every aligned 2x2 block is one colour: a 1x picture blown up, not drawn at 2x.
bool isPixelDoubled(const QImage& image)
{
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb p = image.pixel(x, y);
            if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p || image.pixel(x + 1, y + 1) != p)
                return false;
        }
    return true;
}

} // namespace

class HiDpiTest : public QObject {
    Q_OBJECT

    qreal m_factor = 1;
    std::unique_ptr<CalcWindow> m_window;

private slots:
    void initTestCase()
    {
        bool ok = false;
        m_factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
        if (!ok || m_factor <= 1)
            QSKIP("needs QT_SCALE_FACTOR above 1");
        m_window = std::make_unique<CalcWindow>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void windowIsExactMultiple()
    {
        QCOMPARE(m_window->windowHandle()->devicePixelRatio(), m_factor);
        // The client area is 224 x 344 logical pixels by design, so its device size is exact at 2 and 1.5.
        QWidget* client = m_window->centralWidget();
        QCOMPARE(client->size(), QSize(224, 344));
        const QPixmap clientShot = client->grab();
        QCOMPARE(clientShot.devicePixelRatio(), m_factor);
        QCOMPARE(clientShot.size(), QSize(qRound(224 * m_factor), qRound(344 * m_factor)));
        QCOMPARE(m_window->grab().size(), m_window->size() * m_factor);
        // Logical geometry stays the design's whatever the scale: keys keep their twips positions.
        QCOMPARE(m_window->findChild<QWidget*>("Egalite")->geometry(), QRect(136, 304, 73, 25));
    }

    void textIsDrawnAtDeviceResolution_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("fontPx");
        // A spread of the window's pixel font sizes.
        QTest::newRow("decimal point, 19 px") << QStringLiteral("Decimal") << 19;
        QTest::newRow("display, 16 px") << QStringLiteral("lblDisplay") << 16;
        QTest::newRow("equals, 13 px") << QStringLiteral("Egalite") << 13;
        QTest::newRow("log, 11 px") << QStringLiteral("Functions(4)") << 11;
    }

    void textIsDrawnAtDeviceResolution()
    {
        QFETCH(QString, control);
        QFETCH(int, fontPx);
        auto* widget = m_window->findChild<QWidget*>(control);
        QVERIFY(widget);
        QCOMPARE(widget->font().pixelSize(), fontPx); // logical: Qt scales it with the screen
        const Ink atOne = inkOf(rendered(widget, 1));
        const QImage scaled = rendered(widget, m_factor);
        const Ink atFactor = inkOf(scaled);
        QVERIFY2(atOne.rows > 0, "no text found at 1x");
        // Glyphs drawn from the outline at device size: ink height and area grow with the factor
        // (hinting moves an edge by a pixel or so).
        QVERIFY2(qAbs(atFactor.rows - atOne.rows * m_factor) <= m_factor + 1,
                 qPrintable(QStringLiteral("ink rows %1 at 1x, %2 at %3x")
                                .arg(atOne.rows)
                                .arg(atFactor.rows)
                                .arg(m_factor)));
        QVERIFY(atFactor.pixels > atOne.pixels * m_factor);
        if (m_factor == 2)
            QVERIFY2(!isPixelDoubled(scaled), "the 2x picture is the 1x one with doubled pixels");
    }
};

QTEST_MAIN(HiDpiTest)
#include "hidpi_test.moc"
