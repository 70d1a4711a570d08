// Seeded random runs of commands, typing and block operations: the record
// chain stays well formed after every step, and undoing everything brings
// back the starting text exactly (redoing everything, the latest one).
#include "editor/core/code_memo_model.h"
#include "editor/core/editor_commands.h"
#include "editor/core/memo_options.h"

#include <gtest/gtest.h>

#include <random>

namespace tarnwick {
namespace {

class ScratchClipboard : public TCodeMemoClipboard {
public:
    std::string text;
    bool HasText() const override { return !text.empty(); }
    std::string Text() const override { return text; }
    void Clear() override { text.clear(); }
    void PutText(std::string_view t) override { text = t; }
};

::testing::AssertionResult WellFormed(const TCodeMemoModel& model)
{
    int64_t chars = 0;
    int64_t count = 0;
    const TLineRec* prev = nullptr;
    for (const TLineRec* rec = model.First(); rec != nullptr; rec = rec->Next) {
        if (rec->Prev != prev || rec->Len == 0 || rec->Len > kMaxRecordLen)
            return ::testing::AssertionFailure() << "bad record " << count;
        if (rec->View().substr(0, rec->Len - 1u).find('\r') != std::string_view::npos)
            return ::testing::AssertionFailure() << "CR inside record " << count;
        if (rec->IsContinuation() != (prev != nullptr && !prev->EndsWithCR()))
            return ::testing::AssertionFailure() << "continuation mark on record " << count;
        chars += rec->Len;
        ++count;
        prev = rec;
    }
    if (chars != model.CharCount() || count != model.RecordCount())
        return ::testing::AssertionFailure() << "counts disagree";
    if (model.SelAnchor() < 0 || model.SelAnchor() > chars || model.SelCaret() < 0 ||
        model.SelCaret() > chars)
        return ::testing::AssertionFailure() << "selection outside the text";
    return ::testing::AssertionSuccess();
}

std::string RandomText(std::mt19937& rng)
{
    static const char kChars[] = "ab  \t\r-_'x(";
    std::uniform_int_distribution<int> length(0, 60);
    std::uniform_int_distribution<size_t> pick(0, sizeof kChars - 2);
    std::string text;
    for (int i = length(rng); i > 0; --i)
        text.push_back(kChars[pick(rng)]);
    // Now and then a line long enough to be held in continuation records.
    if (rng() % 8 == 0)
        text.insert(text.size() / 2, std::string(2047 + rng() % 2100, 'w'));
    return text;
}

TEST(CommandsRandom, ChainStaysWellFormedAndUndoRestoresEverything)
{
    const uint32_t optionBits[] = {smoAutoIndent, smoTabToColumn, smoUseTAB, smoSmartFill,
                                   smoCaretAfterEOL, smoColumnTrack, smoWordWrap};
    static const char kKeys[] = "a \t\r\nx-(";
    for (uint32_t seed = 1; seed <= 150; ++seed) {
        std::mt19937 rng(seed);
        TCodeMemoModel model;
        ScratchClipboard clip;
        model.Clipboard = &clip;
        model.VisibleLines = 3;
        for (const uint32_t bit : optionBits) {
            if (rng() % 2 != 0)
                model.Options |= bit;
        }
        model.SetIndentStep(static_cast<int>(rng() % 4) + 1);
        const std::string original = RandomText(rng);
        model.LoadFromText(original);
        const std::string start = model.Text();

        for (int step = 0; step < 200; ++step) {
            switch (rng() % 6) {
            case 0:
            case 1:
                model.ExecuteCommand(static_cast<int>(rng() % kCommandCount), rng() % 3 == 0);
                break;
            case 2:
            case 3:
                model.KeyPress(kKeys[rng() % (sizeof kKeys - 1)]);
                break;
            case 4: {
                const auto count = static_cast<uint32_t>(model.CharCount() + 1);
                model.SetSelection(rng() % count, rng() % count);
                break;
            }
            default:
                if (rng() % 4 == 0) {
                    const auto count = static_cast<uint32_t>(model.CharCount() + 1);
                    model.DropText(rng() % count, model.SelText(), rng() % 2 == 0);
                } else if (rng() % 3 == 0)
                    model.SelectWord();
                else if (rng() % 2 == 0)
                    model.IndentBlock(static_cast<int>(rng() % 3) + 1, rng() % 2 == 0);
                else
                    model.UnindentBlock(static_cast<int>(rng() % 3) + 1);
                break;
            }
            ASSERT_TRUE(WellFormed(model)) << "seed " << seed << " step " << step;
        }
        // The log's top is the latest state (an undo in the run leaves
        // redo entries above the current one).
        while (model.CanRedo())
            model.Redo();
        const std::string final = model.Text();
        while (model.CanUndo())
            model.Undo();
        ASSERT_EQ(model.Text(), start) << "seed " << seed;
        ASSERT_TRUE(WellFormed(model)) << "seed " << seed;
        while (model.CanRedo())
            model.Redo();
        ASSERT_EQ(model.Text(), final) << "seed " << seed;
    }
}

}  // namespace
}  // namespace tarnwick
