// Incremental highlighting in the widget: the active scheme's pass over the
// records that changed, with the window's visible range.
#include "editor/code_memo.h"

#include <QCoreApplication>

namespace tarnwick {

namespace {

constexpr int kBusyRounds = 200;

// Marks a pass as running for its whole extent, exceptions included.
struct TRunning {
    bool& Flag;
    explicit TRunning(bool& flag) : Flag(flag) { Flag = true; }
    ~TRunning() { Flag = false; }
};

} // namespace

THighlightPass* TCustomCodeMemo::Pass()
{
    TCustomCodeMemoParser* scheme = slots_.ActiveScheme();
    // No second pass starts while one waits for a busy scheme.
    if (passRunning_ || scheme == nullptr || (model_.Options & smoSyntaxHighlight) == 0)
        return nullptr;
    if (pass_ == nullptr || passScheme_ != scheme) {
        pass_ = std::make_unique<THighlightPass>(*scheme, &slots_);
        passScheme_ = scheme;
        // Another editor left the shared scheme inside a container: window
        // messages are dispatched so its pass can finish first. User input
        // is held back meanwhile (a key here would edit the text under the
        // pass), and the wait is bounded, so a scheme that never becomes
        // free cannot hang the editor; the pass then starts anyway (it
        // resets the tokenizer).
        pass_->ProcessMessages = [this] {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
            return ++busyRounds_ < kBusyRounds;
        };
    }
    return pass_.get();
}

void TCustomCodeMemo::Highlight(int64_t firstChanged)
{
    THighlightPass* pass = Pass();
    TLineRec* first = model_.Store().First();
    if (pass == nullptr || first == nullptr)
        return;
    const TLineLoc at = model_.LineByIndex(firstChanged);
    THighlightSpan span;
    span.Changed = at.Rec;
    span.ChangedStart = at.Start;
    span.ChangedIndex = at.Index;
    span.FirstVisible = model_.TopLine();
    span.LastVisible = model_.TopLine() + model_.VisibleLines;
    busyRounds_ = 0;
    pass->OnTokenSeen = OnTokenSeen;
    const TRunning running(passRunning_);
    pass->Run(first, model_.CharCount(), span);
}

void TCustomCodeMemo::RecolourFrom(int64_t line)
{
    Highlight(line);
    Refresh();
}

void TCustomCodeMemo::RecolourAll()
{
    THighlightPass* pass = Pass();
    TLineRec* first = model_.Store().First();
    busyRounds_ = 0;
    if (pass != nullptr)
        pass->OnTokenSeen = OnTokenSeen;
    if (pass != nullptr && first != nullptr) {
        const TRunning running(passRunning_);
        pass->RunAll(first, model_.CharCount());
    }
    RepaintAll();
}

// ---------------------------------------------------------------- export

void TCustomCodeMemo::ColourLines(TLineRec* /*first*/)
{
    RecolourAll();
}

uint8_t TCustomCodeMemo::EffectOfToken(uint8_t tokenValue) const
{
    const TSM_Settings& settings = const_cast<TCustomCodeMemo*>(this)->Settings();
    const uint8_t effect = settings.EffectMap[tokenValue];
    return settings.Effects[effect].Defined ? effect : uint8_t{0};
}

TTextEffect TCustomCodeMemo::Effect(uint8_t effect) const
{
    const TSM_Settings& settings = const_cast<TCustomCodeMemo*>(this)->Settings();
    const auto rgb = [](const QColor& colour) {
        return static_cast<int32_t>(static_cast<uint32_t>(colour.red()) |
                                    static_cast<uint32_t>(colour.green()) << 8 |
                                    static_cast<uint32_t>(colour.blue()) << 16);
    };
    TTextEffect out;
    out.Fore = rgb(EffectFore(effect));
    out.Back = rgb(EffectBack(effect));
    out.Style = settings.Effects[effect].Style;
    out.Defined = settings.Effects[effect].Defined;
    return out;
}

} // namespace tarnwick
