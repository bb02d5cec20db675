// The real window offscreen, at the scale QT_SCALE_FACTOR sets: its picture, keys, focus, About, long
// entries.
#include "colour_check.h"
#include "form/translation.h"
#include "qt/calc_window.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <dlfcn.h>

#include <algorithm>
#include <memory>
#include <new>
#include <tuple>

using qtui::CalcWindow;

namespace {

std::size_t failingAllocation = 0; // the next allocation of exactly this many bytes fails

std::unique_ptr<CalcWindow> shownWindow()
{
    auto window = std::make_unique<CalcWindow>();
    window->show();
    (void)QTest::qWaitForWindowActive(window.get()); // the focus checks fail by themselves if it is not
    return window;
}

// Clicks keys by caption (DEG, RAD too); "~DEG" selects DEG as a screen reader does, with no click.
QString click(CalcWindow& window, const QString& keys)
{
    for (const QString& key : keys.split(u' ', Qt::SkipEmptyParts)) {
        const bool toggle = key.startsWith(u'~');
        const auto buttons = window.findChildren<QAbstractButton*>();
        const auto it = std::ranges::find(buttons, key.mid(toggle ? 1 : 0), &QAbstractButton::text);
        if (it == buttons.end())
            qFatal("no key %s", qPrintable(key));
        if (toggle)
            QAccessible::queryAccessibleInterface(*it)->actionInterface()->doAction(
                QAccessibleActionInterface::toggleAction());
        else
            QTest::mouseClick(*it, Qt::LeftButton);
    }
    return window.findChild<QLabel*>(QStringLiteral("lblDisplay"))->text();
}

// A scheme as a desktop theme gives it: Breeze Dark's colours, or Breeze's light ones.
QPalette desktopPalette(bool dark)
{
    QPalette palette = dark ? QPalette(QColor(49, 54, 59), QColor(35, 38, 41))
                            : QPalette(QColor(252, 252, 252), QColor(239, 240, 241));
    const QColor text = dark ? QColor(252, 252, 252) : QColor(35, 38, 41);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, text);
    return palette;
}

const auto rgb = [](const QColor& c) { return form::Rgb{c.red(), c.green(), c.blue()}; };

// Every field of the state, to compare.
const auto fields = [](const engine::CalculatorState& s) {
    return std::tie(s.sngOperand1, s.sngOperand2, s.sngResult, s.sngMemory, s.varAngleFactor, s.strOperator,
                    s.strFunction, s.strTrig, s.blnNewEntry);
};

// The window drawn offscreen, sampled against a scheme: each failure, ended by "; ".
QString checkColours(CalcWindow& window, const form::SystemColours& scheme)
{
    const qreal factor = window.devicePixelRatio();
    const QImage drawn = window.grab().toImage();
    const QPoint client = window.centralWidget()->pos() * factor;
    std::string failures;
    for (const std::string& failure :
         testing_support::checkColours([&drawn](int x, int y) { return rgb(drawn.pixelColor(x, y)); },
                                       client.x(), client.y(), factor, scheme))
        failures += failure + "; ";
    return QString::fromStdString(failures);
}

} // namespace

void* operator new(std::size_t size)
{
    if (size == failingAllocation && size != 0) {
        failingAllocation = 0;
        throw std::bad_alloc();
    }
    static const auto next = reinterpret_cast<void* (*)(std::size_t)>(dlsym(RTLD_NEXT, "_Znwm"));
    return next(size);
}

class UiTest : public QObject {
    Q_OBJECT

    const qreal m_factor = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();

