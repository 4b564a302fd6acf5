#include "ui/MFormDeluxe.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStyle>

#include "ui/Palette.h"

namespace meldora::ui {

namespace {

int Px(int twips) { return qRound(twips / 15.0); }

// A screen reader meets a bevelled button as a push button it can press,
// named by its caption (the caption label is part of it, not a child).
class BevelAccessible : public QAccessibleWidget {
public:
    explicit BevelAccessible(BevelPanel* panel) : QAccessibleWidget(panel, QAccessible::Button) {}
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return panel()->caption()->text().remove(QLatin1Char('&'));
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) panel()->click();
    }

private:
    BevelPanel* panel() const { return static_cast<BevelPanel*>(widget()); }
};

QAccessibleInterface* BevelFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("meldora::ui::BevelPanel") && object && object->isWidgetType())
        return new BevelAccessible(static_cast<BevelPanel*>(object));
    return nullptr;
}
int Twips(int px) { return px * 15; }
QRect PxRect(const TwipRect& r) { return QRect(Px(r.left), Px(r.top), Px(r.width), Px(r.height)); }

QFont SerifFont(int pointSize, bool bold = false) {
    QFont f(QStringLiteral("Serif"), pointSize);
    f.setStyleHint(QFont::Serif);
    f.setBold(bold);
    return f;
}

// Light on the top and left edges, dark on the bottom and right (raised),
// or the other way round (sunken).
void DrawBevel(QPainter& p, const QRect& r, bool sunken, int inset = 0) {
    const QRect b = r.adjusted(inset, inset, -inset - 1, -inset - 1);
    p.setPen(sunken ? palette::kDialogShadow : palette::kDialogLight);
    p.drawLine(b.topLeft(), b.topRight());
    p.drawLine(b.topLeft(), b.bottomLeft());
    p.setPen(sunken ? palette::kDialogLight : palette::kDialogShadow);
    p.drawLine(b.bottomLeft(), b.bottomRight());
    p.drawLine(b.topRight(), b.bottomRight());
}

}  // namespace

// ---- BevelPanel -------------------------------------------------------------

BevelPanel::BevelPanel(int index, QWidget* parent) : QWidget(parent), index_(index) {
    static const bool installed = (QAccessible::installFactory(BevelFactory), true);
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("Pic1_%1").arg(index));
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("Label1_%1").arg(index));
    label_->setAlignment(Qt::AlignCenter);
    label_->setFont(SerifFont(9));
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The label's access key (a caption with &) moves the focus to the
    // panel with the shortcut reason; the panel takes that as a click.
    label_->setBuddy(this);
    placeCaption();
}

void BevelPanel::setCaption(const QString& text) {
    label_->setText(text);
    setAccessibleName(QString(text).remove(QLatin1Char('&')));
}

void BevelPanel::setSunken(bool sunken) {
    sunken_ = sunken;
    placeCaption();
    update();
}

void BevelPanel::placeCaption() {
    // Inside the one-pixel bevel; pressed, one pixel further in.
    if (sunken_) label_->setGeometry(2, 2, width() - 3, height() - 3);
    else label_->setGeometry(1, 1, width() - 2, height() - 2);
}

void BevelPanel::resizeEvent(QResizeEvent*) { placeCaption(); }

void BevelPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette::kDialogFace);
    DrawBevel(p, rect(), sunken_);
    if (hasFocus()) {
        QPen pen(Qt::black);
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.drawRect(focusFrame());
    }
}

void BevelPanel::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    setSunken(true);
}

void BevelPanel::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !sunken_) return;
    setSunken(false);
    if (rect().contains(e->position().toPoint())) emit clicked(index_);
}

void BevelPanel::click() { emit clicked(index_); }

void BevelPanel::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit clicked(index_);
        return;
    default:
        QWidget::keyPressEvent(e);
    }
}

void BevelPanel::focusInEvent(QFocusEvent* e) {
    update();
    if (e->reason() == Qt::ShortcutFocusReason) emit clicked(index_);
}

void BevelPanel::focusOutEvent(QFocusEvent*) { update(); }

