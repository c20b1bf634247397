// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window.h"

#include "accessibility.h"
#include "announcer.h"
#include "caption.h"
#include "fonts.h"
#include "layout.h"
#include "operations.h"
#include "panels.h"
#include "qt_text.h"
#include "status_bar.h"
#include "surface.h"

#include <QAccessible>
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
#include <QShortcut>
#include <QStyle>
#include <QTimer>

#include <limits>
#include <type_traits>
#include <utility>

// Resources of a static library must be registered by hand.
static void registerResources() { Q_INIT_RESOURCE(zembrel); }

namespace zembrel {

namespace {

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
    if (std::holds_alternative<Field>(control.id))
        return {};
    QString caption = toQString(control.caption);
    if (control.wrapsCaption)
        caption.replace(QLatin1Char(' '), QLatin1Char('\n'));
    return caption;
}

// A line edit claims Ctrl+C, Ctrl+X and Ctrl+A for its clipboard and
// selection before any shortcut is looked up. Those keys are the menu's in
// this window, so the fields let them pass, except that a field with selected
// text keeps Ctrl+C and Ctrl+X: the user means to copy or cut it, and ending
// the program instead would throw away every coefficient typed. A result
// field keeps Ctrl+X too and cuts nothing, being read-only.
class MenuShortcutGuard final : public QObject {
public:
    MenuShortcutGuard(QList<QKeySequence> shortcuts, QObject* parent)
        : QObject(parent), shortcuts_(std::move(shortcuts))
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (shortcuts_.contains(QKeySequence(key->keyCombination()))) {
                if (editsSelection(watched, *key))
                    event->accept();
                else
                    event->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static bool editsSelection(const QObject* watched, const QKeyEvent& key)
    {
        const auto* edit = qobject_cast<const QLineEdit*>(watched);
        return edit != nullptr && edit->hasSelectedText()
               && (key.matches(QKeySequence::Copy) || key.matches(QKeySequence::Cut));
    }

    QList<QKeySequence> shortcuts_;
};

// A double-click on a result field opens 解题详情 on the field's panel; the
// field still selects the word clicked, as it always did.
class ResultFieldOpener final : public QObject {
public:
    explicit ResultFieldOpener(MainWindow* window) : QObject(window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick) {
            if (const std::optional<Field> field = fieldNamed(watched->objectName().toStdString()))
                QTimer::singleShot(0, window_,
                                   [window = window_, panel = panelIndexOf(*field)] { window->openDetailsAt(panel); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    MainWindow* window_;
};

// Every size the desktop's icon theme gets too, so that a task switcher or a
// high-density title bar scales no small picture up.
constexpr std::array kIconSizes{ZEMBREL_ICON_SIZES};

constexpr std::string_view kSolveDescription = "求解后可以验算";
// A package installed in part: the window is there, what it runs is not.
constexpr std::string_view kOperationsMissing = "无法载入 Zembrel 的求解部分，请重新安装 Zembrel。";

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
    installAccessibleFields();

    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(toQString(layout::kApplicationTitle));
    setWindowIcon(zembrelIcon());
    setFont(windowFont(layout::kDefaultFont));

    createControls();
    createMenus();
    widgets_.statusBar = new StatusBar(this);
    setStatusBar(widgets_.statusBar);
    widgets_.announcer = new Announcer(this);
    setFocusOrder();
    keepMenuShortcutsFromFields();
    openDetailsFromResultFields();

    // The layout is absolute, so the window keeps the size it was designed for.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    centreOnScreen();
}

void MainWindow::createControls()
{
    widgets_.surface = new Surface(this);
    widgets_.surface->setFixedSize(layout::pixels(layout::kClientWidth),
                                   layout::pixels(layout::clientHeight() - layout::kStatusBarHeight));
    setCentralWidget(widgets_.surface);

    for (const layout::Control& control : layout::controls()) {
        QWidget* widget = createControl(control);
        widget->setObjectName(toQString(layout::nameOf(control)));
        widget->setGeometry(pixelRect(control));
        widget->setFont(captionFont(control.font, captionOf(control)));
        QPalette palette = widget->palette();
        if (control.textColour)
            palette.setColor(widget->foregroundRole(), colourOf(*control.textColour));
        if (control.background)
            palette.setColor(widget->backgroundRole(), colourOf(*control.background));
        widget->setPalette(palette);
        if (!control.accessibleName.empty())
            widget->setAccessibleName(toQString(control.accessibleName));
        if (!control.accessibleDescription.empty())
            widget->setAccessibleDescription(toQString(control.accessibleDescription));
    }
    // A label is linked to the field it names once both exist; screen
    // readers then read the label with the field.
    for (const layout::Control& control : layout::controls()) {
        if (control.buddy) {
            auto* label = widgets_.surface->findChild<QLabel*>(toQString(layout::nameOf(control)));
            label->setBuddy(field(*control.buddy));
        }
    }
}

QWidget* MainWindow::createControl(const layout::Control& control)
{
    if (const auto* field = std::get_if<Field>(&control.id))
        return createField(*field);
    if (const auto* button = std::get_if<Button>(&control.id))
        return createButton(*button, control);
    auto* label = new Caption(toQString(control.caption), widgets_.surface);
    // Labels lie on the surface, beneath the fields and buttons they touch.
    label->lower();
    return label;
}

QLineEdit* MainWindow::createField(Field field)
{
    // Read-only before it joins the window, so that its accessible
    // interface is a result field's from the start.
    auto* edit = new QLineEdit(toQString(field->startText));
    edit->setReadOnly(field->role == FieldRole::Result);
    edit->setParent(widgets_.surface);
    edit->setMaxLength(std::numeric_limits<int>::max());
    widgets_.fields[indexOf(field)] = edit;
    return edit;
}

QPushButton* MainWindow::createButton(Button button, const layout::Control& control)
{
    auto* push = new CaptionButton(captionOf(control), widgets_.surface);
    // Enter and Esc must not click anything.
    push->setAutoDefault(false);
    push->setDefault(false);
    push->setEnabled(button->enabledAtStart);
    // A check button is no Tab stop until it is enabled: the solve button
    // tells a screen-reader user that it will be.
    if (button->kind == ButtonKind::Solve)
        push->setAccessibleDescription(toQString(kSolveDescription));
    connect(push, &QPushButton::clicked, this, [this, button] { raiseClick(button); });
    widgets_.buttons[indexOf(button)] = push;
    return push;
}

void MainWindow::createMenus()
{
    for (const layout::Menu& menuDefinition : layout::menus()) {
        QMenu* menu = menuBar()->addMenu(toQString(menuDefinition.caption));
        menu->setObjectName(toQString(menuDefinition.name));
        // Orca names a menu only when the focus enters it from outside, which
        // a Qt menu does not report: say it as it opens.
        connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            widgets_.announcer->announce(menuHeard(menu->menuAction()->iconText()));
            // A menu reached by Right or Left from the one before selects its
            // first item while still hidden, which a screen reader ignores:
            // tell it again once the menu is up.
            QTimer::singleShot(0, menu, [menu] {
                if (menu->isVisible() && menu->activeAction() != nullptr) {
                    QAccessibleEvent focus(menu, QAccessible::Focus);
                    focus.setChild(static_cast<int>(menu->actions().indexOf(menu->activeAction())));
                    QAccessible::updateAccessibility(&focus);
                }
            });
        });
        for (const layout::MenuEntry& entry : layout::menuEntries()) {
            if (entry.menu != menuDefinition.name)
                continue;
            if (entry.windowItem) {
                QAction* action = menu->addAction(toQString(entry.caption));
                action->setObjectName(toQString(entry.name));
                action->setShortcut(QKeySequence(toQString(entry.shortcut), QKeySequence::PortableText));
                addAction(action);
                if (*entry.windowItem == layout::WindowItem::mnuAssDetails) {
                    connect(action, &QAction::triggered, this, [this] { openDetails(); });
                    actions_.details = action;
                } else {
                    connect(action, &QAction::triggered, this, &MainWindow::openEquation);
                    actions_.equation = action;
                }
                continue;
            }
            if (!entry.item) {
                menu->addSeparator()->setObjectName(toQString(entry.name));
                continue;
            }
            const MenuItem item = *entry.item;
            QAction* action = menu->addAction(toQString(entry.caption));
            action->setObjectName(toQString(nameOf(item)));
            action->setShortcut(QKeySequence(toQString(entry.shortcut), QKeySequence::PortableText));
            // Also on the window itself, so the shortcut works while no menu is open.
            addAction(action);
            connect(action, &QAction::triggered, this, [this, item] { raiseClick(item); });
            actions_.items[indexOf(item)] = action;
        }
    }
    // F10 opens the first menu, as in every desktop program.
    auto* openMenuBar = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(openMenuBar, &QShortcut::activated, this, [this] {
        QAction* first = menuBar()->actions().constFirst();
        menuBar()->setActiveAction(first);
        first->menu()->setActiveAction(first->menu()->actions().constFirst());
    });
}

// Tab follows the rows of the layout: panel by panel, and within a panel in
// the order its fields and buttons are laid out.
void MainWindow::setFocusOrder()
{
    QWidget* previous = nullptr;
    for (const layout::Control& control : layout::controls()) {
        QWidget* next = nullptr;
        if (const auto* field = std::get_if<Field>(&control.id))
            next = this->field(*field);
        else if (const auto* button = std::get_if<Button>(&control.id))
            next = this->button(*button);
        else
            continue;
        if (previous != nullptr)
            setTabOrder(previous, next);
        previous = next;
    }
    // The window opens ready for the first coefficient of the first panel.
    field(kFields.front())->setFocus();
}

void MainWindow::keepMenuShortcutsFromFields()
{
    QList<QKeySequence> shortcuts;
    for (const QAction* action : actions_.items)
        shortcuts.append(action->shortcut());
    shortcuts.append(actions_.details->shortcut());
    shortcuts.append(actions_.equation->shortcut());
    auto* guard = new MenuShortcutGuard(shortcuts, this);
    for (QLineEdit* edit : widgets_.fields)
        edit->installEventFilter(guard);
}

void MainWindow::openDetailsFromResultFields()
{
    auto* opener = new ResultFieldOpener(this);
    for (const Field control : kFields) {
        if (control->role == FieldRole::Result)
            field(control)->installEventFilter(opener);
    }
}

std::optional<std::size_t> MainWindow::panelWithFocus() const
{
    const QWidget* focus = focusWidget();
    for (const Field control : kFields) {
        if (field(control) == focus)
            return panelIndexOf(control);
    }
    for (const Button control : kButtons) {
        if (button(control) == focus)
            return panelIndexOf(control);
    }
    return std::nullopt;
}

const Operations* MainWindow::loadedOperations()
{
    QString failure;
    const Operations* loaded = operations(failure);
    if (loaded == nullptr) {
        showBox(QMessageBox::Critical, toQString(kOperationsMissing) + QStringLiteral("\n\n") + failure);
    }
    return loaded;
}

void MainWindow::openDetails(const PanelDefinition* panel)
{
    const std::size_t otherwise = panelWithFocus().value_or(lastSolved_.value_or(0));
    if (const Operations* loaded = loadedOperations())
        details_ = loaded->openDetails(*this, details_, panel, otherwise);
}

void MainWindow::openDetailsAt(std::size_t panel)
{
    if (const Operations* loaded = loadedOperations())
        details_ = loaded->openDetails(*this, details_, nullptr, panel);
}

void MainWindow::openEquation()
{
    if (const Operations* loaded = loadedOperations())
        equation_ = loaded->openEquation(*this, equation_);
}

void MainWindow::centreOnScreen()
{
    adjustSize();
    if (const QScreen* screen = this->screen())
        move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()).topLeft());
}

