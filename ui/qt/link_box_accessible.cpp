#include "ui/qt/link_box_accessible.h"

#include <optional>
#include <vector>

#include <QAccessibleInterface>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include "ui/open/open_target.h"
#include "ui/qt/gbk_codec.h"
#include "ui/qt/link_box_widget.h"

namespace korimbo {
namespace {

// Link number `index` of a box, read afresh from the box at every question, so it follows new
// content; it is no longer valid once the box holds fewer links.
class LinkAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
  public:
    LinkAccessible(LinkBoxWidget *box, int index) : box_(box), index_(index) {}

    bool isValid() const override { return Link().has_value(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return box_ ? box_->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(box_.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Link; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text kind) const override
    {
        const std::optional<LinkEntry> link = Link();
        if (!link)
            return {};
        switch (kind) {
        case QAccessible::Name:
            return FromGbk(link->text);
        case QAccessible::Value:
        case QAccessible::Description:
            return FromGbk(link->target);
        default:
            return {};
        }
    }

    QRect rect() const override
    {
        QRect area;
        if (box_)
            for (const PlacedRun &run : box_->Logic().Runs())
                if (run.link == index_)
                    area |=
                        QRect(box_->mapToGlobal(QPoint(run.box.x, run.box.y)), QSize(run.box.width, run.box.height));
        return area;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.linked = true;
        state.invisible = !box_ || !box_->isVisible();
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

    void doAction(const QString &name) override
    {
        if (name != pressAction())
            return;
        if (const std::optional<LinkEntry> link = Link())
            OpenTarget(link->target);
    }

  private:
    std::optional<LinkEntry> Link() const
    {
        if (!box_)
            return std::nullopt;
        std::vector<LinkEntry> links = box_->Logic().Links();
        if (index_ < 0 || static_cast<std::size_t>(index_) >= links.size())
            return std::nullopt;
        return std::move(links[static_cast<std::size_t>(index_)]);
    }

    QPointer<LinkBoxWidget> box_;
    int index_;
};

class LinkBoxAccessible : public QAccessibleWidget
{
  public:
    explicit LinkBoxAccessible(LinkBoxWidget *box) : QAccessibleWidget(box, QAccessible::Grouping) {}

    ~LinkBoxAccessible() override
    {
        for (const QAccessible::Id id : children_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return static_cast<int>(Box()->Logic().Links().size()); }

    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        while (children_.size() <= static_cast<std::size_t>(index))
            children_.push_back(QAccessible::registerAccessibleInterface(
                new LinkAccessible(Box(), static_cast<int>(children_.size()))));
        return QAccessible::accessibleInterface(children_[static_cast<std::size_t>(index)]);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (std::size_t i = 0; i < children_.size() && static_cast<int>(i) < childCount(); ++i)
            if (QAccessible::accessibleInterface(children_[i]) == child)
                return static_cast<int>(i);
        return -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint point = Box()->mapFromGlobal(QPoint(x, y));
        for (const PlacedRun &run : Box()->Logic().Runs())
            if (run.link >= 0 && run.box.Contains(point.x(), point.y()))
                return child(run.link);
        return nullptr;
    }

    // The box's name is the text it shows, links and plain text alike.
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? FromGbk(Box()->Logic().ShownText()) : QAccessibleWidget::text(kind);
    }

  private:
    LinkBoxWidget *Box() const { return static_cast<LinkBoxWidget *>(widget()); }

    mutable std::vector<QAccessible::Id> children_;
};

QAccessibleInterface *LinkBoxFactory(const QString &, QObject *object)
{
    if (auto *box = qobject_cast<LinkBoxWidget *>(object))
        return new LinkBoxAccessible(box);
    return nullptr;
}

} // namespace

void InstallLinkBoxAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&LinkBoxFactory);
        return true;
    }();
    (void)installed;
}

} // namespace korimbo
