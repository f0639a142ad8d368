#pragma once

#include <string_view>

#include <QWidget>

#include "ui/logic/link_box.h"
#include "ui/qt/qt_text_measurer.h"

namespace korimbo {

// The link box ("SimpleHtml"): one line of text and links drawn by us over the 3-D face colour.
// A press of the left button on a link hands its target to OpenTarget.
class LinkBoxWidget : public QWidget
{
    Q_OBJECT

  public:
    explicit LinkBoxWidget(QWidget *parent = nullptr);

    // Replaces the whole content (GBK HTML, up to its first zero byte) and lays it out at once.
    void SetHtmlContent(std::string_view html);

    // The box's state, for views and tests.
    const LinkBox &Logic() const { return box_; }

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

  private:
    void UpdatePointer(QPoint position);

    QtTextMeasurer measurer_;
    LinkBox box_;
};

} // namespace korimbo
