// The robots' seven contracts. Each round has a fixed list of ways to make
// its melds from the hand, tried in order: ways without Jokers first, then
// those needing three or two free Jokers, then those needing one. The first
// way that produces every meld is checked and, if sound, laid on the table.

#include "game/Game.h"
#include "game/Guard.h"
#include "robots/ContractPlan.h"
#include "robots/Robots.h"

namespace meldora {

namespace {

// How many free Jokers a way needs before it is tried.
enum class Jokers { Any, AtLeast1, AtLeast2, Exactly1, Exactly3 };

// Where one meld of a way comes from.
enum class Source {
    NaturalRun,     // four cards in sequence
    AceHighRun,     // Jack, Queen, King and an Ace above them
    ThreePlusJoker, // three in sequence and a Joker at one end
    GapPlusJoker,   // two in sequence, one two steps away, a Joker between
    NaturalSet,     // three of one value: Aces, else King down to Two
    LowestSet,      // like NaturalSet, but the lowest value below the Aces wins
    PairPlusJoker,  // two of one value and a Joker
    PairOnly,       // two of one value; laid only if a third one is in hand
};

bool IsRunSource(Source s) {
    return s == Source::NaturalRun || s == Source::AceHighRun ||
           s == Source::ThreePlusJoker || s == Source::GapPlusJoker;
}

struct Way {
    Jokers need;
    Source melds[3];  // in contract order: runs, then sets
};

struct RoundContract {
    const char* routine;       // named in error reports
    const char* announcement;
    int meldCount;
    const Way* ways;
    int wayCount;
    bool checkSetsInEachWay;   // a way whose sets fail the check counts as failed
    int runCheckOrder[3];      // run slots in the order they are checked, 0 ends
};

using S = Source;
using J = Jokers;

const Way kWays1[] = {
    {J::Any, {S::NaturalSet, S::NaturalSet}},
    {J::AtLeast2, {S::PairPlusJoker, S::PairPlusJoker}},
    {J::AtLeast1, {S::NaturalSet, S::PairPlusJoker}},
};

const Way kWays2[] = {
    {J::Any, {S::NaturalRun, S::NaturalSet}},
    {J::AtLeast1, {S::ThreePlusJoker, S::LowestSet}},
    {J::Any, {S::AceHighRun, S::NaturalSet}},
    {J::AtLeast1, {S::GapPlusJoker, S::NaturalSet}},
    {J::AtLeast2, {S::GapPlusJoker, S::PairPlusJoker}},
    {J::AtLeast2, {S::ThreePlusJoker, S::PairPlusJoker}},
    {J::AtLeast1, {S::NaturalRun, S::PairPlusJoker}},
    {J::AtLeast1, {S::AceHighRun, S::PairPlusJoker}},
};

const Way kWays3[] = {
    {J::Any, {S::AceHighRun, S::NaturalRun}},
    {J::Any, {S::NaturalRun, S::NaturalRun}},
    {J::AtLeast2, {S::ThreePlusJoker, S::ThreePlusJoker}},
    {J::AtLeast2, {S::ThreePlusJoker, S::NaturalRun}},
    {J::AtLeast2, {S::GapPlusJoker, S::NaturalRun}},
    {J::AtLeast2, {S::GapPlusJoker, S::GapPlusJoker}},
    {J::AtLeast1, {S::ThreePlusJoker, S::NaturalRun}},
    {J::AtLeast1, {S::AceHighRun, S::ThreePlusJoker}},
    {J::AtLeast1, {S::GapPlusJoker, S::NaturalRun}},
};

const Way kWays4[] = {
    {J::Any, {S::NaturalSet, S::NaturalSet, S::NaturalSet}},
    {J::Exactly3, {S::PairPlusJoker, S::PairPlusJoker, S::PairPlusJoker}},
    {J::AtLeast2, {S::NaturalSet, S::PairPlusJoker, S::PairPlusJoker}},
    {J::AtLeast1, {S::NaturalSet, S::NaturalSet, S::PairPlusJoker}},
};

const Way kWays5[] = {
    {J::Any, {S::NaturalRun, S::NaturalSet, S::NaturalSet}},
    {J::Any, {S::AceHighRun, S::NaturalSet, S::PairPlusJoker}},
    {J::Exactly3, {S::ThreePlusJoker, S::PairPlusJoker, S::PairPlusJoker}},
    {J::Exactly3, {S::GapPlusJoker, S::PairPlusJoker, S::PairOnly}},
    {J::AtLeast2, {S::NaturalRun, S::PairPlusJoker, S::PairPlusJoker}},
    {J::AtLeast2, {S::ThreePlusJoker, S::NaturalSet, S::PairPlusJoker}},
    {J::AtLeast2, {S::AceHighRun, S::PairPlusJoker, S::PairPlusJoker}},
    {J::AtLeast2, {S::GapPlusJoker, S::PairPlusJoker, S::NaturalSet}},
    {J::Exactly1, {S::NaturalRun, S::PairPlusJoker, S::NaturalSet}},
    {J::AtLeast1, {S::ThreePlusJoker, S::NaturalSet, S::NaturalSet}},
    {J::AtLeast1, {S::NaturalRun, S::NaturalSet, S::PairPlusJoker}},
    {J::AtLeast1, {S::GapPlusJoker, S::NaturalSet, S::NaturalSet}},
};

const Way kWays6[] = {
    {J::Any, {S::NaturalRun, S::NaturalRun, S::NaturalSet}},
    {J::Any, {S::AceHighRun, S::NaturalRun, S::NaturalSet}},
    {J::Exactly3, {S::GapPlusJoker, S::GapPlusJoker, S::PairPlusJoker}},
    {J::Exactly3, {S::ThreePlusJoker, S::ThreePlusJoker, S::PairPlusJoker}},
    {J::Exactly3, {S::GapPlusJoker, S::ThreePlusJoker, S::PairPlusJoker}},
    {J::AtLeast2, {S::GapPlusJoker, S::GapPlusJoker, S::NaturalSet}},
    {J::AtLeast2, {S::NaturalRun, S::ThreePlusJoker, S::PairPlusJoker}},
    {J::AtLeast2, {S::ThreePlusJoker, S::ThreePlusJoker, S::NaturalSet}},
    {J::AtLeast2, {S::GapPlusJoker, S::NaturalRun, S::PairPlusJoker}},
    {J::AtLeast2, {S::AceHighRun, S::ThreePlusJoker, S::PairPlusJoker}},
    {J::AtLeast1, {S::NaturalRun, S::NaturalRun, S::PairPlusJoker}},
    {J::AtLeast1, {S::NaturalRun, S::ThreePlusJoker, S::NaturalSet}},
    {J::AtLeast1, {S::GapPlusJoker, S::NaturalRun, S::NaturalSet}},
    {J::AtLeast1, {S::AceHighRun, S::ThreePlusJoker, S::NaturalSet}},
};

const Way kWays7[] = {
    {J::Any, {S::NaturalRun, S::NaturalRun, S::NaturalRun}},
    {J::Any, {S::AceHighRun, S::NaturalRun, S::NaturalRun}},
    {J::Exactly3, {S::GapPlusJoker, S::GapPlusJoker, S::GapPlusJoker}},
    {J::Exactly3, {S::ThreePlusJoker, S::ThreePlusJoker, S::ThreePlusJoker}},
    {J::AtLeast2, {S::ThreePlusJoker, S::ThreePlusJoker, S::NaturalRun}},
    {J::AtLeast2, {S::GapPlusJoker, S::ThreePlusJoker, S::NaturalRun}},
    {J::AtLeast2, {S::AceHighRun, S::ThreePlusJoker, S::ThreePlusJoker}},
    {J::AtLeast2, {S::AceHighRun, S::ThreePlusJoker, S::NaturalRun}},
    {J::AtLeast1, {S::ThreePlusJoker, S::NaturalRun, S::NaturalRun}},
    {J::AtLeast1, {S::GapPlusJoker, S::NaturalRun, S::NaturalRun}},
    {J::AtLeast1, {S::AceHighRun, S::NaturalRun, S::ThreePlusJoker}},
};

template <int N>
constexpr int Count(const Way (&)[N]) { return N; }

const RoundContract kContracts[8] = {
    {"", "", 0, nullptr, 0, false, {0, 0, 0}},
    {"MakeContract1", " is making Contract number 1 of 2 Sets.", 2, kWays1, Count(kWays1),
     true, {0, 0, 0}},
    {"MakeContract2", " is going to make Contract number 2 of 1 Run and and 1 set .", 2,
     kWays2, Count(kWays2), false, {1, 0, 0}},
    {"MakeContract3", " is going to make Contract number 3 of two Runs.", 2, kWays3,
     Count(kWays3), false, {1, 2, 0}},
    {"MakeContract4", " is making contract number 4 of 3 Sets.", 3, kWays4, Count(kWays4),
     false, {0, 0, 0}},
    {"MakeContract5", " going to make Contract number 5 of 2 Sets and 1 Run", 3, kWays5,
     Count(kWays5), false, {1, 0, 0}},
    {"MakeContract6", " going to make Contract Number 6 of 2 Run and 1 Set", 3, kWays6,
     Count(kWays6), false, {2, 1, 0}},
    {"MakeContract7", " going to make Contract Number 7 of 3 Runs.", 3, kWays7,
     Count(kWays7), false, {1, 2, 3}},
};

bool JokersAllow(Jokers need, int free) {
    switch (need) {
        case Jokers::Any: return true;
        case Jokers::AtLeast1: return free >= 1;
        case Jokers::AtLeast2: return free >= 2;
        case Jokers::Exactly1: return free == 1;
        case Jokers::Exactly3: return free == 3;
    }
    return false;
}

// Aces first, then King down to Two; the first value found.
int SearchValue(Game& g, bool (*finder)(Game&, int)) {
    if (finder(g, 1)) return 1;
    for (int v = 13; v >= 2; --v) {
        if (finder(g, v)) return v;
    }
    return 0;
}

// Aces first; otherwise every set from King down to Two is taken and the
// lowest of them wins.
int SearchLowestSet(Game& g) {
    if (CheckFor3Same(g, 1)) return 1;
    int lowest = 0;
    for (int v = 13; v >= 2; --v) {
        if (CheckFor3Same(g, v)) lowest = v;
    }
    return lowest;
}

// Records run slot k from one source; true when the slot holds a run.
bool FindRun(Game& g, int seat, int slot, Source source) {
    switch (source) {
        case Source::NaturalRun:
            if (slot == 1) CheckForRunOne(g, seat);
            if (slot == 2) CheckForRunTwo(g, seat);
            if (slot == 3) CheckForRunThree(g, seat);
            break;
        case Source::AceHighRun:
            CheckForAceHighRun(g, seat, slot);
            break;
        case Source::ThreePlusJoker:
            // AddJokertoRun marks the slot found once a Joker completes it.
            if (CheckForRunof3(g, seat, slot)) AddJokertoRun(g, seat, slot);
            break;
        case Source::GapPlusJoker:
            for (int suit : {SuitDiamonds, SuitSpades, SuitHearts, SuitClubs}) {
                if (CheckInBetweenCardPlusJoker(g, seat, slot, suit)) break;
            }
            break;
        default:
            break;
    }
    return g.RunFound[seat][slot];
}

// The value a set search settled on, 0 when it found none.
int FindSet(Game& g, Source source) {
    switch (source) {
        case Source::NaturalSet: return SearchValue(g, CheckFor3Same);
        case Source::LowestSet: return SearchLowestSet(g);
        case Source::PairPlusJoker: {
            const int v = SearchValue(g, CheckFor2Same);
            if (v > 0) AddJokertoSet(g, v);
            return v;
        }
        case Source::PairOnly: return SearchValue(g, CheckFor2Same);
        default: return 0;
    }
}

// Tries one way from clean marks; fills the contract's melds in order and
// stops at the first one missing.
bool TryWay(Game& g, int seat, const Way& way, int meldCount, PlannedMeld* plan) {
    ClearInSetInRun(g, seat);
    int runSlot = 0;
    for (int i = 0; i < meldCount; ++i) plan[i] = PlannedMeld{};
    for (int i = 0; i < meldCount; ++i) {
        const Source source = way.melds[i];
        if (IsRunSource(source)) {
            plan[i].kind = kKindRun;
            plan[i].runSlot = ++runSlot;
            if (!FindRun(g, seat, runSlot, source)) return false;
        } else {
            plan[i].kind = kKindSet;
            plan[i].setValue = FindSet(g, source);
            if (plan[i].setValue < 1) return false;
        }
    }
    return true;
}

// Every set value checked against the runs; every check runs.
bool SetsPass(Game& g, int seat, const PlannedMeld* plan, int meldCount) {
    bool pass = true;
    for (int i = 0; i < meldCount; ++i) {
        if (plan[i].kind == kKindSet && !CheckSetNotInRuns(g, plan[i].setValue, seat)) {
            pass = false;
        }
    }
    return pass;
}

// Every run slot checked in the contract's order, then the sets.
bool ContractPasses(Game& g, int seat, const RoundContract& c, const PlannedMeld* plan) {
    bool pass = true;
    for (int slot : c.runCheckOrder) {
        if (slot != 0 && !FinalCheckRuns(g, seat, slot)) pass = false;
    }
    if (!SetsPass(g, seat, plan, c.meldCount)) pass = false;
    return pass;
}

// When no contract went down, the later rounds leave the marks of their
// runs and sets for the discard choice, on top of the last way's marks.
void LeaveMarksForDiscard(Game& g, int seat, int round) {
    if (round == 5) {
        CheckForRunOne(g, seat);
        for (int v = 1; v <= 13; ++v) CheckFor3Same(g, v);
    } else if (round == 6) {
        CheckForRunof3(g, seat, 1);
        CheckForRunOne(g, seat);
        CheckForRunTwo(g, seat);
        CheckForRunThree(g, seat);
        for (int v = 1; v <= 13; ++v) CheckFor3Same(g, v);
    } else if (round == 7) {
        CheckForRunof3(g, seat, 1);
        CheckForRunof3(g, seat, 2);
        CheckForRunOne(g, seat);
        CheckForRunTwo(g, seat);
        CheckForRunThree(g, seat);
    }
}

void MakeContract(Game& g, int seat, int round) {
    const RoundContract& c = kContracts[round];
    Guarded(g, c.routine, [&] {
        if (g.RoundOver || g.GameOver || seat < 1 || seat > 3) return;
        SetRobotMeldSlots(g, seat);
        g.CollectHand(seat);
        g.SortHandCardsByValue();
        const int freeJokers = CountFreeJokers(g, seat);

        PlannedMeld plan[3];
        bool found = false;
        for (int w = 0; w < c.wayCount && !found; ++w) {
            const Way& way = c.ways[w];
            if (!JokersAllow(way.need, freeJokers)) continue;
            if (!TryWay(g, seat, way, c.meldCount, plan)) continue;
            found = !c.checkSetsInEachWay || SetsPass(g, seat, plan, c.meldCount);
        }

        bool sound = found && (c.checkSetsInEachWay || ContractPasses(g, seat, c, plan));
        // The checks look at each meld alone; the dry run makes sure the
        // melds together take exactly their own cards from the hand.
        if (sound) sound = ContractLaysCleanly(g, seat, plan, c.meldCount);
        if (!sound) {
            LeaveMarksForDiscard(g, seat, round);
            return;
        }

        AnnounceContract(g, seat, round);
        const int slots[3] = {g.MeldSlotA, g.MeldSlotB, g.MeldSlotC};
        for (int i = 0; i < c.meldCount; ++i) {
            if (plan[i].kind == kKindRun) {
                MakeContractRun(g, seat, slots[i], plan[i].runSlot);
            } else {
                MakeContractSet(g, seat, slots[i], plan[i].setValue,
                               NaturalsToLeave(plan, c.meldCount, i));
            }
        }
        g.ContractThisTurn = true;
    });
}

}  // namespace

void AnnounceContract(Game& g, int seat, int round) {
    if (round < 1 || round > 7) return;
    g.Say(g.SeatName(seat) + " lays the contract", SpeechKind::Robot);
    g.ShowSeatText(seat, kContracts[round].announcement);
}

void MakeContract1(Game& g, int seat) { MakeContract(g, seat, 1); }
void MakeContract2(Game& g, int seat) { MakeContract(g, seat, 2); }
void MakeContract3(Game& g, int seat) { MakeContract(g, seat, 3); }
void MakeContract4(Game& g, int seat) { MakeContract(g, seat, 4); }
void MakeContract5(Game& g, int seat) { MakeContract(g, seat, 5); }
void MakeContract6(Game& g, int seat) { MakeContract(g, seat, 6); }
void MakeContract7(Game& g, int seat) { MakeContract(g, seat, 7); }

}  // namespace meldora
