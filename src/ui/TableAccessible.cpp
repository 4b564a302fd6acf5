#include "ui/TableAccessible.h"

#include "ui/TableWidget.h"

namespace meldora::ui {

namespace {

// One painted thing on the table: a card image (key 1..107) or a painted
// label or a meld column (see TableWidget::kLabelKeys). It asks the
// table for its current name and place each time, so it never goes stale.
class PaintedItem : public QAccessibleInterface {
public:
    PaintedItem(TableWidget* table, int key) : table_(table), key_(key) {}

    bool isValid() const override { return table_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return table_ ? table_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(table_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (!table_) return {};
        if (t == QAccessible::Name) return table_->paintedName(key_);
        if (t == QAccessible::Description) return table_->paintedDescription(key_);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!table_) return {};
        const QRect r = table_->paintedRect(key_);
        return QRect(table_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override {
        return key_ < TableWidget::kLabelKeys ? QAccessible::Graphic : QAccessible::StaticText;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!table_ || table_->paintedRect(key_).isEmpty()) s.invisible = true;
        if (table_ && table_->paintedFocusable(key_)) {
            s.focusable = true;
            s.focused = table_ && table_->hasFocus() && table_->focusedCard() == key_;
        }
        return s;
    }

private:
    QPointer<TableWidget> table_;
    int key_;
};

class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    if (className == QLatin1String("meldora::ui::TableWidget"))
        return new TableAccessible(static_cast<TableWidget*>(object));
    if (className == QLatin1String("QLabel") && object->objectName() == QLatin1String(Announcer::kObjectName))
        return new AnnouncerAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

Announcer::Announcer(QWidget* window) : QLabel(window) {
    InstallTableAccessibility();
    setObjectName(QLatin1String(kObjectName));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setStyleSheet(QStringLiteral("color: transparent; background: transparent;"));
    setGeometry(0, 0, 1, 1);
    hide();
}

void Announcer::announce(const QString& text) {
    hide();
    setText(text);
    show();
}

void InstallTableAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(Factory);
}

TableAccessible::TableAccessible(TableWidget* table) : QAccessibleWidget(table, QAccessible::Pane) {}

TableAccessible::~TableAccessible() {
    for (QAccessible::Id id : std::as_const(painted_)) QAccessible::deleteAccessibleInterface(id);
}

TableWidget* TableAccessible::table() const { return static_cast<TableWidget*>(widget()); }

QAccessibleInterface* TableAccessible::painted(int key) const {
    auto at = painted_.find(key);
    if (at != painted_.end()) return QAccessible::accessibleInterface(*at);
    auto* item = new PaintedItem(table(), key);
    painted_.insert(key, QAccessible::registerAccessibleInterface(item));
    return item;
}

int TableAccessible::childCount() const {
    return QAccessibleWidget::childCount() + static_cast<int>(table()->paintedKeys().size());
}

QAccessibleInterface* TableAccessible::child(int index) const {
    const int widgets = QAccessibleWidget::childCount();
    if (index < widgets) return QAccessibleWidget::child(index);
    const std::vector<int> keys = table()->paintedKeys();
    index -= widgets;
    if (index < 0 || index >= static_cast<int>(keys.size())) return nullptr;
    return painted(keys[index]);
}

int TableAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const int own = QAccessibleWidget::indexOfChild(child);
    if (own >= 0) return own;
    const std::vector<int> keys = table()->paintedKeys();
    for (int i = 0; i < static_cast<int>(keys.size()); ++i)
        if (painted_.contains(keys[i]) && QAccessible::accessibleInterface(painted_.value(keys[i])) == child)
            return QAccessibleWidget::childCount() + i;
    return -1;
}

QAccessibleInterface* TableAccessible::childAt(int x, int y) const {
    if (QAccessibleInterface* own = QAccessibleWidget::childAt(x, y)) return own;
    const QPoint at = table()->mapFromGlobal(QPoint(x, y));
    const std::vector<int> keys = table()->paintedKeys();  // bottom first
    for (auto k = keys.rbegin(); k != keys.rend(); ++k)
        if (table()->paintedRect(*k).contains(at)) return painted(*k);
    return nullptr;
}

}  // namespace meldora::ui
