#pragma once
// The card and meld records and the fixed codes the whole game shares.

#include <array>
#include <string>

namespace meldora {

constexpr int kCardCount = 107;     // two packs and three Jokers
constexpr int kFirstJoker = 105;
constexpr int kMeldSlots = 12;

// Pictures of the image list beyond the 107 faces.
constexpr int kPicBack = 108;          // card back, upright (player, North, stock)
constexpr int kPicCursorHand = 110;    // drag cursors
constexpr int kPicCursorDrop = 111;
constexpr int kPicBackSideways = 112;  // card back for West and East

// Where a card is.
enum Location : int {
    LocPlayer = 0,
    LocWest = 1,
    LocNorth = 2,
    LocEast = 3,
    LocStock = 8,
    LocDiscard = 9,
    LocMeld = 10,
};

// Suit codes.
enum SuitCode : int {
    SuitDiamonds = 4,
    SuitSpades = 5,
    SuitHearts = 6,
    SuitClubs = 7,
    SuitNone = 11,
};

// Meld kinds.
constexpr int kKindRun = 12;
constexpr int kKindSet = 13;

constexpr int kValueJoker = 14;   // a Joker that stands for nothing yet
constexpr int kValueHighAce = 15; // an Ace laid above a King

inline bool IsJoker(int card) { return card >= kFirstJoker && card <= kCardCount; }

// The suits in the order of their blocks of card numbers: Diamonds are
// cards 1..26, then Clubs, Hearts and Spades, each block Ace to King with
// the two copies of a card side by side. Every scan by suit goes in this
// order.
constexpr int kSuitBlocks[4] = {SuitDiamonds, SuitClubs, SuitHearts, SuitSpades};
constexpr int kSuitBlockSize = 26;

// Block index 0..3 of a suit code, -1 for none; and back.
constexpr int SuitIndex(int suit) {
    for (int i = 0; i < 4; ++i)
        if (kSuitBlocks[i] == suit) return i;
    return -1;
}
constexpr int SuitCode(int index) { return index >= 0 && index < 4 ? kSuitBlocks[index] : SuitNone; }

// Card number of a natural card: value 1..13, suit code, copy 0 or 1.
constexpr int CardNumber(int value, int suit, int copy = 0) {
    return SuitIndex(suit) * kSuitBlockSize + (value - 1) * 2 + copy + 1;
}

// Natural value 1..13 of card n (1..104); 14 for the Jokers.
inline int NaturalValue(int n) { return IsJoker(n) ? kValueJoker : ((n - 1) % kSuitBlockSize) / 2 + 1; }

// Natural suit code of card n; SuitNone for the Jokers.
inline int NaturalSuit(int n) { return IsJoker(n) ? SuitNone : SuitCode((n - 1) / kSuitBlockSize); }

// Penalty points of card n left in a hand: Ace 15, Two..Ten their face
// value, Jack, Queen and King 10, Joker 15.
inline int NaturalPoints(int n) {
    if (IsJoker(n)) return 15;
    const int v = NaturalValue(n);
    return v == 1 ? 15 : (v >= 10 ? 10 : v);
}

struct CardRecord {
    int CardNo = 0;
    bool InRun = false;
    bool InSet = false;
    std::string FullName;
    int Points = 0;
    std::string ValueName;
    std::string SuitName;
    int Suit = SuitNone;
    int Value = 0;
    int Location = LocStock;
    std::array<bool, kMeldSlots + 1> InMeld{};  // 1..12 used
    bool InRunOf3 = false;
    bool RunKeep = false;
};

struct MeldRecord {
    int Low = 0;
    int High = 0;
    int Count = 0;
    bool Started = false;
    bool Complete = false;
    int Kind = 0;
    int SetValue = 0;
    int RunSuit = SuitNone;

    // The meld's first card fixes what it builds: a set its value, a run
    // its suit.
    void Start(int value, int suit) {
        Started = true;
        if (Kind == kKindRun)
            RunSuit = suit;
        else
            SetValue = value;
    }
};

// The round's contract: which kinds the melds of each seat's group have,
// in slot order (runs before sets), and the status bar text.
struct Contract {
    int meldCount;           // melds per seat
    int kinds[3];            // kKindRun / kKindSet, slot order
    const char* text;
};

const Contract& ContractForRound(int round);  // round 1..7

// Cards dealt to each seat: 10 in rounds 1 to 3, 12 in rounds 4 to 7.
int CardsDealt(int round);

// First meld slot of a seat's group in the given round (groups are consecutive).
int FirstMeldSlot(int seat, int round);

// Letter shown on meld labels: P, W, N, E.
char SeatLetter(int seat);

}  // namespace meldora