// ---- MFormDeluxe ------------------------------------------------------------

MFormDeluxe::MFormDeluxe(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("MFormDeluxe"));
    setModal(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, palette::kDialogFace);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("lblTitle"));
    title_->setFont(SerifFont(10, true));
    title_->setAutoFillBackground(true);
    QPalette tp = title_->palette();
    tp.setColor(QPalette::Window, palette::kDialogTitle);
    tp.setColor(QPalette::WindowText, Qt::white);
    title_->setPalette(tp);
    title_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    prompt_ = new QLabel(this);
    prompt_->setObjectName(QStringLiteral("lblPrompt"));
    prompt_->setFont(SerifFont(10));
    prompt_->setWordWrap(true);
    prompt_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    icon_ = new QLabel(this);
    icon_->setObjectName(QStringLiteral("Picture1"));
    icon_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(Px(kMessageIconSize)));

    for (int i = 0; i < 3; ++i) {
        panels_[i] = new BevelPanel(i, this);
        connect(panels_[i], &BevelPanel::clicked, this, &MFormDeluxe::buttonClicked);
    }
    resize(Px(kMessageWidth), Px(kMessageDesignHeight));
}

QLabel* MFormDeluxe::Label1(int i) const { return panels_[i]->caption(); }

void MFormDeluxe::prepare(const QString& prompt, const QString& button0, const QString& button1,
                          const QString& button2, const QString& title, int focus) {
    for (BevelPanel* p : panels_) p->setSunken(false);

    prompt_->setText(prompt);
    setAccessibleName(title);
    setAccessibleDescription(prompt);
    const int promptHeightPx = qMax(prompt_->fontMetrics().height(),
                                    prompt_->heightForWidth(Px(kMessagePromptWidth)));

    MessageLayoutIn in;
    in.promptHeight = Twips(promptHeightPx);
    in.button1 = !button1.isEmpty();
    in.button2 = !button2.isEmpty();
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* scr = screen() ? screen() : QGuiApplication::primaryScreen();
    if (owner && owner->screen()) scr = owner->screen();
    auto twips = [](const QRect& r) { return TwipRect{Twips(r.left()), Twips(r.top()), Twips(r.width()), Twips(r.height())}; };
    if (scr) in.screen = twips(scr->availableGeometry());
    in.over = owner && owner->isVisible() ? twips(owner->frameGeometry()) : in.screen;
    layout_ = LayoutMessage(in);

    setGeometry(Px(layout_.left), Px(layout_.top), Px(layout_.width), Px(layout_.height));
    title_->setGeometry(PxRect(layout_.title));
    title_->setText(QStringLiteral("   ") + title);
    prompt_->setGeometry(PxRect(layout_.prompt));
    icon_->setGeometry(PxRect(layout_.icon));

    const QString captions[3] = {button0, button1, button2};
    for (int i = 0; i < 3; ++i) {
        panels_[i]->setCaption(captions[i]);
        panels_[i]->setGeometry(PxRect(layout_.panel[i]));
        panels_[i]->setVisible(layout_.panel[i].visible);
    }
    const int focused = focus >= 0 && focus < 3 && layout_.panel[focus].visible ? focus : 0;
    panels_[focused]->setFocus(Qt::OtherFocusReason);
}

int MFormDeluxe::ask(const QString& prompt, const QString& button0, const QString& button1,
                     const QString& button2, const QString& title) {
    prepare(prompt, button0, button1, button2, title);
    return run();
}

// A screen reader reads the message as soon as it is up.
void MFormDeluxe::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

int MFormDeluxe::run() {
    result_ = -1;
    exec();
    return result_;
}

void MFormDeluxe::buttonClicked(int index) {
    if (!isVisible()) return;
    result_ = index;
    hide();
    done(QDialog::Accepted);
}

void MFormDeluxe::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    // The raised frame: one and two pixels (15 and 30 twips) inside the edge.
    DrawBevel(p, rect(), false, 1);
    DrawBevel(p, rect(), false, 2);
}

}  // namespace meldora::ui
