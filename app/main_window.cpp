#include "main_window.h"

#include "caption.h"
#include "fonts.h"
#include "layout.h"
#include "status_bar.h"
#include "surface.h"

#include <QAction>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <array>
#include <limits>
#include <utility>

// Resources of a static library must be registered by hand.
static void registerResources() { Q_INIT_RESOURCE(zembrel); }

namespace zembrel {

namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QColor colourOf(layout::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

QRect pixelRect(const layout::Control& control)
{
    // clang-format off
    return {layout::pixels(control.left), layout::pixels(control.top), layout::pixels(control.width),
            layout::pixels(control.height)};
    // clang-format on
}

// The text of a label or a button as it is shown. A field has none: its
// text is the user's, and its font is not fitted to any.
QString captionOf(const layout::Control& control)
{
    if (control.kind == layout::ControlKind::CoefficientField || control.kind == layout::ControlKind::ResultField)
        return {};
    QString caption = qs(control.text);
    if (control.wrapsCaption)
        caption.replace(QLatin1Char(' '), QLatin1Char('\n'));
    return caption;
}

std::size_t indexOf(Field field) { return static_cast<std::size_t>(field) - 1; }
std::size_t indexOf(Button button) { return static_cast<std::size_t>(button) - 1; }
std::size_t indexOf(MenuItem item) { return static_cast<std::size_t>(item); }

// A line edit claims Ctrl+C, Ctrl+X and Ctrl+A for its clipboard and
// selection before any shortcut is looked up. Those keys are the menu's in
// this window, so the fields must let them pass.
class MenuShortcutGuard final : public QObject {
public:
    MenuShortcutGuard(QList<QKeySequence> shortcuts, QObject* parent)
        : QObject(parent), shortcuts_(std::move(shortcuts))
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (shortcuts_.contains(QKeySequence(key->keyCombination()))) {
                event->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QList<QKeySequence> shortcuts_;
};

// Every size the desktop's icon theme gets too, so that a task switcher or a
// high-density title bar scales no small picture up.
constexpr std::array kIconSizes{16, 32, 48, 64, 128};

QIcon zembrelIcon()
{
    QIcon icon;
    for (const int size : kIconSizes)
        icon.addFile(QStringLiteral(":/icons/zembrel-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

MainWindow::MainWindow(Platform& platform, QWidget* parent) : QMainWindow(parent), platform_(platform)
{
    registerResources();

    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Zembrel"));
    setWindowIcon(zembrelIcon());
    setFont(songFont(layout::kDefaultFont));

    createControls();
    createMenus();
    widgets_.statusBar = new StatusBar(this);
    setStatusBar(widgets_.statusBar);
    setFocusOrder();
    keepMenuShortcutsFromFields();

    // The layout is absolute, so the window keeps the size it was designed for.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    centreOnScreen();
}

void MainWindow::createControls()
{
    widgets_.surface = new Surface(this);
    widgets_.surface->setFixedSize(layout::pixels(layout::kClientWidth),
                                   layout::pixels(layout::kClientHeight - layout::kStatusBarHeight));
    setCentralWidget(widgets_.surface);

    for (const layout::Control& control : layout::controls()) {
        QWidget* widget = createControl(control);
        widget->setObjectName(qs(control.name));
        widget->setGeometry(pixelRect(control));
        widget->setFont(captionFont(control.font, captionOf(control)));
        QPalette palette = widget->palette();
        if (control.textColour)
            palette.setColor(widget->foregroundRole(), colourOf(*control.textColour));
        if (control.background)
            palette.setColor(widget->backgroundRole(), colourOf(*control.background));
        widget->setPalette(palette);
        if (!control.accessibleName.empty())
            widget->setAccessibleName(qs(control.accessibleName));
    }
}

QWidget* MainWindow::createControl(const layout::Control& control)
{
    QWidget* const parent = widgets_.surface;
    switch (control.kind) {
    case layout::ControlKind::CoefficientField:
    case layout::ControlKind::ResultField: {
        auto* edit = new QLineEdit(qs(control.text), parent);
        edit->setReadOnly(control.kind == layout::ControlKind::ResultField);
        edit->setMaxLength(std::numeric_limits<int>::max());
        widgets_.fields[indexOf(fieldNamed(control.name).value())] = edit;
        return edit;
    }
    case layout::ControlKind::Button: {
        const Button button = buttonNamed(control.name).value();
        auto* push = new CaptionButton(captionOf(control), parent);
        // Enter and Esc must not click anything.
        push->setAutoDefault(false);
        push->setDefault(false);
        push->setEnabled(control.enabledAtStart);
        connect(push, &QPushButton::clicked, this, [this, event = clickEventOf(button)] { raiseEvent(event); });
        widgets_.buttons[indexOf(button)] = push;
        return push;
    }
    case layout::ControlKind::Label: {
        auto* label = new Caption(qs(control.text), parent);
        // Labels lie on the surface, beneath the fields and buttons they touch.
        label->lower();
        widgets_.labels.push_back(label);
        return label;
    }
    }
    return nullptr;
}

void MainWindow::createMenus()
{
    for (const layout::Menu& menuDefinition : layout::menus()) {
        QMenu* menu = menuBar()->addMenu(qs(menuDefinition.caption));
        menu->setObjectName(qs(menuDefinition.name));
        menus_.all.push_back(menu);
        for (const layout::MenuEntry& entry : layout::menuEntries()) {
            if (entry.menu != menuDefinition.name)
                continue;
            if (entry.caption == "-") {
                menu->addSeparator()->setObjectName(qs(entry.name));
                continue;
            }
            const MenuItem item = menuItemNamed(entry.name).value();
            QAction* action = menu->addAction(qs(entry.caption));
            action->setObjectName(qs(entry.name));
            action->setShortcut(QKeySequence(qs(entry.shortcut), QKeySequence::PortableText));
            // Also on the window itself, so the shortcut works while no menu is open.
            addAction(action);
            connect(action, &QAction::triggered, this, [this, event = clickEventOf(item)] { raiseEvent(event); });
            actions_.items[indexOf(item)] = action;
        }
    }
}

void MainWindow::setFocusOrder()
{
    QWidget* previous = nullptr;
    for (std::string_view name : layout::focusOrder()) {
        auto* next = widgets_.surface->findChild<QWidget*>(qs(name), Qt::FindDirectChildrenOnly);
        if (previous != nullptr)
            setTabOrder(previous, next);
        previous = next;
    }
    field(Field::Text1)->setFocus();
}

void MainWindow::keepMenuShortcutsFromFields()
{
    QList<QKeySequence> shortcuts;
    for (const QAction* action : actions_.items)
        shortcuts.append(action->shortcut());
    auto* guard = new MenuShortcutGuard(shortcuts, this);
    for (QLineEdit* edit : widgets_.fields)
        edit->installEventFilter(guard);
}

void MainWindow::centreOnScreen()
{
    adjustSize();
    if (const QScreen* screen = this->screen())
        move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()).topLeft());
}

void MainWindow::raiseEvent(Event event) { zembrel::raise(event, {*this, platform_, *this}); }

QLineEdit* MainWindow::field(Field field) const { return widgets_.fields[indexOf(field)]; }
QPushButton* MainWindow::button(Button button) const { return widgets_.buttons[indexOf(button)]; }
QAction* MainWindow::action(MenuItem item) const { return actions_.items[indexOf(item)]; }

std::string MainWindow::text(Field field) const { return this->field(field)->text().toStdString(); }

void MainWindow::setText(Field field, std::string_view text) { this->field(field)->setText(qs(text)); }

void MainWindow::setEnabled(Button button, bool enabled) { this->button(button)->setEnabled(enabled); }

void MainWindow::MsgBox(std::string_view prompt, MsgBoxStyle buttons)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (buttons) {
    case MsgBoxStyle::OkOnly: icon = QMessageBox::NoIcon; break;
    case MsgBoxStyle::Critical: icon = QMessageBox::Critical; break;
    case MsgBoxStyle::Exclamation: icon = QMessageBox::Warning; break;
    case MsgBoxStyle::Information: icon = QMessageBox::Information; break;
    }
    showBox(icon, qs(prompt));
}

void MainWindow::Print(std::string_view text) { widgets_.surface->print(qs(text)); }

void MainWindow::showRuntimeError(const RuntimeError& error) { showBox(QMessageBox::Critical, qs(error.boxText())); }

void MainWindow::showBox(QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, windowTitle(), text, QMessageBox::Ok, this);
    // A prompt is never markup, whatever characters it holds.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace zembrel
