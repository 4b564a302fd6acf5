#include "headless/Notation.h"

#include <sstream>
#include <utility>
#include <vector>
#include <stdexcept>

#include "game/Game.h"
#include "game/Rules.h"

namespace meldora {

namespace {

const char kRanks[] = "A23456789TJQK";
const char kSuits[] = "DCHS";  // the order of the suit blocks

int SuitCodeOf(char s) {
    for (int b = 0; b < 4; ++b)
        if (kSuits[b] == s) return SuitCode(b);
    throw std::invalid_argument(std::string("no suit '") + s + "'");
}

char SuitLetter(int code) {
    switch (code) {
        case SuitDiamonds: return 'D';
        case SuitClubs: return 'C';
        case SuitHearts: return 'H';
        case SuitSpades: return 'S';
        default: return '?';
    }
}

int RankOf(char r) {
    for (int v = 0; v < 13; ++v)
        if (kRanks[v] == r) return v + 1;
    throw std::invalid_argument(std::string("no rank '") + r + "'");
}

// A card not yet named: the first copy still in the stock.
int TakeCard(const Game& g, const std::string& word, const std::vector<bool>& taken, int& value, int& suit) {
    value = 0;
    suit = SuitNone;
    int first = 0, copies = 1;
    if (word.rfind("JK", 0) == 0) {
        first = kFirstJoker;
        copies = 3;
        if (word.size() == 5 && word[2] == '=') {
            value = RankOf(word[3]);
            suit = SuitCodeOf(word[4]);
        } else if (word.size() != 2) {
            throw std::invalid_argument("bad Joker '" + word + "'");
        }
    } else {
        if (word.size() != 2) throw std::invalid_argument("bad card '" + word + "'");
        const int v = RankOf(word[0]);
        first = CardNumber(v, SuitCodeOf(word[1]));
        copies = 2;
    }
    for (int c = first; c < first + copies; ++c)
        if (g.CardTable[c].Location == LocStock && !taken[c]) return c;
    throw std::invalid_argument("no copy of '" + word + "' left");
}

void Lay(Game& g, int slot) {
    MeldRecord& m = g.MeldTable[slot];
    if (m.Kind == 0) m.Kind = kKindSet;
    m.Complete = m.Count >= MeldSize(m.Kind);
    if (m.Kind == kKindRun)
        g.SortMeldsRun(slot);
    else
        g.SortMeldsSet(slot);
}

}  // namespace

void SetUpTable(Game& g, const std::string& text) {
    std::istringstream sections(text);
    std::string section;
    while (std::getline(sections, section, '|')) {
        std::istringstream words(section);
        std::string head;
        if (!(words >> head)) continue;
        if (head.empty() || head.back() != ':') throw std::invalid_argument("bad section '" + head + "'");
        head.pop_back();
        int seat = -1, slot = 0;
        bool discard = false;
        if (head == "P") seat = 0;
        else if (head == "W") seat = 1;
        else if (head == "N") seat = 2;
        else if (head == "E") seat = 3;
        else if (head == "D") discard = true;
        else if (head.size() >= 2 && head[0] == 'M') slot = std::stoi(head.substr(1));
        if (seat < 0 && !discard && (slot < 1 || slot > kMeldSlots))
            throw std::invalid_argument("bad section '" + head + "'");

        std::string word;
        std::vector<int> cards;
        std::vector<std::pair<int, int>> standsFor;
        std::vector<bool> taken(kCardCount + 1, false);  // the next mention is the other copy
        while (words >> word) {
            int value = 0, suit = SuitNone;
            if (word == "*") {
                for (int c = 1; c <= kCardCount; ++c)
                    if (g.CardTable[c].Location == LocStock) {
                        cards.push_back(c);
                        standsFor.push_back({0, SuitNone});
                    }
                continue;
            }
            cards.push_back(TakeCard(g, word, taken, value, suit));
            standsFor.push_back({value, suit});
            taken[cards.back()] = true;
        }
        int previousValue = 0;
        for (std::size_t i = 0; i < cards.size(); ++i) {
            const int c = cards[i];
            const int value = standsFor[i].first, suit = standsFor[i].second;
            CardRecord& card = g.CardTable[c];
            if (seat >= 0) {
                g.SetUpCard(c, seat);
            } else if (discard) {
                g.SetUpCard(c, LocDiscard);
            } else {
                MeldRecord& m = g.MeldTable[slot];
                if (value != 0) {
                    card.Value = value;
                    card.Suit = m.Kind == kKindRun ? suit : SuitNone;
                }
                // In a run an Ace named right after a King lies above it.
                if (m.Kind == kKindRun && card.Value == 1 && previousValue == 13) card.Value = kValueHighAce;
                previousValue = card.Value;
                if (!m.Started) m.Start(card.Value, card.Suit);
                g.SetUpCard(c, LocMeld, slot);
            }
        }
        if (slot > 0) Lay(g, slot);
    }
    g.SortHandP();
    for (int s = 1; s <= 3; ++s) g.SortHandAll(s);
    g.RedrawStock();
    g.RedrawDiscard();
    g.ShowDiscardCount();
}

std::string CardText(const Game& g, int card) {
    const CardRecord& c = g.CardTable[card];
    if (IsJoker(card)) {
        const int v = c.Value == kValueHighAce ? 1 : c.Value;
        if (v < 1 || v > 13) return "JK";
        return std::string("JK=") + kRanks[v - 1] + SuitLetter(c.Suit == SuitNone ? SuitDiamonds : c.Suit);
    }
    return std::string(1, kRanks[NaturalValue(card) - 1]) + SuitLetter(NaturalSuit(card));
}

std::string DescribeTable(const Game& g) {
    std::ostringstream out;
    static const char* seats[4] = {"P", "W", "N", "E"};
    int stock = 0;
    for (int c = 1; c <= kCardCount; ++c)
        if (g.CardTable[c].Location == LocStock) ++stock;
    for (int s = 0; s < 4; ++s) {
        out << seats[s] << ":";
        for (int c = 1; c <= kCardCount; ++c)
            if (g.CardTable[c].Location == s) out << ' ' << CardText(g, c);
        out << " | ";
    }
    out << "D:";
    for (int k = 1; k <= g.DiscardCount; ++k) out << ' ' << CardText(g, g.DiscardPile[k]);
    for (int m = 1; m <= kMeldSlots; ++m) {
        if (g.MeldTable[m].Count == 0) continue;
        out << " | M" << m << ':';
        for (int c = 1; c <= kCardCount; ++c)
            if (g.CardTable[c].InMeld[m]) out << ' ' << CardText(g, c);
    }
    out << " | S: " << stock;
    return out.str();
}

}  // namespace meldora
