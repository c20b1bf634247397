#include "main_window.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace zembrel {

namespace {

constexpr int kTwipsPerPixel = 15;

QRect pixels(int left, int top, int width, int height)
{
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
}

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

struct FieldPlacement {
    Field field;
    int left, top, width, height;
};

struct ButtonPlacement {
    Button button;
    const char* caption;
    int left, top, width, height;
};

constexpr FieldPlacement kFields[] = {
    {Field::Text1, 2160, 120, 735, 270},
    {Field::Text2, 3240, 120, 735, 270},
    {Field::Text3, 840, 480, 4215, 270},
};

constexpr ButtonPlacement kButtons[] = {
    {Button::Command1, "X=", 240, 480, 615, 255},
    {Button::Command6, "验算", 5040, 480, 615, 255},
};

} // namespace

MainWindow::MainWindow(Platform& platform, QWidget* parent) : QMainWindow(parent), platform_(platform)
{
    setWindowTitle(QStringLiteral("Zembrel"));
    createControls();
    setFixedSize(6060 / kTwipsPerPixel, 6930 / kTwipsPerPixel);
}

void MainWindow::createControls()
{
    auto* surface = new QWidget(this);
    setCentralWidget(surface);
    for (const auto& placement : kFields) {
        auto* edit = new QLineEdit(qs(initialText(placement.field)), surface);
        edit->setObjectName(qs(nameOf(placement.field)));
        edit->setGeometry(pixels(placement.left, placement.top, placement.width, placement.height));
        edit->setReadOnly(isResultField(placement.field));
        fields_[static_cast<std::size_t>(placement.field) - 1] = edit;
    }
    for (const auto& placement : kButtons) {
        auto* push = new QPushButton(QString::fromUtf8(placement.caption), surface);
        push->setObjectName(qs(nameOf(placement.button)));
        push->setGeometry(pixels(placement.left, placement.top, placement.width, placement.height));
        push->setEnabled(isEnabledAtStart(placement.button));
        push->setAutoDefault(false);
        buttons_[static_cast<std::size_t>(placement.button) - 1] = push;
        const Event event = clickEventOf(placement.button);
        connect(push, &QPushButton::clicked, this, [this, event] { raise(event); });
    }
}

void MainWindow::raise(Event event) { zembrel::raise(event, {*this, platform_, *this}); }

QLineEdit* MainWindow::field(Field field) const { return fields_[static_cast<std::size_t>(field) - 1]; }
QPushButton* MainWindow::button(Button button) const { return buttons_[static_cast<std::size_t>(button) - 1]; }

std::string MainWindow::text(Field field) const
{
    const QLineEdit* edit = this->field(field);
    return edit ? edit->text().toStdString() : std::string(initialText(field));
}

void MainWindow::setText(Field field, std::string_view text)
{
    if (QLineEdit* edit = this->field(field))
        edit->setText(qs(text));
}

void MainWindow::setEnabled(Button button, bool enabled)
{
    if (QPushButton* push = this->button(button))
        push->setEnabled(enabled);
}

void MainWindow::MsgBox(std::string_view prompt, MsgBoxStyle buttons)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (buttons) {
    case MsgBoxStyle::OkOnly: icon = QMessageBox::NoIcon; break;
    case MsgBoxStyle::Critical: icon = QMessageBox::Critical; break;
    case MsgBoxStyle::Exclamation: icon = QMessageBox::Warning; break;
    case MsgBoxStyle::Information: icon = QMessageBox::Information; break;
    }
    QMessageBox box(icon, windowTitle(), qs(prompt), QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::Print(std::string_view) {}

void MainWindow::showRuntimeError(const RuntimeError& error)
{
    QMessageBox box(QMessageBox::Critical, windowTitle(), qs(error.boxText()), QMessageBox::Ok, this);
    box.exec();
}

} // namespace zembrel
