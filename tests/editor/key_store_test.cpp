// Key bindings: matching sequences, collisions, lookups, the stream form and
// the default assignments.
#include "editor/core/code_templates.h"
#include "editor/core/editor_commands.h"
#include "editor/core/keyboard_controller.h"
#include "platform/string_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tarnwick {
namespace {

struct TPress {
    uint16_t key;
    TShiftState shift;
};

// Feeds presses through the movement-shift split and the controller the way
// the key-down handler does; returns the commands run and whether the last
// press was handled.
struct TRun {
    std::vector<int> commands;
    bool lastHandled = false;
    bool lastExtend = false;
};

TRun Press(TKeyboardActionContoller& controller, const std::vector<TPress>& presses)
{
    TRun run;
    controller.OnRecognised = [&run](int code) { run.commands.push_back(code); };
    for (TPress press : presses) {
        TShiftState shift = press.shift;
        SplitMovementShift(press.key, shift, run.lastExtend);
        uint16_t key = press.key;
        controller.ProcessKey(key, shift, run.lastHandled);
        if (run.lastHandled) {
            EXPECT_EQ(key, 0);
            EXPECT_EQ(shift, 0);
        }
    }
    controller.OnRecognised = nullptr;
    return run;
}

TEST(KeyboardController, DefaultBindingsRunTheirCommands)
{
    struct TRow {
        const char* name;
        std::vector<TPress> presses;
        std::vector<int> commands;
        bool lastHandled;
        bool extend;
    };
    const std::vector<TRow> rows = {
        {"ctrl_k_then_i_indents", {{VK_K, ssCtrl}, {VK_I, 0}}, {caBLOCKIND}, true, false},
        {"second_key_ignores_shift", {{VK_K, ssCtrl}, {VK_I, ssShift}}, {caBLOCKIND}, true, true},
        {"second_key_ignores_ctrl", {{VK_K, ssCtrl}, {VK_U, ssCtrl}}, {caBLOCKUND}, true, false},
        {"ctrl_k_then_x_lets_x_through", {{VK_K, ssCtrl}, {VK_X, 0}}, {}, false, false},
        {"sequence_resets_after_miss", {{VK_K, ssCtrl}, {VK_X, 0}, {VK_I, 0}}, {}, false, false},
        {"shift_right_moves_and_extends", {{VK_RIGHT, ssShift}}, {caRIGHT}, true, true},
        {"shift_ctrl_left_is_word_left", {{VK_LEFT, ssShift | ssCtrl}}, {caWORDLEFT}, true, true},
        {"ctrl_backspace_deletes_word", {{VK_BACK, ssCtrl}}, {caDELPREVWORD}, true, false},
        {"shift_ctrl_z_redoes", {{VK_Z, ssShift | ssCtrl}}, {caREDO}, true, true},
        {"ctrl_q_5_goes_to_bookmark", {{VK_Q, ssCtrl}, {VK_5, 0}}, {caGOTOBOOKMARK5}, true, false},
        {"ctrl_k_p_prints", {{VK_K, ssCtrl}, {VK_P, 0}}, {caPRINTSEL}, true, false},
        {"plain_letter_is_typed", {{VK_A, 0}}, {}, false, false},
        {"shift_delete_is_not_bound", {{VK_DELETE, ssShift}}, {}, false, true},
        {"two_commands_in_a_row", {{VK_HOME, 0}, {VK_END, ssCtrl}}, {caLINEHOME, caDOCEND}, true, false},
    };
    TKeyboardActionContoller controller;
    controller.Assign(DefaultKeyboardController());
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        controller.KeyStore().ResetMatch();
        const TRun run = Press(controller, row.presses);
        EXPECT_EQ(run.commands, row.commands);
        EXPECT_EQ(run.lastHandled, row.lastHandled);
        EXPECT_EQ(run.lastExtend, row.extend);
    }
}

TEST(KeyboardController, FirstKeyOfSequenceIsSwallowedWithoutRunning)
{
    TKeyboardActionContoller controller;
    controller.Assign(DefaultKeyboardController());
    const TRun run = Press(controller, {{VK_K, ssCtrl}});
    EXPECT_TRUE(run.lastHandled);
    EXPECT_TRUE(run.commands.empty());
    EXPECT_TRUE(controller.KeyStore().InSequence());
}

