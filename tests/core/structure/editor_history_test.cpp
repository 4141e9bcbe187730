// Undo history kept by the editor's gestures, bond raising, capacity refusals, and long gesture
// sequences that must keep the tables consistent.
#include "editor_test_support.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace qzx::test {
namespace {

using EditorHistory = EditorTest;
constexpr KeyModifiers kShift{true, false, false};

TEST_F(EditorHistory, AppendingEditsSaveAllFourCountersFirst) {
    const std::vector<std::pair<const char*, std::function<void()>>> edits = {
        {"benzene",
         [&] {
             drag(kToolBenzene, {100, 100}, {100, 100});
         }},
        {"methyl",
         [&] {
             drag(kToolSingleBond, {100, 100}, {100, 40});
         }},
        {"chain",
         [&] {
             drag(kToolChain, {100, 40}, {200, 40});
         }},
        {"nitro",
         [&] {
             drag(kToolNitro, {80, 140}, {20, 140});
         }},
        {"hydroxyl",
         [&] {
             drag(kToolHydroxyl, {100, 160}, {100, 220});
         }},
        {"fused benzene",
         [&] {
             drag(kToolBenzene, {141, 101}, {141, 101});
         }},
        {"cyclohexane",
         [&] {
             drag(kToolCyclohexane, {400, 300}, {400, 300}, kShift);
         }},
        {"lone atom",
         [&] {
             drag(kToolElement, {500, 500}, {500, 500}, kShift);
         }},
        {"aromatize",
         [&] {
             select({350, 290}, {450, 370});
             editor.key(EditorKey::A);
         }},
    };
    for (const auto& [name, edit] : edits) {
        const TableCounts before = s.count;
        const Snapshot picture = snapshot(s);
        edit();
        EXPECT_EQ(s.saved, before) << name;
        EXPECT_EQ(s.undo.kind, UndoRecord::Appended) << name;
        ASSERT_NE(s.count, before) << name;
        EXPECT_EQ(tableFaults(s, BondEnds::AsDrawn), "") << name;
        editor.undoRedo();
        EXPECT_EQ(snapshot(s), picture) << name << ": undo takes exactly this edit away";
        editor.undoRedo();
    }
}

TEST_F(EditorHistory, UndoAndRedoRestoreIdenticalTables) {
    drag(kToolSingleBond, {100, 100}, {160, 100});
    for (const std::function<void()>& edit :
         std::vector<std::function<void()>>{[&] {
                                                drag(kToolSingleBond, {160, 100}, {160, 160});
                                            },
                                            [&] {
                                                drag(kToolBenzene, {300, 300}, {300, 300}, kShift);
                                            },
                                            [&] {
                                                drag(kToolBenzene, {341, 301}, {341, 301});
                                            }}) {
        const Snapshot before = snapshot(s);
        edit();
        const Snapshot after = snapshot(s);
        editor.undoRedo();
        EXPECT_EQ(snapshot(s), before);
        EXPECT_TRUE(editor.undoShowsRedo());
        editor.undoRedo();
        EXPECT_EQ(snapshot(s), after);
        EXPECT_FALSE(editor.undoShowsRedo());
    }
}

TEST_F(EditorHistory, InPlaceChangesAndRefusalsLeaveNoStaleRedo) {
    const std::vector<std::pair<const char*, std::function<void()>>> actions = {
        {"valence click",
         [&] {
             editor.chooseValence(true);
             click({100, 100});
             editor.chooseValence(true);
         }},
        {"move",
         [&] {
             select({90, 90}, {110, 110});
             drag(0, {100, 100}, {100, 120});
         }},
        {"refused click",
         [&] {
             drag(kToolSingleBond, {100, 100}, {102, 102});
         }},
        {"refused press",
         [&] {
             drag(kToolTripleBond, {160, 100}, {160, 200});
         }},
        {"reduced bond",
         [&] {
             editor.startReduceBond();
             click({130, 100});
         }},
    };
    for (const auto& [name, action] : actions) {
        s.clear();
        editor.reset();
        drag(kToolDoubleBond, {100, 100}, {160, 100});
        drag(kToolSingleBond, {160, 100}, {220, 100});
        editor.undoRedo();
        ASSERT_TRUE(editor.undoShowsRedo());
        action();
        EXPECT_EQ(s.saved, s.count) << name;
        EXPECT_FALSE(editor.undoShowsRedo()) << name;
        const Snapshot now = snapshot(s);
        editor.undoRedo();
        EXPECT_EQ(snapshot(s), now) << name << ": nothing left to redo";
        EXPECT_EQ(tableFaults(s, BondEnds::AsDrawn), "") << name;
    }
}

TEST_F(EditorHistory, DrawingGesturesStartANewHistory) {
    drag(kToolSingleBond, {100, 100}, {160, 100});
    editor.setTool(kToolElement);
    editor.setCurrentElement(4);
    click({160, 100});
    editor.undoRedo();
    ASSERT_EQ(atomCounts(s), "C2 H6");
    ASSERT_TRUE(editor.undoShowsRedo());
    drag(kToolSingleBond, {160, 100}, {160, 160});
    EXPECT_FALSE(editor.undoShowsRedo());
    EXPECT_EQ(s.undo.kind, UndoRecord::Appended);
    editor.undoRedo();
    EXPECT_EQ(atomCounts(s), "C2 H6") << "the bond goes, the old element change is not redone";
}

TEST_F(EditorHistory, SingleBondOverABondRaisesItUpToTriple) {
    drag(kToolSingleBond, {100, 100}, {160, 100});
    drag(kToolSingleBond, {100, 100}, {158, 101});
    EXPECT_EQ(s.bond(1).Order, 2);
    EXPECT_EQ(s.undo, (UndoRecord{UndoRecord::BondRaised, 1, 1, 0}));
    drag(kToolSingleBond, {100, 100}, {158, 101});
    EXPECT_EQ(atomCounts(s), "C2 H2");
    editor.undoRedo();
    EXPECT_EQ(atomCounts(s), "C2 H4");
    editor.undoRedo();
    EXPECT_EQ(s.bond(1).Order, 3);
    const Snapshot ethyne = snapshot(s);
    EXPECT_EQ(drag(kToolSingleBond, {100, 100}, {158, 101}).errorSignals, 1);
    EXPECT_EQ(drag(kToolTripleBond, {100, 100}, {158, 101}).errorSignals, 1);
    EXPECT_EQ(drag(kToolHydroxyl, {100, 100}, {158, 101}).errorSignals, 0);
    EXPECT_EQ(snapshot(s), ethyne) << "another tool over the bond gives the hydrogens back";

    drag(kToolBenzene, {300, 300}, {300, 300}, kShift);
    const Snapshot benzene = snapshot(s);
    EXPECT_EQ(drag(kToolSingleBond, {300, 300}, {281, 321}).errorSignals, 1);
    EXPECT_EQ(snapshot(s), benzene) << "an aromatic bond is not raised";
}

TEST_F(EditorHistory, EditsBeyondTheTablesAreRefusedUnchanged) {
    drag(kToolSingleBond, {100, 100}, {160, 100});
    while (s.count.atoms < kMaxAtoms - 1)
        s.appendItem(kAtomItem, s.appendAtom(Atom{1, 1000, 1000, 4, 1, 1}));
    const Snapshot full = snapshot(s);
    EXPECT_EQ(drag(kToolCyclohexane, {300, 300}, {300, 300}, kShift).errorSignals, 1);
    EXPECT_EQ(drag(kToolChain, {160, 100}, {160, 400}).errorSignals, 1);
    EXPECT_EQ(drag(kToolNitro, {160, 100}, {160, 160}).errorSignals, 1);
    EXPECT_EQ(snapshot(s), full);
    EXPECT_EQ(drag(kToolSingleBond, {160, 100}, {160, 160}).errorSignals, 0);
    const Snapshot last = snapshot(s);
    EXPECT_EQ(drag(kToolSingleBond, {160, 160}, {160, 220}).errorSignals, 1);
    EXPECT_EQ(drag(kToolElement, {50, 50}, {50, 50}, kShift).errorSignals, 1);
    select({900, 900}, {1100, 1100}); // 897 atoms: more than a selection holds
    EXPECT_FALSE(editor.selectionPresent());
    EXPECT_EQ(snapshot(s), last);
}

/// Random but repeatable gestures, modes and keys; after every step the tables must hold
/// together, and a step that signals a refusal must leave them as they were.
TEST_F(EditorHistory, RandomGestureSequencesKeepTheTablesConsistent) {
    for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        s.clear();
        editor.reset();
        std::uint32_t state = seed;
        const auto next = [&](int n) {
            state = state * 1664525u + 1013904223u;
            return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(n));
        };
        const auto point = [&]() -> PixelPoint {
            if (s.count.atoms > 0 && next(3) != 0) {
                const PixelPoint a = at(1 + next(s.count.atoms));
                return {a.x + next(41) - 20, a.y + next(41) - 20};
            }
            return {60 + next(400), 60 + next(400)};
        };
        for (int step = 0; step < 700; ++step) {
            const Snapshot before = snapshot(s);
            const int action = next(100);
            int signals = 0;
            if (action < 55) {
                const int tool = 1 + next(22);
                editor.setCurrentElement(std::vector<int>{1, 3, 4, 5, 6, 11, 16}[next(7)]);
                const PixelPoint from = point();
                const PixelPoint to = point();
                const KeyModifiers modifiers{next(5) == 0, next(9) == 0, false};
                const EditorEffects fx = drag(tool, from, to, modifiers);
                signals = fx.errorSignals + fx.plainBeeps;
            } else if (action < 62) {
                const bool add = next(2) == 0;
                editor.chooseValence(add);
                signals = click(point()).errorSignals;
                editor.chooseValence(add);
            } else if (action < 74) {
                const PixelPoint from = point();
                select(from, point());
                const EditorKey keys[] = {EditorKey::Delete, EditorKey::R, EditorKey::U,
                                          EditorKey::A, EditorKey::Escape};
                const int choice = next(6);
                if (choice == 5 && editor.selectionPresent()) {
                    const PixelPoint corner = editor.preview().points.front();
                    drag(0, {corner.x + 1, corner.y + 1}, point());
                } else {
                    editor.key(keys[choice % 5]);
                }
            } else if (action < 82) {
                editor.undoRedo();
            } else if (action < 86) {
                editor.startReduceBond();
                click(point());
            } else if (action < 89) {
                editor.setShowAllAtoms(next(2) == 0);
            } else if (action < 97) {
                // A gesture cut short by a mode change, a key or the right button.
                editor.setTool(1 + next(22));
                const PixelPoint from = point();
                editor.press(from.x, from.y, MouseButton::Left, {});
                editor.move(from.x + 30, from.y + 30, {});
                const int interrupt = next(4);
                if (interrupt == 0)
                    editor.startReduceBond();
                else if (interrupt == 1)
                    editor.undoRedo();
                else if (interrupt == 2)
                    editor.press(from.x, from.y, MouseButton::Right, {});
                else
                    editor.key(EditorKey::Escape);
                editor.release(from.x + 30, from.y + 30, MouseButton::Left, {});
                editor.key(EditorKey::Escape);
            } else {
                s.clear();
                editor.reset();
            }
            ASSERT_EQ(tableFaults(s, BondEnds::AsDrawn), "") << "seed " << seed << " step " << step;
            if (signals != 0) {
                ASSERT_EQ(snapshot(s), before) << "seed " << seed << " step " << step;
            }
        }
    }
}

} // namespace
} // namespace qzx::test

