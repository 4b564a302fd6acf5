#pragma once
// The painted table for screen readers: the table widget's accessible
// object lists its real child widgets (buttons, panels, the info label)
// and then one child per painted card image and painted label, named from
// the game (what the player may see, nothing more).

#include <QAccessibleWidget>
#include <QLabel>

namespace meldora::ui {

class TableWidget;

// Installs the factory that gives every TableWidget its accessible object.
void InstallTableAccessibility();

// What happens away from the keyboard's focus, told to a screen reader. A
// tiny label of the window with the accessible role of a notification:
// hidden, given its text and shown again, it is read at once (the way
// screen readers on AT-SPI present a notification being shown; alerts and
// name changes of unfocused objects are not read there). Nothing shows on
// the table.
class Announcer : public QLabel {
public:
    explicit Announcer(QWidget* window);
    void announce(const QString& text);
    static constexpr const char* kObjectName = "announcer";
};

class TableAccessible : public QAccessibleWidget {
public:
    explicit TableAccessible(TableWidget* table);
    ~TableAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // The accessible object of painted item `key` (see TableWidget::paintedKeys).
    QAccessibleInterface* painted(int key) const;

private:
    TableWidget* table() const;
    mutable QHash<int, QAccessible::Id> painted_;
};

}  // namespace meldora::ui
