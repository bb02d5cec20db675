// The window offscreen: routing by real clicks, the control table, focus, DEG/RAD, lifecycle, calc-replay.
#include "ui/calc_window.h"
#include "ui/control_table.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <set>

using ui::CalcWindow;
using ui::ControlRow;

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::unique_ptr<CalcWindow> shownWindow()
{
    auto window = std::make_unique<CalcWindow>();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("window not active");
    return window;
}

// The button showing `caption`, found as a user finds it: by what it shows.
QAbstractButton* button(CalcWindow& window, const QString& caption)
{
    for (QAbstractButton* b : window.findChildren<QAbstractButton*>())
        if (b->text() == caption)
            return b;
    qFatal("no key %s", qPrintable(caption));
}

// Clicks whitespace-separated key captions with the mouse; returns the display text.
QString clickKeys(CalcWindow& window, const QString& keys)
{
    for (const QString& key : keys.split(u' ', Qt::SkipEmptyParts))
        QTest::mouseClick(button(window, key), Qt::LeftButton);
    return QString::fromStdString(window.displayText());
}

// A control's rectangle in twips in the client area (optRad is placed relative to its frame).
QRect clientTwips(const ControlRow& row)
{
    QRect r(row.left, row.top, row.width, row.height);
    for (const ControlRow& parent : ui::kControls)
        if (!row.parent.empty() && parent.name == row.parent)
            r.translate(parent.left, parent.top);
    return r;
}

// Runs the event loop until something ends it; false if it had to be stopped after a few seconds.
bool eventLoopReturns(const std::function<void()>& action)
{
    bool timedOut = false;
    QTimer::singleShot(0, qApp, action);
    QTimer::singleShot(5000, qApp, [&] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    QApplication::exec();
    return !timedOut;
}

} // namespace

