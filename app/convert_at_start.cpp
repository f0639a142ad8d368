#include "app/convert_at_start.h"

#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>

#include "ui/qt/main_window.h"

namespace korimbo {

void ConvertAtStart(MainWindow &window, const QString &address)
{
    window.EditBox(1)->setText(address);
    auto *button = window.findChild<QPushButton *>(QStringLiteral("按钮1"), Qt::FindDirectChildrenOnly);
    QMetaObject::invokeMethod(button, &QPushButton::click, Qt::QueuedConnection);
}

} // namespace korimbo
