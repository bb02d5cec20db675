// frmCalc: builds the controls from kControls, routes each click to one engine operation.
#include "ui/calc_window.h"

#include "engine/messages.h"
#include "numtext/runtime_error.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>
#include <exception>
#include <vector>

namespace ui {
namespace {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QColor color(Rgb rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QRect pixelRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

// The classic bevelled keys with a fixed light palette: the keypad keeps its colours on a dark desktop
// theme too, and the flat style is the cheapest to draw before the first frame.
void applyLook()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    QPalette palette = QApplication::style()->standardPalette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, color(kButtonFace));
        palette.setColor(group, QPalette::WindowText, color(kWindowText));
        palette.setColor(group, QPalette::Button, color(kButtonFace));
        palette.setColor(group, QPalette::ButtonText, color(kButtonText));
        palette.setColor(group, QPalette::Text, color(kWindowText));
        palette.setColor(group, QPalette::Base, Qt::white);
    }
    QApplication::setPalette(palette);
}

// A number as other programs read it, without the sign's blank (" 5", "- 5"); a message as it stands.
QString clipboardText(std::string display)
{
    if (!engine::isMessage(display))
        std::erase(display, ' ');
    return toQString(display);
}

} // namespace

QString controlName(const ControlRow& row)
{
    const QString name = toQString(row.name);
    return row.index == kNoIndex ? name : QStringLiteral("%1(%2)").arg(name).arg(row.index);
}

CalcWindow::CalcWindow()
{
    static const bool lookApplied = (applyLook(), true);
    Q_UNUSED(lookApplied);

    setObjectName(QStringLiteral("frmCalc"));
    setWindowTitle(QStringLiteral("Calculator"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));
    QPalette workspace = client->palette();
    workspace.setColor(QPalette::Window, color(kApplicationWorkspace));
    client->setPalette(workspace);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const ControlRow& row : kControls) {
        QWidget* parent = row.parent.empty() ? client : client->findChild<QWidget*>(toQString(row.parent));
        QWidget* widget = buildControl(row, parent);
        if (widget->focusPolicy() != Qt::NoFocus)
            tabOrder.emplace_back(row.tabIndex, widget);
    }
    std::ranges::sort(tabOrder, {}, &std::pair<int, QWidget*>::first);
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);

    addAnnouncer(*client->findChild<QLabel*>(QStringLiteral("lblDisplay")));

    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    move(screen()->availableGeometry().center() - rect().center());

    m_calc.Form_Load();
    tabOrder.front().second->setFocus(); // MC
}

QWidget* CalcWindow::buildControl(const ControlRow& row, QWidget* parent)
{
    const QString caption = toQString(row.caption);
    const RouteRow route = routeOf(row.name);
    const std::int16_t index = route.passesIndex ? row.index : std::int16_t{0};
    QWidget* widget = nullptr;
    switch (row.kind) {
    case Label: {
        const bool display = row.name == "lblDisplay";
        auto* label = new QLabel(caption, parent);
        label->setAlignment(display ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(!display); // the credit line wraps at word boundaries
        widget = label;
        break;
    }
    case Frame: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        widget = frame;
        break;
    }
    case Option: {
        auto* option = new QRadioButton(caption, parent);
        // A group of one: a click never unchecks it, and it keeps its own place in the tab order (Qt
        // would treat optRad, a descendant of optDeg's parent, as one auto-exclusive group with optDeg).
        auto* group = new QButtonGroup(option);
        group->addButton(option);
        option->setChecked(row.name == "optDeg"); // degrees at start
        // Selection, not the click signal: a screen reader's Toggle action selects without clicking.
        connect(option, &QRadioButton::toggled, this, [this, route](bool checked) {
            if (checked)
                dispatch(route.route, 0);
        });
        widget = option;
        break;
    }
    case Key: {
        auto* key = new QPushButton(caption, parent);
        key->setAutoDefault(false);
        connect(key, &QPushButton::clicked, this, [this, route, index] { dispatch(route.route, index); });
        widget = key;
        break;
    }
    }
    widget->setObjectName(controlName(row));
    widget->setGeometry(pixelRect(row.left, row.top, row.width, row.height));
    if (row.fontPx > 0) {
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(row.fontPx);
        font.setBold(row.bold);
        widget->setFont(font);
    }
    QPalette palette = widget->palette();
    const QPalette::ColorRole back = row.kind == Key ? QPalette::Button : QPalette::Window;
    const QPalette::ColorRole fore = row.kind == Key ? QPalette::ButtonText : QPalette::WindowText;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, back, color(row.back));
        palette.setColor(group, fore, color(row.fore));
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(row.kind != Key);
    if (row.name == "lblDisplay") {
        // Its name is the text shown (set with the text), so a screen reader's review reads the number.
        widget->setAccessibleDescription(toQString(row.spoken));
        m_display.setText(row.caption);
    } else if (!row.spoken.empty()) {
        widget->setAccessibleName(toQString(row.spoken));
    }
    return widget;
}

void CalcWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* exit = file->addAction(QStringLiteral("E&xit"), this, [this] { dispatch(Route::mnuFExit, 0); });
    exit->setObjectName(QStringLiteral("mnuFExit"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction* about =
        help->addAction(QStringLiteral("&About"), this, [this] { dispatch(Route::mnuHAbout, 0); });
    about->setObjectName(QStringLiteral("mnuHAbout"));

    // The display's own menu, made once: a menu made at each opening would leave screen readers the
    // item of the first, gone. The shortcut belongs to the window, whichever key has the focus.
    auto* display = findChild<QLabel*>(QStringLiteral("lblDisplay"));
    auto* menu = new QMenu(display);
    menu->setObjectName(QStringLiteral("mnuDisplay"));
    QAction* copy = menu->addAction(QStringLiteral("&Copy"), QKeySequence::Copy, this,
                                    [this] { dispatch(Route::mnuCopy, 0); });
    copy->setObjectName(QStringLiteral("mnuCopy"));
    addAction(copy);
    display->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(display, &QWidget::customContextMenuRequested, menu,
            [menu, display](QPoint at) { menu->popup(display->mapToGlobal(at)); });
}

void CalcWindow::dispatch(Route route, std::int16_t index)
{
    std::string before;
    try {
        before = m_display.text();
        // clang-format off
        switch (route) {
        case Route::None: break;
        case Route::Digit: m_calc.Digit_Click(index); break;
        case Route::Decimal: m_calc.Decimal_Click(); break;
        case Route::PlusMinus: m_calc.PlusMinus_Click(); break;
        case Route::Ceclear: m_calc.Ceclear_Click(); break;
        case Route::Clear: m_calc.Clear_Click(index); break;
        case Route::Operator: m_calc.Operator_Click(index); break;
        case Route::Egalite: m_calc.Egalite_Click(); break;
        case Route::Functions: m_calc.Functions_Click(index); break;
        case Route::Factorial: m_calc.Factorial_Click(); break;
        case Route::cmdPi: m_calc.cmdPi_Click(); break;
        case Route::Trig: m_calc.Trig_Click(index); break;
        case Route::optDeg: m_calc.optDeg_Click(); break;
        case Route::optRad: m_calc.optRad_Click(); break;
        case Route::Memory: m_calc.Memory_Click(); break;
        case Route::Memoryplus: m_calc.Memoryplus_Click(); break;
        case Route::Memoryreturn: m_calc.Memoryreturn_Click(); break;
        case Route::Memoryclear: m_calc.Memoryclear_Click(); break;
        case Route::cmdQuit: close(); break; // the last window closed ends the program
        case Route::mnuFExit: QCoreApplication::exit(0); break;
        case Route::mnuHAbout: showAbout(this); break;
        case Route::mnuCopy: QGuiApplication::clipboard()->setText(clipboardText(m_display.text())); break;
        }
        // clang-format on
    } catch (const numtext::RuntimeError&) {
        // An error the operation does not handle ends that key only; the state stays as it left it.
    } catch (const std::exception&) {
        // Nothing may unwind through the event loop (out of memory on an endless entry, say).
    }
    try {
        m_display.announceChange(before);
    } catch (const std::exception&) {
        // Out of memory: the next key announces again.
    }
}

} // namespace ui