class UiTest : public QObject {
    Q_OBJECT

private slots:
    void keySequences_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        // clang-format off
        QTest::newRow("every digit passes its digit") << "1 2 3 4 5 6 7 8 9 0" << "1234567890";
        QTest::newRow("sin is Trig 2") << "3 0 sin" << "0.5";
        QTest::newRow("cos is Trig 0") << "6 0 cos" << "0.5";
        QTest::newRow("tan is Trig 1") << "4 5 tan" << "1";
        QTest::newRow("Xy is Operator 4") << "2 Xy 1 0 =" << " 1024";
        QTest::newRow("1/x is Functions 3") << "4 1/x" << " .25";
        QTest::newRow("n!") << "5 n!" << " 120";
        QTest::newRow("pi") << "pi" << "3.14159";
        QTest::newRow("chain left to right") << "2 + 3 * 4 - 6 / 2 =" << " 7";
        QTest::newRow("C clears the pending operator") << "5 + 3 C 2 =" << " 2";
        QTest::newRow("CE keeps the pending operator") << "5 + 3 CE 2 =" << " 7";
        QTest::newRow("sign and decimal point") << "1 . 5 +/-" << "-1.5";
        QTest::newRow("divide by zero message") << "5 / 0 =" << "Cannot divide by 0";
        QTest::newRow("M then MR") << "7 M C MR" << "7";
        QTest::newRow("M+ twice") << "2 M+ M+ MR" << "4";
        QTest::newRow("MC empties memory") << "5 M MC MR" << "0";
        // clang-format on
    }

    void keySequences()
    {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        auto window = shownWindow();
        QCOMPARE(clickKeys(*window, keys), display);
    }

    // The engine reads an array key's caption by the index the click passed: each must find itself.
    void arrayKeysDispatchByTheirOwnCaption()
    {
        auto window = shownWindow();
        for (const ControlRow& row : ui::kControls) {
            if (row.name != "Operator" && row.name != "Functions" && row.name != "Trig")
                continue;
            clickKeys(*window, QStringLiteral("C 2"));
            QTest::mouseClick(window->findChild<QPushButton*>(ui::controlName(row)), Qt::LeftButton);
            const engine::CalculatorState& s = window->state();
            const std::string& seen = row.name == "Operator"    ? s.strOperator
                                      : row.name == "Functions" ? s.strFunction
                                                                : s.strTrig;
            QCOMPARE(qs(seen), qs(row.caption));
        }
    }

    // Each key carries its own fixed index, which does not follow the visual order.
    void keysCarryTheirIndexes()
    {
        auto window = shownWindow();
        const QStringList expected = {"sin Trig(2)",   "cos Trig(0)",      "tan Trig(1)",
                                      "C Clear(0)",    "Xy Operator(4)",   "+ Operator(0)",
                                      "/ Operator(2)", "1/x Functions(3)", "sqrt Functions(0)"};
        QStringList seen;
        for (const QString& pair : expected)
            seen << pair.section(u' ', 0, 0) + u' ' + button(*window, pair.section(u' ', 0, 0))->objectName();
        QCOMPARE(seen, expected);
    }

    void windowMatchesTable()
    {
        auto window = shownWindow();
        for (const ControlRow& row : ui::kControls) {
            auto* widget = window->findChild<QWidget*>(ui::controlName(row));
            QVERIFY2(widget, qPrintable(ui::controlName(row)));
            QCOMPARE(widget->geometry(), QRect(ui::twipsToPixels(row.left), ui::twipsToPixels(row.top),
                                               ui::twipsToPixels(row.width), ui::twipsToPixels(row.height)));
            QCOMPARE(widget->parentWidget()->objectName(), row.parent.empty() ? "client" : qs(row.parent));
            if (row.fontPx > 0) {
                QCOMPARE(widget->font().family(), QStringLiteral("Times New Roman"));
                QCOMPARE(widget->font().pixelSize(), row.fontPx);
                QCOMPARE(widget->font().bold(), row.bold);
            }
            QCOMPARE(widget->focusPolicy() != Qt::NoFocus, row.kind == ui::Key || row.kind == ui::Option);
            const QPalette::ColorRole back = row.kind == ui::Key ? QPalette::Button : QPalette::Window;
            QCOMPARE(widget->palette().color(back), QColor(row.back.red, row.back.green, row.back.blue));
            if (auto* b = qobject_cast<QAbstractButton*>(widget))
                QCOMPARE(b->text(), qs(row.caption));
            QCOMPARE(widget->accessibleName(), qs(row.spoken));
        }
        QCOMPARE(window->centralWidget()->size(), QSize(224, 344));
        QCOMPARE(window->centralWidget()->palette().color(QPalette::Window), QColor(171, 171, 171));
    }

    void tableInvariants()
    {
        const std::set<int> columns = {240, 840, 1440, 2040, 2640};
        const std::set<int> rows = {1080, 1560, 2040, 2520, 3120, 3600, 4080, 4560};
        const QRect client(0, 0, ui::kClientWidth, ui::kClientHeight);
        std::set<std::pair<std::string_view, int>> names;
        QList<int> kinds(4);
        for (const ControlRow& row : ui::kControls) {
            const QByteArray name = ui::controlName(row).toUtf8();
            ++kinds[int(row.kind)];
            QVERIFY2(names.insert({row.name, row.index}).second, name);
            QVERIFY2(client.contains(clientTwips(row)), name);
            const ui::RouteRow route = ui::routeOf(row.name);
            const bool clickable = row.kind == ui::Key || row.kind == ui::Option;
            QVERIFY2((route.route != ui::Route::None) == clickable, name);
            QVERIFY2(route.passesIndex == (row.index != ui::kNoIndex), name);
            if (row.kind != ui::Key)
                continue;
            const bool wide = row.name == "cmdQuit" || row.name == "Egalite";
            QVERIFY2(columns.contains(row.left) || (row.name == "cmdQuit" && row.left == 2040 - 15), name);
            QVERIFY2(rows.contains(row.top), name);
            QCOMPARE(QSize(row.width, row.height), QSize(wide ? 1095 : 495, 375));
        }
        QCOMPARE(kinds, QList<int>({2, 1, 2, 36})); // labels, frame, options, keys

        // Nothing overlaps except the option buttons, which lie inside the frame's rectangle.
        for (const ControlRow& a : ui::kControls)
            for (const ControlRow& b : ui::kControls)
                if (&a < &b && a.kind != ui::Frame && b.kind != ui::Frame)
                    QVERIFY2(!clientTwips(a).intersects(clientTwips(b)),
                             qPrintable(ui::controlName(a) + " " + ui::controlName(b)));

        auto window = shownWindow();
        const auto at = [&](const char* name) { return window->findChild<QWidget*>(QString(name)); };
        QCOMPARE(at("lblDisplay")->geometry(), QRect(16, 8, 193, 17));
        QCOMPARE(at("cmdQuit")->geometry(), QRect(135, 72, 73, 25));
        QCOMPARE(at("Egalite")->geometry(), QRect(136, 304, 73, 25));
        QCOMPARE(at("optRad")->parentWidget(), at("fmeTrig"));
        QCOMPARE(at("optRad")->mapTo(window->centralWidget(), QPoint(0, 0)), QPoint(113, 40));
        QCOMPARE(at("optDeg")->geometry().right() + 1, 113);
    }

    void startState()
    {
        auto window = shownWindow();
        QCOMPARE(window->windowTitle(), QStringLiteral("Calculator"));
        QCOMPARE(window->objectName(), QStringLiteral("frmCalc"));
        QCOMPARE(window->findChild<QLabel*>("lblDisplay")->text(), QStringLiteral("0"));
        QVERIFY(window->findChild<QRadioButton*>("optDeg")->isChecked());
        QVERIFY(!window->findChild<QRadioButton*>("optRad")->isChecked());
        const engine::CalculatorState& s = window->state();
        QVERIFY(s.strOperator.empty() && !s.blnNewEntry);
        QVERIFY(s.sngOperand1 == 0 && s.sngOperand2 == 0 && s.sngResult == 0 && s.sngMemory == 0);
        QCOMPARE(QApplication::focusWidget(), window->findChild<QWidget*>("Memoryclear"));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        const auto menus = window->menuBar()->actions();
        QCOMPARE(QStringList({menus[0]->text(), menus[1]->text()}), QStringList({"&File", "&Help"}));
    }

    void tabOrderFollowsTabIndexes()
    {
        auto window = shownWindow();
        const QStringList expected = {"MC", "MR",  "M+",  "M",   "+/-", "C",    ".",  "*",   "/",   "=",
                                      "-",  "0",   "1",   "2",   "3",   "4",    "5",  "6",   "7",   "8",
                                      "9",  "+",   "CE",  "Xy",  "n!",  "sqrt", "X2", "X3",  "1/x", "log",
                                      "ln", "cos", "tan", "sin", "DEG", "RAD",  "pi", "Off", "MC"};
        QStringList visited;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            auto* focused = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
            visited << (focused ? focused->text() : QStringLiteral("?"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
    }

    void keyboardReachesOnlyTheFocusedKey()
    {
        auto window = shownWindow();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12+3=\r"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(window->displayText(), std::string("0"));
        window->findChild<QWidget*>("Digit(7)")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(window->displayText(), std::string("7"));
    }

    void labelsAndFrameIgnoreClicks()
    {
        auto window = shownWindow();
        clickKeys(*window, QStringLiteral("4 +"));
        for (const char* name : {"lblDisplay", "lblcopywrite", "fmeTrig"})
            QTest::mouseClick(window->findChild<QWidget*>(name), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(window->displayText(), std::string("4"));
        QCOMPARE(window->state().strOperator, std::string("+"));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Operator(0)"));
    }

    void longTextShowsItsRightEnd()
    {
        auto window = shownWindow();
        auto* label = window->findChild<QLabel*>("lblDisplay");
        const QRect before = label->geometry();
        const QString typed = QStringLiteral("1234567890").repeated(4);
        for (QChar digit : typed)
            clickKeys(*window, digit);
        QCOMPARE(window->displayText(), typed.toStdString());
        QVERIFY(label->text().startsWith(QChar(0x2026)));
        QVERIFY(label->text().endsWith(QStringLiteral("7890")));
        QVERIFY(label->text().size() < typed.size());
        QCOMPARE(label->geometry(), before);
        QCOMPARE(label->accessibleDescription(), typed);
    }

    // Each click must leave exactly the clicked option selected; between them the rows click each option
    // from either state, and a selected one again.
    void angleOptionsStayExclusive_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<bool>("deg");
        QTest::newRow("DEG while selected") << "DEG DEG" << true;
        QTest::newRow("RAD RAD DEG DEG") << "RAD RAD DEG DEG" << true;
        QTest::newRow("RAD DEG RAD") << "RAD DEG RAD" << false;
    }

    void angleOptionsStayExclusive()
    {
        QFETCH(QString, clicks);
        QFETCH(bool, deg);
        auto window = shownWindow();
        auto* optDeg = window->findChild<QRadioButton*>("optDeg");
        auto* optRad = window->findChild<QRadioButton*>("optRad");
        for (const QString& click : clicks.split(u' ')) {
            clickKeys(*window, click);
            QCOMPARE(optDeg->isChecked(), click == "DEG");
            QCOMPARE(optRad->isChecked(), click == "RAD");
        }
        QCOMPARE(optDeg->isChecked(), deg);
        QVERIFY(optDeg->group()->exclusive() && optRad->group()->exclusive());
        QCOMPARE(clickKeys(*window, QStringLiteral("9 0 sin")), deg ? "1" : "0.8939967");
    }

    void aboutLeavesStateIntact()
    {
        auto window = shownWindow();
        clickKeys(*window, QStringLiteral("1 2 + 3 ."));
        QString title, text;
        QTimer::singleShot(0, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        window->findChild<QAction*>("mnuHAbout")->trigger();
        QCOMPARE(title, QStringLiteral("About Calculator"));
        QVERIFY(text.contains(QStringLiteral("December 2026")) && !text.contains(u'\n'));
        QCOMPARE(window->displayText(), std::string("3."));
        QCOMPARE(window->state().strOperator, std::string("+"));
        QCOMPARE(clickKeys(*window, QStringLiteral("5 =")), QStringLiteral(" 15.5"));
    }

    void programEnds_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"Off", "File > Exit", "Ctrl+X", "closing the window"})
            QTest::newRow(how) << how;
    }

    void programEnds()
    {
        QFETCH(QString, how);
        auto window = shownWindow();
        QVERIFY(eventLoopReturns([&] {
            if (how == "Off")
                clickKeys(*window, how);
            else if (how == "File > Exit")
                window->findChild<QAction*>("mnuFExit")->trigger();
            else if (how == "Ctrl+X")
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::ControlModifier);
            else
                window->close();
        }));
    }

    void replayTool_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output"); // its end, one line per key
        QTest::addColumn<int>("status");
        QTest::newRow("keys as arguments")
            << QStringList{"2", "+", "3", "="} << QByteArray() << QByteArray("2\n2\n3\n 5\n") << 0;
        QTest::newRow("keys on standard input")
            << QStringList{} << QByteArray("5 /\n0  =\n") << QByteArray("5\n5\n0\nCannot divide by 0\n") << 0;
        QTest::newRow("whole text, not the elided one")
            << QStringLiteral("1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5").split(u' ') << QByteArray()
            << QByteArray("\n1234567890123456789012345\n") << 0;
        QTest::newRow("state")
            << QStringList{"--state", "4", "Xy", "5"} << QByteArray()
            << QByteArray("\n5\tsngOperand1=4 sngOperand2=0 sngResult=0 sngMemory=0 strOperator=Xy "
                          "blnNewEntry=0\n")
            << 0;
        QTest::newRow("state after a result")
            << QStringList{"--state", "1", "/", "3", "=", "M"} << QByteArray()
            << QByteArray("\n .3333333\tsngOperand1=1 sngOperand2=3 sngResult=0.333333343 "
                          "sngMemory=0.333333313 strOperator= blnNewEntry=1\n")
            << 0;
        QTest::newRow("unknown key") << QStringList{"2", "sinh"} << QByteArray() << QByteArray() << 2;
        QTest::newRow("Off is no replay key") << QStringList{"Off"} << QByteArray() << QByteArray() << 2;
    }

    void replayTool()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        QFETCH(int, status);
        QProcess replay;
        replay.start(QStringLiteral(CALC_REPLAY), args);
        replay.write(input);
        replay.closeWriteChannel();
        QVERIFY(replay.waitForFinished(20000));
        QCOMPARE(replay.exitStatus(), QProcess::NormalExit);
        QCOMPARE(replay.exitCode(), status);
        const QByteArray out = replay.readAllStandardOutput();
        if (status == 2) {
            QVERIFY(replay.readAllStandardError().contains(args.last().toUtf8()));
            QVERIFY(out.isEmpty());
            return;
        }
        QVERIFY2(out.endsWith(output), out.constData());
        const qsizetype keys = args.isEmpty() ? QByteArray(input).simplified().count(' ') + 1
                                              : args.size() - args.count(QStringLiteral("--state"));
        QCOMPARE(out.count('\n'), keys);
    }
};

QTEST_MAIN(UiTest)
#include "ui_test.moc"