  private slots:
    // One picture pins every control's place, size, font, colours and fill; scaled, it is drawn at device
    // resolution, not blown up. The menu bar is drawn in the desktop's font, not one the program chooses,
    // so it is held to its size only. RENEW_REFERENCE=1 rewrites the reference from the window as drawn now.
    void picture()
    {
        auto window = shownWindow();
        // Centred up to the frame's margins, which offscreen are 2 pixels.
        const QPoint centre = window->screen()->availableGeometry().center();
        QCOMPARE_LE((window->frameGeometry().center() - centre).manhattanLength(), 4);
        QCOMPARE(window->minimumSize(), window->maximumSize());
        const QImage shot = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (m_factor == 1 && qEnvironmentVariableIsSet("RENEW_REFERENCE"))
            QVERIFY(shot.save(QStringLiteral(CALC_REFERENCE)));
        const QImage reference = QImage(QStringLiteral(CALC_REFERENCE)).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.devicePixelRatio(), m_factor);
        QCOMPARE(shot.size(), reference.size() * m_factor);
        if (m_factor != 1) {
            QVERIFY(shot != reference.scaled(shot.size()));
        } else if (const QRect client = window->centralWidget()->geometry();
                   shot.copy(client) != reference.copy(client)) {
            const QString actual = QDir::current().absoluteFilePath(QStringLiteral("window-1x-actual.png"));
            shot.save(actual);
            QFAIL(qPrintable("the window is not drawn as " CALC_REFERENCE "; it is drawn as " + actual));
        }
    }

    // On a desktop without a scheme, Windows' classic colours; under a desktop theme's light or dark palette,
    // its colours, followed live with the state, the display and the focus kept. The fixed colours
    // stay exact on every scheme and every text reads on its background.
    void colours()
    {
        qunsetenv("XDG_CURRENT_DESKTOP");
        QCOMPARE(checkColours(*shownWindow(), form::kClassicColours), QString());
        qputenv("XDG_CURRENT_DESKTOP", "KDE");
        QApplication::setPalette(desktopPalette(false));
        auto window = shownWindow();
        click(*window, QStringLiteral("1 2 + 3"));
        auto* focused = window->findChild<QWidget*>(QStringLiteral("Digit(3)"));
        focused->setFocus();
        const engine::CalculatorState before = window->state();
        for (const bool dark : {false, true, false}) {
            const QPalette p = desktopPalette(dark);
            QApplication::setPalette(p);
            const auto of = [&p](QPalette::ColorRole role) { return rgb(p.color(QPalette::Active, role)); };
            QCOMPARE(
                checkColours(*window, {of(QPalette::WindowText), of(QPalette::Button),
                                       of(QPalette::ButtonText), of(QPalette::Mid), of(QPalette::Window)}),
                QString());
        }
        QCOMPARE(window->displayText(), "3");
        QVERIFY(fields(window->state()) == fields(before));
        QCOMPARE(QApplication::focusWidget(), focused);
        qunsetenv("XDG_CURRENT_DESKTOP");
        QApplication::setPalette(QPalette());
    }

    // Each key reaches its own operation; an array key's index picks its caption, so each row's result
    // would differ had the key another's index. Ctrl+C then copies the whole display as other programs read a
    // number, whichever control has the focus, and changes nothing: not the display, not a field of the
    // state, not the focus.
    void keys_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("copied");
        // clang-format off
        QTest::newRow("start") << "" << "0" << "MC" << "0";
        QTest::newRow("digits") << "1 2 3 4 5 6 7 8 9 0" << "1234567890" << "9" << "1234567890";
        QTest::newRow("point, sign") << "1 . 5 +/-" << "-1.5" << "DEG" << "-1.5";
        QTest::newRow("+ * - / Xy, left to right") << "2 + 3 * 4 - 6 / 2 Xy 3 =" << " 343" << "=" << "343";
        QTest::newRow("CE keeps it") << "5 + 3 CE 2 =" << " 7" << "CE" << "7";
        // no two of these keys commute here: the chain tells each one's operation apart from the others'
        QTest::newRow("functions") << "1 0 0 log X3 sqrt 1/x ln X2" << " 1.08102" << "ln" << "1.08102";
        QTest::newRow("n!") << "5 n!" << " 120" << "n!" << "120";
        QTest::newRow("pi") << "pi" << "3.14159" << "pi" << "3.14159";
        QTest::newRow("tan, sin, cos") << "4 5 tan sin cos" << "0.9999999" << "sin" << "0.9999999";
        QTest::newRow("M, MR") << "7 M C MR" << "7" << "M" << "7";
        QTest::newRow("MC, M+") << "5 M MC 2 M+ M+ MR" << "4" << "M+" << "4";
        QTest::newRow("sign after +/-") << "2 + 3 = +/-" << "- 5" << "+/-" << "-5";
        QTest::newRow("exponent") << "1 / 3 0 0 0 0 0 0 0 =" << " 3.333333E-08" << "/" << "3.333333E-08";
        QTest::newRow("message") << "1 / 0 =" << "Cannot divide by 0" << "Off" << "Cannot divide by 0";
        // clang-format on
    }

    void keys()
    {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        QFETCH(QString, focus);
        QFETCH(QString, copied);
        auto window = shownWindow();
        QCOMPARE(click(*window, keys), display);
        const auto buttons = window->findChildren<QAbstractButton*>();
        QAbstractButton* focused = *std::ranges::find(buttons, focus, &QAbstractButton::text);
        focused->setFocus();
        const engine::CalculatorState before = window->state();
        const std::string whole = window->displayText();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(focused, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        QVERIFY(fields(window->state()) == fields(before));
        QCOMPARE(window->displayText(), whole);
        QCOMPARE(click(*window, QString()), display);
        QCOMPARE(QApplication::focusWidget(), focused);
    }

    // Clicked or toggled, also when already selected, exactly the option chosen last is selected, and trig
    // follows it.
    void angleUnit()
    {
        auto window = shownWindow();
        auto* optDeg = window->findChild<QRadioButton*>(QStringLiteral("optDeg"));
        auto* optRad = window->findChild<QRadioButton*>(QStringLiteral("optRad"));
        for (const QString& step : QString("~DEG RAD RAD DEG DEG ~RAD ~RAD DEG ~DEG ~RAD").split(u' ')) {
            click(*window, step);
            QCOMPARE(QList<bool>({optDeg->isChecked(), optRad->isChecked()}),
                     QList<bool>({step.endsWith("DEG"), step.endsWith("RAD")}));
            QCOMPARE(click(*window, QStringLiteral("C 9 0 sin")), optDeg->isChecked() ? "1" : "0.8939967");
        }
    }

    // Tab visits every key from MC on, and a screen reader names each as it takes the focus.
    void tabOrder()
    {
        auto window = shownWindow();
        const QString expected = QStringLiteral(
            "memory clear,memory recall,memory add,memory store,change sign,clear,decimal point,times,"
            "divided by,equals,minus,zero,one,two,three,four,five,six,seven,eight,nine,plus,clear entry,"
            "power,factorial,square root,square,cube,reciprocal,common logarithm,natural logarithm,cosine,"
            "tangent,sine,degrees,radians,pi,off,memory clear");
        QStringList heard;
        while (heard.size() < expected.count(u',') + 1) {
            heard << QAccessible::queryAccessibleInterface(QApplication::focusWidget())
                         ->text(QAccessible::Name);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(heard.join(u','), expected);
    }

    // The newest digits of a long entry show after an ellipsis, the whole entry stays; memory running out
    // on it loses that key, not the program.
    void longEntry()
    {
        auto window = shownWindow();
        const QString typed = QStringLiteral("1234567890").repeated(4);
        const QString shown = click(*window, QStringLiteral("1 2 3 4 5 6 7 8 9 0 ").repeated(4));
        auto* label = window->findChild<QLabel*>(QStringLiteral("lblDisplay"));
        QVERIFY2(shown.startsWith(QChar(0x2026)) && typed.endsWith(shown.mid(1)) && shown.size() > 10,
                 qPrintable(shown));
        QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width());

        failingAllocation = typed.size() + 1; // the first copy of the entry's text the key takes
        click(*window, QStringLiteral("5"));
        QVERIFY(failingAllocation == 0);
        QCOMPARE(window->displayText(), typed.toStdString());
        click(*window, QStringLiteral("6"));
        QCOMPARE(window->displayText(), (typed + u'6').toStdString());
    }

    // Each catalogue's messages show whole in the display, as the English ones do.
    void messagesFitInEveryLanguage()
    {
        const QDir locales(QStringLiteral(CALC_LOCALE_DIR));
        const QStringList languages = locales.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QVERIFY(languages.size() >= 10);
        for (const QString& language : languages) {
            QFile mo(locales.filePath(language + QStringLiteral("/LC_MESSAGES/calculator.mo")));
            const QByteArray bytes = mo.open(QIODevice::ReadOnly) ? mo.readAll() : QByteArray();
            QVERIFY2(form::loadCatalogue(std::string_view(bytes.data(), bytes.size())), qPrintable(language));
            auto window = shownWindow();
            for (const char* keys : {"1 / 0 =", "C 0 log"}) {
                const QString shown = click(*window, QLatin1StringView(keys)); // whole: no ellipsis
                QCOMPARE(shown, QString::fromStdString(std::string(form::shownText(window->displayText()))));
            }
        }
        form::loadCatalogue({});
    }

    void aboutIsModalAndChangesNothing()
    {
        auto window = shownWindow();
        click(*window, QStringLiteral("1 2 + 3 ."));
        // Twice: the box opened again is the one box the window keeps.
        for (int opening = 0; opening < 2; ++opening) {
            bool modal = false;
            QTimer::singleShot(0, window.get(), [&modal] {
                if ((modal = QApplication::activeModalWidget()))
                    QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
            });
            window->findChild<QAction*>(QStringLiteral("mnuHAbout"))->trigger();
            QVERIFY(modal);
        }
        QCOMPARE(window->findChildren<QMessageBox*>().size(), 1);
        QCOMPARE(click(*window, QStringLiteral("5 =")), " 15.5");
    }
};

QTEST_MAIN(UiTest)
#include "ui_test.moc"
