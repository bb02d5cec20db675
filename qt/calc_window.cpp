// frmCalc on Qt: builds the controls from kControls and hands each click to the form.
#include "qt/calc_window.h"

#include "qt/desktop_colours.h"
#include "qt/display_label.h"

#include "form/translation.h"

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

namespace qtui {

using namespace form;
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

} // namespace

QString controlName(const ControlRow& row)
{
    return toQString(form::controlName(row));
}

CalcWindow::CalcWindow()
{
    // The classic bevelled keys: the pocket calculator's look, and the cheapest style to draw before the first frame.
    static const bool styled =
        (QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows"))), true);
    Q_UNUSED(styled);
    m_scheme = new DesktopColours(this, [this] { applyColours(); });

    setObjectName(QStringLiteral("frmCalc"));
    setWindowTitle(toQString(form::tr(kTitle)));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));
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

    addAnnouncer(*m_lblDisplay);

    buildMenus();
    applyColours();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    move(screen()->availableGeometry().center() - rect().center());

    tabOrder.front().second->setFocus(); // MC
}

QWidget* CalcWindow::buildControl(const ControlRow& row, QWidget* parent)
{
    const QString caption = toQString(row.caption);
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
        const auto value = row.name == "optDeg" ? engine::AngleOption::Deg : engine::AngleOption::Rad;
        m_options[static_cast<int>(value)] = option;
        option->setChecked(m_form.optionValue(value));
        // Selection, not the click signal: a screen reader's Toggle action selects without clicking.
        connect(option, &QRadioButton::toggled, this, [this, &row](bool checked) {
            if (checked)
                m_form.click(row);
        });
        widget = option;
        break;
    }
    case Key: {
        auto* key = new QPushButton(caption, parent);
        key->setAutoDefault(false);
        connect(key, &QPushButton::clicked, this, [this, &row] { m_form.click(row); });
        widget = key;
        break;
    }
    }
    widget->setObjectName(qtui::controlName(row));
    widget->setGeometry(pixelRect(row.left, row.top, row.width, row.height));
    if (row.fontPx > 0) {
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(row.fontPx);
        font.setBold(row.bold);
        widget->setFont(font);
    }
    widget->setAutoFillBackground(row.kind != Key);
    if (row.name == "lblDisplay") {
        // Its name is the text shown (set with the text), so a screen reader's review reads the number.
        widget->setAccessibleDescription(toQString(form::tr(row.spoken)));
        m_lblDisplay = static_cast<QLabel*>(widget);
        showWhole(*m_lblDisplay, shownText(m_form.displayText()));
    } else if (!row.spoken.empty()) {
        widget->setAccessibleName(toQString(form::accessibleName(row)));
    }
    return widget;
}

void CalcWindow::buildMenus()
{
    QMenu* menu = nullptr;
    for (const MenuRow& row : kMenus) {
        if (row.route == Route::None) {
            menu = menuBar()->addMenu(toQString(form::tr(row.caption)));
            menu->setObjectName(toQString(row.name));
            continue;
        }
        QAction* action = menu->addAction(toQString(form::tr(row.caption)), this,
                                          [this, &row] { m_form.click(row.route); });
        action->setObjectName(toQString(row.name));
        action->setShortcut(QKeySequence(toQString(row.shortcut), QKeySequence::PortableText));
    }

    // The display's own menu, made once: a menu made at each opening would leave screen readers the
    // item of the first, gone. The shortcut belongs to the window, whichever key has the focus.
    auto* display = findChild<QLabel*>(QStringLiteral("lblDisplay"));
    auto* displayMenu = new QMenu(display);
    displayMenu->setObjectName(QStringLiteral("mnuDisplay"));
    QAction* copy = displayMenu->addAction(toQString(form::tr(kDisplayMenu.caption)), QKeySequence::Copy,
                                           this, [this] { m_form.click(kDisplayMenu.route); });
    copy->setObjectName(toQString(kDisplayMenu.name));
    addAction(copy);
    display->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(display, &QWidget::customContextMenuRequested, displayMenu,
            [displayMenu, display](QPoint at) { displayMenu->popup(display->mapToGlobal(at)); });
}

void CalcWindow::applyColours()
{
    if (const std::optional<QPalette> palette = m_scheme->palette())
        QApplication::setPalette(*palette); // for the menus and the About box too
    const SystemColours system = m_scheme->colours();
    auto* client = centralWidget();
    QPalette workspace = client->palette();
    workspace.setColor(QPalette::Window, color(resolve(kWindowBackground, system)));
    client->setPalette(workspace);
    for (const ControlRow& row : kControls) {
        auto* widget = client->findChild<QWidget*>(qtui::controlName(row));
        const ControlColours colours = coloursOf(row, system, m_scheme->contrast());
        QPalette palette = widget->palette();
        // A key fills from the button roles, the others from the window roles; an option button's indicator
        // and label draw from both.
        const bool key = row.kind == Key, option = row.kind == Option;
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            if (key || option) {
                palette.setColor(group, QPalette::Button, color(colours.back));
                palette.setColor(group, QPalette::ButtonText, color(colours.fore));
            }
            if (!key) {
                palette.setColor(group, QPalette::Window, color(colours.back));
                palette.setColor(group, QPalette::WindowText, color(colours.fore));
            }
        }
        widget->setPalette(palette);
    }
}

void CalcWindow::showDisplay(std::string_view text)
{
    if (m_lblDisplay)
        showWhole(*m_lblDisplay, text);
}

void CalcWindow::showOption(engine::AngleOption option, bool value)
{
    QRadioButton* button = m_options[static_cast<int>(option)];
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

void CalcWindow::announce(std::string_view spoken)
{
    if (m_lblDisplay)
        qtui::announce(*m_lblDisplay, toQString(spoken));
}

void CalcWindow::unload()
{
    close(); // the last window closed ends the program
}

void CalcWindow::end()
{
    QCoreApplication::exit(0);
}

void CalcWindow::showAbout()
{
    qtui::showAbout(this);
}

void CalcWindow::copy(std::string_view text)
{
    QGuiApplication::clipboard()->setText(toQString(text));
}

} // namespace qtui