TEST(KeyboardController, CollisionsRaiseWithBothDescriptions)
{
    struct TRow {
        const char* name;
        TShortCut first;
        TShortCut second;
        const char* existing;
    };
    const std::vector<TRow> rows = {
        {"single_key_over_sequences", VK_K | scCtrl, 0, "Indent"},
        {"same_sequence_twice", VK_K | scCtrl, VK_I, "Indent"},
        {"same_sequence_other_modifiers", VK_K | scCtrl, VK_I | scShift, "Indent"},
        {"sequence_after_bound_key", VK_Y | scCtrl, VK_X, "Delete line"},
        {"same_single_key", VK_Y | scCtrl, 0, "Delete line"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        TKeyboardActionContoller controller;
        controller.SetDescription(caBLOCKIND, "Indent");
        controller.SetDescription(caBLOCKUND, "Unindent");
        controller.SetDescription(caDELETELINE, "Delete line");
        controller.SetDescription(caUNDO, "Mine");
        controller.AddBinding(VK_K | scCtrl, VK_I, caBLOCKIND);
        controller.AddBinding(VK_K | scCtrl, VK_U, caBLOCKUND);
        controller.AddBinding(VK_Y | scCtrl, 0, caDELETELINE);
        const auto before = controller.Bindings();
        try {
            controller.AddBinding(row.first, row.second, caUNDO);
            ADD_FAILURE() << "no collision reported";
        } catch (const EAmbigiousKeyPair& e) {
            EXPECT_EQ(e.Message(), std::string("Duplicate key sequence definition for\r\n\"Mine\" "
                                               "and \"") +
                                       row.existing + "\"");
        }
        EXPECT_EQ(controller.Bindings(), before);
    }
}

TEST(KeyboardController, FindBindingWalksEveryBindingOfACommand)
{
    TKeyboardActionContoller controller;
    controller.AddBinding(VK_F5, 0, caUNDO);
    controller.AddBinding(VK_K | scCtrl, VK_Z, caUNDO);
    controller.AddBinding(VK_Z | scCtrl, 0, caUNDO);
    controller.AddBinding(VK_F6, 0, caREDO);

    TShortCut first = 1, second = 1;
    std::vector<std::pair<TShortCut, TShortCut>> found;
    for (bool ok = controller.FindBinding(caUNDO, first, second); ok;
         ok = controller.FindNextBinding(caUNDO, first, second))
        found.emplace_back(first, second);
    // Siblings before children.
    const std::vector<std::pair<TShortCut, TShortCut>> expected = {
        {VK_F5, 0}, {VK_Z | scCtrl, 0}, {VK_K | scCtrl, VK_Z}};
    EXPECT_EQ(found, expected);
    EXPECT_FALSE(controller.FindNextBinding(caUNDO, first, second));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 0);
    EXPECT_FALSE(controller.FindBinding(caCUT, first, second));
    EXPECT_EQ(first, 0);
}

TEST(KeyboardController, DescriptionsReplaceTheLastOfTheirCode)
{
    TKeyboardActionContoller controller;
    controller.SetDescription(3, "three");
    controller.SetDescription(4, "four");
    controller.SetDescription(3, "drei");
    EXPECT_EQ(controller.GetDescription(3), "drei");
    EXPECT_EQ(controller.GetDescription(4), "four");
    EXPECT_EQ(controller.GetDescription(5), "");
    EXPECT_EQ(controller.Descriptions().size(), 2u);
    EXPECT_EQ(controller.Descriptions().back().first, 3);
}

std::vector<TKeyBinding> Sorted(std::vector<TKeyBinding> bindings)
{
    std::sort(bindings.begin(), bindings.end(), [](const TKeyBinding& a, const TKeyBinding& b) {
        return std::tie(a.FirstKey, a.SecondKey, a.Code) < std::tie(b.FirstKey, b.SecondKey, b.Code);
    });
    return bindings;
}

TEST(KeyboardController, StreamRoundTripKeepsBindingsAndDescriptions)
{
    const TKeyboardActionContoller& defaults = DefaultKeyboardController();
    const std::string bytes = defaults.SaveToString();

    TKeyboardActionContoller copy;
    copy.LoadFromString(bytes);
    EXPECT_EQ(Sorted(copy.Bindings()), Sorted(defaults.Bindings()));
    EXPECT_EQ(copy.Descriptions(), defaults.Descriptions());
    // Second keys are written after all first keys, so reading re-appends
    // the sequence keys; the bindings stay the same however often it runs.
    TKeyboardActionContoller again;
    again.LoadFromString(copy.SaveToString());
    EXPECT_EQ(Sorted(again.Bindings()), Sorted(defaults.Bindings()));
    EXPECT_EQ(again.SaveToString().size(), bytes.size());
}

