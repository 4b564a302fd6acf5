#include "ui/HelpWindow.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/AppResources.h"
#include "ui/OwnedWindow.h"

namespace meldora::ui {

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(AppTitle() + QStringLiteral(" Help"));
    setWindowModality(Qt::NonModal);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("MeldoraHelpTxt"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);  // the text has its own line breaks
    text_->setPlainText(HelpText());

    close_ = new QPushButton(QStringLiteral("&Close"), this);
    close_->setObjectName(QStringLiteral("btnClose"));
    close_->setToolTip(QStringLiteral("Click to close Help file"));
    connect(close_, &QPushButton::clicked, this, &QWidget::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(buttons);

    // Wide enough for the text's longest line, with room for the scroll bar.
    const QFontMetrics fm(text_->font());
    int widest = 0;
    for (const QString& line : text_->toPlainText().split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(line));
    resize(widest + 80, fm.lineSpacing() * 34);
}

HelpWindow* HelpWindow::showFor(QWidget* owner) { return ShowOwnedWindow<HelpWindow>(owner); }

}  // namespace meldora::ui
