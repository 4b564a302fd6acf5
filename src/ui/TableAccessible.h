#pragma once
// The painted table for screen readers: the table widget's accessible
// object lists its real child widgets (buttons, panels, the info label)
// and then one child per painted card image and painted label, named from
// the game (what the player may see, nothing more).

#include <QAccessibleWidget>

namespace meldora::ui {

class TableWidget;

// Installs the factory that gives every TableWidget its accessible object.
void InstallTableAccessibility();

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