template <class Control>
void MainWindow::raiseClick(Control control)
{
    const Operations* loaded = loadedOperations();
    if (loaded == nullptr)
        return;
    if constexpr (std::is_same_v<Control, Button>) {
        if (control->kind == ButtonKind::Solve)
            lastSolved_ = panelIndexOf(control);
    }
    const Heard before = heardNow(*loaded);
    boxShown_ = false;
    const EventContext context{*this, platform_, *this};
    if constexpr (std::is_same_v<Control, Button>)
        loaded->raiseButton(control, context);
    else
        loaded->raiseMenuItem(control, context);
    announceAfter(control, before, *loaded);
}

MainWindow::Heard MainWindow::heardNow(const Operations& loaded) const
{
    Heard heard;
    for (const Button control : kButtons)
        heard.checksEnabled[indexOf(control)] = control->kind == ButtonKind::Check && button(control)->isEnabled();
    for (std::size_t panel = 0; panel < kPanels.size(); ++panel)
        heard.roots[panel] = loaded.rootsHeard(*this, panel);
    heard.boxShown = boxShown_;
    return heard;
}

QStringList MainWindow::checkChanges(const Heard& before, const Operations& loaded) const
{
    QStringList changes;
    const Heard after = heardNow(loaded);
    for (std::size_t i = 0; i < kButtonCount; ++i) {
        if (after.checksEnabled[i] != before.checksEnabled[i])
            changes << checkAvailabilityHeard(after.checksEnabled[i]);
    }
    return changes;
}

