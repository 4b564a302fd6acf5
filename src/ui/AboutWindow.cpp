#include "ui/AboutWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/AppResources.h"
#include "ui/OwnedWindow.h"

namespace meldora::ui {

namespace {
QLabel* NamedLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}
}  // namespace

AboutWindow::AboutWindow(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + AppTitle());
    setModal(false);

    QLabel* icon = NamedLabel(QStringLiteral("picIcon"), QString(), this);
    icon->setPixmap(AppIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);

    QLabel* title = NamedLabel(QStringLiteral("lblTitle"), AppTitle(), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    title->setFont(big);

    QLabel* version = NamedLabel(QStringLiteral("lblVersion"), QStringLiteral("Version ") + AppVersion(), this);
    QLabel* description = NamedLabel(
        QStringLiteral("lblDescription"),
        QStringLiteral("A seven-round rummy game in which you play three computer players, laying "
                       "contracts of Sets and Runs and keeping your penalty points low."),
        this);
    description->setWordWrap(true);
    QLabel* disclaimer = NamedLabel(QStringLiteral("lblDisclaimer"),
                                    QStringLiteral("Free software, provided as it is, without any warranty."), this);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 3, 1);
    grid->addWidget(title, 0, 1);
    grid->addWidget(version, 1, 1);
    grid->addWidget(description, 2, 1);
    grid->addWidget(disclaimer, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(420);
}

AboutWindow* AboutWindow::showFor(QWidget* owner) { return ShowOwnedWindow<AboutWindow>(owner); }

}  // namespace meldora::ui