// A second key of modifiers alone would be written as "no second key" and
// read back as a one-key binding clashing with the sequence.
TEST(KeyboardController, ModifierOnlySecondKeysAreNotBound)
{
    TKeyboardActionContoller controller;
    controller.AddBinding(VK_K | scCtrl, scCtrl, 5);
    controller.AddBinding(VK_K | scCtrl, VK_A, 6);
    ASSERT_EQ(controller.Bindings().size(), 1u);
    TKeyboardActionContoller copy;
    copy.LoadFromString(controller.SaveToString());
    EXPECT_EQ(copy.Bindings(), controller.Bindings());
}

TEST(KeyboardController, StreamLayoutIsLittleEndianWithShortStrings)
{
    TKeyboardActionContoller controller;
    controller.SetDescription(12, "Cut");
    controller.AddBinding(VK_X | scCtrl, 0, 12);
    controller.AddBinding(VK_K | scCtrl, VK_I | scShift, 17);
    const std::string expected("\x01\x00\x00\x00"
                               "\x0C\x00\x00\x00"
                               "\x03"
                               "Cut"
                               "\x02\x00\x00\x00"
                               "\x58\x40\x00\x00\x0C\x00\x00\x00"
                               "\x4B\x40\x49\x00\x11\x00\x00\x00",
                               32);
    EXPECT_EQ(controller.SaveToString(), expected);
}

TEST(KeyboardController, BadStreamsRaiseAndChangeNothing)
{
    TKeyboardActionContoller source;
    source.SetDescription(1, "one");
    source.AddBinding(VK_F1, 0, 1);
    source.AddBinding(VK_K | scCtrl, VK_1, 2);
    const std::string good = source.SaveToString();

    TKeyboardActionContoller target;
    target.Assign(DefaultKeyboardController());
    const std::string before = target.SaveToString();

    for (size_t length = 0; length < good.size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_THROW(target.LoadFromString(good.substr(0, length)), EReadError);
        EXPECT_EQ(target.SaveToString(), before);
    }
    struct TRow {
        const char* name;
        std::string bytes;
    };
    const std::vector<TRow> forged = {
        {"negative_description_count", std::string("\xFF\xFF\xFF\xFF", 4)},
        {"huge_description_count", std::string("\xFF\xFF\xFF\x7F", 4)},
        {"huge_binding_count", std::string("\0\0\0\0\x00\x00\x10\x00", 8)},
        {"description_longer_than_input", std::string("\x01\0\0\0\x01\0\0\0\xFF" "ab", 11)},
    };
    for (const TRow& row : forged) {
        SCOPED_TRACE(row.name);
        EXPECT_THROW(target.LoadFromString(row.bytes), EReadError);
        EXPECT_EQ(target.SaveToString(), before);
    }

    TKeyboardActionContoller duplicate;
    duplicate.SetDescription(1, "one");
    duplicate.SetDescription(2, "two");
    std::string dupBytes;
    TSMStreamWriter writer(dupBytes);
    writer.I32(0);
    writer.I32(2);
    for (int code : {1, 2}) {
        writer.U16(VK_F1);
        writer.U16(0);
        writer.I32(code);
    }
    EXPECT_THROW(target.LoadFromString(dupBytes), EAmbigiousKeyPair);
    EXPECT_EQ(target.SaveToString(), before);
}

TEST(KeyboardController, AssignFromAnotherClassIsRefused)
{
    TKeyboardActionContoller controller;
    controller.AddBinding(VK_F1, 0, 1);
    TCodeTemplates templates;
    try {
        controller.Assign(templates);
        ADD_FAILURE() << "assign accepted";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TCodeTemplates to a TKeyboardActionContoller");
    }
    EXPECT_EQ(controller.Bindings().size(), 1u);
}

TEST(KeyboardController, DefaultsCoverEveryCommandOnce)
{
    const TKeyboardActionContoller& defaults = DefaultKeyboardController();
    EXPECT_EQ(defaults.Descriptions().size(), static_cast<size_t>(kCommandCount));
    EXPECT_EQ(defaults.Bindings().size(), static_cast<size_t>(kCommandCount));
    for (int code = 0; code < kCommandCount; ++code) {
        SCOPED_TRACE(code);
        EXPECT_EQ(defaults.GetDescription(code), LoadStr(kCommandDescriptionBase + code));
        EXPECT_EQ(CommandFromName(CommandInfo(code)->Name), code);
    }
    EXPECT_EQ(CommandFromName("cagotobookmark7"), caGOTOBOOKMARK7);
    EXPECT_EQ(CommandFromName("caNOTHING"), -1);
    EXPECT_EQ(CommandInfo(kCommandCount), nullptr);
}

}  // namespace
}  // namespace tarnwick