void MainWindow::announceAfter(Button button, const Heard& before, const Operations& loaded)
{
    QStringList heard;
    const std::size_t index = panelIndexOf(button);
    const QString roots = loaded.rootsHeard(*this, index);
    // A solve that stopped with a message box wrote no roots: the box said why.
    const bool rootsWritten = !boxShown_ || roots != before.roots[index];
    if (button->kind == ButtonKind::Solve && rootsWritten)
        heard << roots;
    heard << checkChanges(before, loaded);
    heard.removeAll(QString());
    widgets_.announcer->announce(heard.join(QStringLiteral("，")));
}

void MainWindow::announceAfter(MenuItem item, const Heard& before, const Operations& loaded)
{
    QStringList heard;
    heard << checkChanges(before, loaded);
    if (item == MenuItem::mnuFileNew) {
        heard.prepend(resetHeard());
        widgets_.announcer->announceAfterFlood(heard.join(QStringLiteral("，")));
        return;
    }
    widgets_.announcer->announce(heard.join(QStringLiteral("，")));
}

std::string MainWindow::text(Field field) const { return this->field(field)->text().toStdString(); }

void MainWindow::setText(Field field, std::string_view text) { this->field(field)->setText(toQString(text)); }

void MainWindow::setEnabled(Button button, bool enabled)
{
    QPushButton* push = this->button(button);
    // A check button disables itself while it has the focus; Qt would hand
    // the focus on to the next panel. The panel's solve button keeps it in
    // the panel instead, where the user comes back to after the box.
    if (!enabled && push->hasFocus())
        this->button(kSolveButtons[panelIndexOf(button)])->setFocus(Qt::OtherFocusReason);
    push->setEnabled(enabled);
}

void MainWindow::MsgBox(std::string_view prompt, MsgBoxStyle style)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style) {
    case MsgBoxStyle::OkOnly: icon = QMessageBox::NoIcon; break;
    case MsgBoxStyle::Critical: icon = QMessageBox::Critical; break;
    case MsgBoxStyle::Exclamation: icon = QMessageBox::Warning; break;
    case MsgBoxStyle::Information: icon = QMessageBox::Information; break;
    }
    showBox(icon, toQString(prompt));
}

void MainWindow::Print(std::string_view text) { widgets_.surface->print(toQString(text)); }

void MainWindow::showRuntimeError(const RuntimeError& error)
{
    showBox(QMessageBox::Critical, toQString(error.boxText()));
}

void MainWindow::showBox(QMessageBox::Icon icon, const QString& text)
{
    boxShown_ = true;
    QMessageBox box(icon, windowTitle(), text, QMessageBox::Ok, this);
    // A prompt is never markup, whatever characters it holds.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace zembrel
