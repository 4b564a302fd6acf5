#include "ui/TableAccessible.h"

#include <QAccessible>

#include "game/Cards.h"
#include "ui/ModelText.h"
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

// ---- The table widget's side of the bridge: what it has painted, named
// and placed for screen readers, and the changes it tells them of.

std::vector<int> TableWidget::paintedKeys() const {
    std::vector<int> keys;
    for (const SceneItem& it : scene_) {
        // Cards with no name of their own (under a pile's top card) are left out.
        if (it.kind == Item::Card && !paintedName(it.index).isEmpty()) keys.push_back(it.index);
        if (it.kind == Item::Label) keys.push_back(kLabelKeys + it.index);
    }
    for (int column = 1; column <= layout::kMeldColumns; ++column)
        if (!paintedName(kColumnKeys + column).isEmpty()) keys.push_back(kColumnKeys + column);
    return keys;
}

// The label behind a painted label key, or null.
const Control* TableWidget::paintedLabel(int key) const {
    const std::vector<TableLabel> labels = model_->TableLabels();
    const int i = key - kLabelKeys;
    return i >= 0 && i < static_cast<int>(labels.size()) ? labels[i].control : nullptr;
}

QString TableWidget::paintedName(int key) const {
    if (!model_) return {};
    if (key >= 1 && key <= kCardCount) return cardNamer_ ? cardNamer_(key) : QString();
    if (key > kColumnKeys) return columnNamer_ ? columnNamer_(key - kColumnKeys) : QString();
    const Control* label = paintedLabel(key);
    return label ? Q(label->Caption).remove(QLatin1Char('&')).simplified() : QString();
}

QString TableWidget::paintedDescription(int key) const {
    if (!model_) return {};
    if (key >= 1 && key <= kCardCount) return Q(model_->Cds[key].ToolTip);
    const Control* label = paintedLabel(key);
    return label ? Q(label->ToolTip) : QString();
}

QRect TableWidget::paintedRect(int key) const {
    if (key > kColumnKeys) {
        const layout::Rect r = layout::TargetArea({layout::DropArea::Board, key - kColumnKeys});
        return mapping().toPixelRect(r.left, r.top, r.width, r.height);
    }
    const bool card = key >= 1 && key <= kCardCount;
    for (const SceneItem& it : scene_)
        if ((card && it.kind == Item::Card && it.index == key) || (!card && it.kind == Item::Label && it.index == key - kLabelKeys))
            return it.rect;
    return {};
}

bool TableWidget::paintedFocusable(int key) const {
    if (!model_ || key < 1 || key > kCardCount) return false;
    const int face = model_->Cds[key].Picture;
    return face >= 1 && face <= kCardCount;
}

int TableWidget::focusedCard() const { return model_ ? model_->Keys.FocusCard : 0; }

// The lines that change as the game goes (the two instruction lines and
// the robots' line) are told to screen readers when their text changes,
// and so is the keyboard's frame moving to a card. (What happens is also
// told as a notification: see Announcer.)
void TableWidget::announceChanges() {
    if (!model_ || !QAccessible::isActive()) return;
    QAccessibleInterface* me = QAccessible::queryAccessibleInterface(this);
    auto* table = me ? dynamic_cast<TableAccessible*>(me) : nullptr;
    if (!table) return;
    const std::vector<TableLabel> labels = model_->TableLabels();
    for (int i = 0; i < static_cast<int>(labels.size()); ++i) {
        const QString text = Q(labels[i].control->Caption);
        const QString name = QLatin1String(labels[i].name);
        if (name != QLatin1String("LblP") && name != QLatin1String("LblBots")) continue;
        if (announced_.value(kLabelKeys + i) == text) continue;
        announced_.insert(kLabelKeys + i, text);
        if (text.isEmpty() || !labels[i].control->Visible) continue;
        QAccessibleEvent changed(table->painted(kLabelKeys + i), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
    const int focus = model_->Keys.FocusCard;
    if (focus != announcedFocus_) {
        announcedFocus_ = focus;
        if (hasFocus() && focus >= 1 && focus <= kCardCount) {
            QAccessibleEvent focused(table->painted(focus), QAccessible::Focus);
            QAccessible::updateAccessibility(&focused);
        }
    }
}

}  // namespace meldora::ui
