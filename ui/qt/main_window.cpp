#include "ui/qt/main_window.h"

#include <limits>
#include <optional>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "ui/logic/convert_command.h"
#include "ui/logic/fatal_report.h"
#include "ui/logic/link_html.h"
#include "ui/logic/window_layout.h"
#include "ui/qt/convert_view.h"
#include "ui/qt/frame_margins.h"
#include "ui/qt/link_box_widget.h"
#include "ui/qt/program_icon.h"

namespace korimbo {
namespace {

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsPlainEscape(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Escape &&
           !(key.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier));
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(FromUtf8(kWindowTitle));
    setWindowIcon(ProgramIcon());
    setFixedSize(kClientWidth, kClientHeight);
    CreateControls();
    installEventFilter(this);
    EditBox(1)->setFocus();
    FitFrame(ReportedFrame());
}

void MainWindow::CreateControls()
{
    for (const ControlLayout &entry : kControls) {
        QWidget *control = nullptr;
        switch (entry.kind) {
        case ControlKind::EditBox: {
            auto *edit = new QLineEdit(this);
            // The program writes texts of any length; only typing is limited, by the control.
            edit->setMaxLength(std::numeric_limits<int>::max());
            // Links run to tens of thousands of characters that need no shaping; shaping them
            // would make a long conversion and its repaint several times slower.
            QFont font = edit->font();
            font.setStyleStrategy(QFont::PreferNoShaping);
            edit->setFont(font);
            control = edit;
            break;
        }
        case ControlKind::Button: {
            auto *button = new QPushButton(FromUtf8(entry.caption), this);
            button->setAutoDefault(false);
            button->setDefault(false);
            connect(button, &QPushButton::clicked, this, &MainWindow::OnConvertClicked);
            control = button;
            break;
        }
        case ControlKind::Label: {
            auto *label = new QLabel(FromUtf8(entry.caption), this);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            label->setWordWrap(false);
            label->setFocusPolicy(Qt::NoFocus);
            control = label;
            break;
        }
        case ControlKind::LinkBox:
            control = new LinkBoxWidget(this);
            break;
        }
        control->setObjectName(FromUtf8(entry.name));
        control->setGeometry(entry.left, entry.top, entry.width, entry.height);
        control->installEventFilter(this);
    }
    LinkBox(5)->SetHtmlContent(MakerLinksHtml().bytes());
    // Each edit box is named by its label, for assistive technology; the labels have no access
    // key, so the keyboard stays as it is.
    for (const auto &[box, label] : kEditBoxLabels) {
        QLineEdit *edit = findChild<QLineEdit *>(FromUtf8(box), Qt::FindDirectChildrenOnly);
        findChild<QLabel *>(FromUtf8(label), Qt::FindDirectChildrenOnly)->setBuddy(edit);
        edit->setAccessibleName(FromUtf8(AccessibleEditBoxName(box)));
    }
    QWidget *previous = nullptr;
    for (const std::string_view name : kTabCycle) {
        QWidget *next = findChild<QWidget *>(FromUtf8(name), Qt::FindDirectChildrenOnly);
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
}

QLineEdit *MainWindow::EditBox(int number) const
{
    return findChild<QLineEdit *>(QStringLiteral("编辑框%1").arg(number), Qt::FindDirectChildrenOnly);
}

LinkBoxWidget *MainWindow::LinkBox(int number) const
{
    return findChild<LinkBoxWidget *>(QStringLiteral("简单超文本框%1").arg(number), Qt::FindDirectChildrenOnly);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        if (IsPlainEscape(key)) {
            close();
            return true;
        }
        if (key.key() == Qt::Key_F1)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    closing_ = true;
    event->accept();
}

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The first show comes before the window is mapped: where the desktop can tell the frame it
    // will draw, the window takes its final size and place now, and never visibly resizes.
    std::optional<QMargins> frame;
    if (!frameFitted_ && windowHandle())
        frame = FrameMarginsBeforeShow(*windowHandle());
    FitFrame(frame ? *frame : ReportedFrame());
}

void MainWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (!frameFitted_)
        FitFrame(ReportedFrame());
}

QMargins MainWindow::ReportedFrame() const
{
    return windowHandle() ? windowHandle()->frameMargins() : QMargins();
}

void MainWindow::FitFrame(const QMargins &frame)
{
    const bool hasFrame = !frame.isNull();
    if (hasFrame) {
        frameFitted_ = true;
        setFixedSize(kFrameWidth - frame.left() - frame.right(), kFrameHeight - frame.top() - frame.bottom());
    }
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect full = screen->geometry();
    const QSize outer(width() + frame.left() + frame.right(), height() + frame.top() + frame.bottom());
    const QPoint frameTopLeft(full.x() + (full.width() - outer.width()) / 2,
                              full.y() + (full.height() - outer.height()) / 2);
    // Placed by the client area, which does not depend on what Qt knows of the frame yet.
    const QPoint clientTopLeft = frameTopLeft + QPoint(frame.left(), frame.top());
    if (geometry().topLeft() != clientTopLeft)
        setGeometry(QRect(clientTopLeft, size()));
}

void MainWindow::OnConvertClicked()
{
    if (ClicksStopped())
        return;
    // The view watches the window through guarded pointers: a close dispatched during a long
    // decode makes the command stop instead of touching a closing window.
    QtConvertView view(this);
    RunConvertCommand(view);
    // `this` may be gone here.
}

} // namespace korimbo
