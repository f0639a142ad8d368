#pragma once

#include <QMargins>
#include <QWidget>

class QLineEdit;

namespace korimbo {

class LinkBoxWidget;

// The main window "Korimbo": the sixteen controls of the fixed layout, the keyboard rules (Esc
// closes, F1 and Enter do nothing, Tab cycles through boxes, button and link boxes), a fixed
// centred frame with minimise and close boxes. The "转换" button runs the Convert command. The
// window deletes itself when closed.
class MainWindow : public QWidget
{
    Q_OBJECT

  public:
    explicit MainWindow(QWidget *parent = nullptr);

    // Whether the window has been closed (it is then about to be deleted).
    bool IsClosing() const { return closing_; }

    // Edit box `number` (1 to 5) and link box `number` (1 to 5).
    QLineEdit *EditBox(int number) const;
    LinkBoxWidget *LinkBox(int number) const;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

  private:
    void CreateControls();
    void OnConvertClicked();
    // Sizes the client area so that the outer frame is 381 × 267 when `frame` is known (not
    // null), and centres the frame on the primary screen.
    void FitFrame(const QMargins &frame);
    // The frame the desktop reports now (null before the window is shown).
    QMargins ReportedFrame() const;

    bool closing_ = false;
    bool frameFitted_ = false;
};

} // namespace korimbo
