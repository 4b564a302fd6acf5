#include "ui/DeckChooser.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/CardArt.h"

namespace meldora::ui {

namespace {

// The cards a deck shows in the list, fanned from left to right.
const char* const kPreviewCards[] = {"spade_1", "heart_king", "diamond_10", "club_7", "joker_red", "back"};
constexpr int kPreviewHeight = 72;  // device-independent pixels
constexpr double kCardShape = 0.69;  // width over height of a card
constexpr double kFanStep = 0.55;    // of a card's width

QSize PreviewSize() {
    const int card = qRound(kPreviewHeight * kCardShape);
    const int count = int(std::size(kPreviewCards));
    return QSize(card + qRound(card * kFanStep * (count - 1)), kPreviewHeight);
}

QPixmap Preview(QSvgRenderer& deck, qreal dpr) {
    const QSize size = PreviewSize();
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal cardWidth = kPreviewHeight * kCardShape;
    qreal left = 0;
    for (const char* card : kPreviewCards) {
        deck.render(&p, QLatin1String(card), QRectF(left, 0, cardWidth, kPreviewHeight));
        left += cardWidth * kFanStep;
    }
    return pm;
}

}  // namespace

QStringList DeckFolders() {
    return {QStringLiteral("/usr/share/aisleriot/cards"), QStringLiteral("/usr/local/share/aisleriot/cards")};
}

QStringList DeckFiles(const QStringList& folders) {
    QStringList files;
    for (const QString& folder : folders)
        for (const QFileInfo& f : QDir(folder).entryInfoList({QStringLiteral("*.svgz"), QStringLiteral("*.svg")},
                                                              QDir::Files, QDir::Name))
            files << f.filePath();
    return files;
}

QString DeckName(const QString& path) {
    QString base = QFileInfo(path).completeBaseName();
    const bool fourColours = base.endsWith(QLatin1String("_4_color"));
    if (fourColours) base.chop(8);
    QString name = base.replace(QLatin1Char('_'), QLatin1Char(' ')).replace(QLatin1Char('-'), QLatin1Char(' '));
    if (!name.isEmpty()) name[0] = name[0].toUpper();
    return fourColours ? name + QStringLiteral(", four colours") : name;
}

DeckDialog::DeckDialog(const QStringList& files, const QString& current, QWidget* parent)
    : QDialog(parent), files_(files), current_(current) {
    setWindowTitle(QStringLiteral("Card Deck"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Cards to play with:"), this);
    layout->addWidget(label);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("DeckList"));
    list_->setAccessibleName(QStringLiteral("Card decks"));
    list_->setIconSize(PreviewSize());
    list_->setUniformItemSizes(true);
    list_->setSpacing(2);
    label->setBuddy(list_);
    layout->addWidget(list_);
    state_ = new QLabel(this);
    layout->addWidget(state_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
    // Room for the longest names beside the cards, and for several decks.
    resize(PreviewSize().width() + fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40,
           (PreviewSize().height() + 8) * 6 + 100);
    state_->setText(QStringLiteral("Looking at the decks installed..."));
    QTimer::singleShot(0, this, &DeckDialog::addNext);
}

void DeckDialog::addNext() {
    if (!filling()) return;
    const QString path = files_.at(next_++);
    if (const auto deck = CardArt::loadWholeDeck(path)) {
        const QPixmap cards = Preview(*deck, devicePixelRatioF());
        QIcon preview(cards);
        preview.addPixmap(cards, QIcon::Selected);  // the cards keep their colours in the chosen row
        auto* item = new QListWidgetItem(preview, DeckName(path), list_);
        item->setData(Qt::UserRole, path);
        item->setToolTip(path);
        item->setData(Qt::AccessibleDescriptionRole,
                      QStringLiteral("Shows the Ace of Spades, the King of Hearts, the Ten of Diamonds, "
                                     "the Seven of Clubs, a Joker and the back"));
        if (path == current_) list_->setCurrentItem(item);
    }
    if (filling()) {
        QTimer::singleShot(0, this, &DeckDialog::addNext);
        return;
    }
    state_->setText(list_->count() == 0 ? QStringLiteral("No whole card deck is installed: the cards are painted.")
                                        : QStringLiteral("%1 decks.").arg(list_->count()));
    if (!list_->currentItem() && list_->count() > 0) list_->setCurrentRow(0);
}

QString DeckDialog::chosen() const {
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

}  // namespace meldora::ui