namespace qzx {
namespace {

using FusedRingHistory = test::EditorTest;

TEST_F(FusedRingHistory, UndoingABenzeneFusedOntoCyclohexaneGivesTheSharedBondItsRingBack) {
    drag(kToolCyclohexane, {300, 600}, {300, 600});
    const std::vector<Bond> plainRing(s.Tax.begin() + 1, s.Tax.begin() + 1 + s.count.bonds);
    drag(kToolBenzene, {342, 603}, {342, 603});
    ASSERT_EQ(test::atomCounts(s), "C10 H12") << "tetralin";
    ASSERT_TRUE(editor.undoRedo().repaint);
    EXPECT_EQ(test::atomCounts(s), "C6 H12");
    // Every bond of the cyclohexane is again the bond the ring tool drew, the shared one with
    // the ring centre x 300 rather than the benzene's.
    for (std::size_t row = 1; row <= plainRing.size(); ++row)
        EXPECT_EQ(s.bond(static_cast<int>(row)), plainRing[row - 1]) << row;
    // A double bond drawn over the shared bond then lies inside the cyclohexane.
    drag(kToolSingleBond, {320, 620}, {319, 638});
    int raised = 0;
    for (int row = 1; row <= s.count.bonds; ++row)
        if (s.bond(row).Order == 2) raised = row;
    ASSERT_NE(raised, 0);
    EXPECT_EQ(s.bond(raised).RingX, 300);
}

} // namespace
} // namespace qzx
