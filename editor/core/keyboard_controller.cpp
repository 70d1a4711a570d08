// The keyboard action controller, its stream format and the defaults.
#include "editor/core/keyboard_controller.h"

#include "editor/core/editor_commands.h"

#include <iterator>
#include <memory>

namespace tarnwick {

TKeyboardActionContoller::TKeyboardActionContoller() : keys_(this) {}

std::unique_ptr<TSM_Base> TKeyboardActionContoller::NewInstance() const
{
    return std::make_unique<TKeyboardActionContoller>();
}

std::string TKeyboardActionContoller::AssignErrorText(const TSM_Base& source) const
{
    return std::string("Cannot assign a ") + source.ClassName() + " to a " + ClassName();
}

void TKeyboardActionContoller::AddBinding(TShortCut firstKey, TShortCut secondKey, int code)
{
    keys_.AddBinding(firstKey, secondKey, code);
}

void TKeyboardActionContoller::SetDescription(int code, const std::string& text)
{
    for (auto it = descriptions_.rbegin(); it != descriptions_.rend(); ++it) {
        if (it->first == code) {
            descriptions_.erase(std::next(it).base());
            break;
        }
    }
    descriptions_.emplace_back(code, text);
}

std::string TKeyboardActionContoller::GetDescription(int code) const
{
    // The last item wins, matching SetDescription, which replaces the last.
    for (auto it = descriptions_.rbegin(); it != descriptions_.rend(); ++it)
        if (it->first == code)
            return it->second;
    return {};
}

bool TKeyboardActionContoller::FindBinding(int code, TShortCut& firstKey, TShortCut& secondKey)
{
    return keys_.FindBinding(code, firstKey, secondKey);
}

bool TKeyboardActionContoller::FindNextBinding(int code, TShortCut& firstKey,
                                               TShortCut& secondKey)
{
    return keys_.FindNextBinding(code, firstKey, secondKey);
}

void TKeyboardActionContoller::Clear()
{
    keys_.Clear();
    descriptions_.clear();
}

void TKeyboardActionContoller::ProcessKey(uint16_t& key, TShiftState& shift, bool& handled)
{
    int code = -1;
    switch (keys_.Match(ShortCut(key, shift), code)) {
    case TKeyStore::TMatch::NotFound:
        handled = false;
        return;
    case TKeyStore::TMatch::Pending:
        handled = true;
        key = 0;
        shift = 0;
        return;
    case TKeyStore::TMatch::Recognised:
        handled = true;
        key = 0;
        shift = 0;
        if (OnRecognised)
            OnRecognised(code);
        return;
    }
}

void TKeyboardActionContoller::WriteToStream(TSMStreamWriter& stream) const
{
    stream.I32(static_cast<int32_t>(descriptions_.size()));
    for (const auto& [code, text] : descriptions_) {
        stream.I32(code);
        stream.ShortString(text);
    }
    const std::vector<TKeyBinding> bindings = keys_.Bindings();
    stream.I32(static_cast<int32_t>(bindings.size()));
    for (const TKeyBinding& binding : bindings) {
        stream.U16(binding.FirstKey);
        stream.U16(binding.SecondKey);
        stream.I32(binding.Code);
    }
}

void TKeyboardActionContoller::ReadFromStream(TSMStreamReader& stream)
{
    // Everything is read into a scratch controller first, so a bad stream
    // leaves this one as it was.
    TKeyboardActionContoller scratch;
    const int32_t descriptionCount = stream.Count(5);
    for (int32_t i = 0; i < descriptionCount; ++i) {
        const int32_t code = stream.I32();
        scratch.descriptions_.emplace_back(code, stream.ShortString());
    }
    const int32_t bindingCount = stream.Count(8);
    for (int32_t i = 0; i < bindingCount; ++i) {
        const TShortCut first = stream.U16();
        const TShortCut second = stream.U16();
        const int32_t code = stream.I32();
        scratch.AddBinding(first, second, code);
    }
    // The scratch store words its messages with the scratch descriptions,
    // which are the ones the stream carries.
    keys_.SwapBindings(scratch.keys_);
    descriptions_.swap(scratch.descriptions_);
    keys_.ResetMatch();
}

void LoadDefaultKeyAssignments(TKeyboardActionContoller& controller)
{
    controller.Clear();
    for (int code = 0; code < kCommandCount; ++code)
        controller.SetDescription(code, CommandDescription(code));
    for (int code = 0; code < kCommandCount; ++code) {
        const TCommandInfo* info = CommandInfo(code);
        controller.AddBinding(info->FirstKey, info->SecondKey, code);
    }
}

const TKeyboardActionContoller& DefaultKeyboardController()
{
    static const std::unique_ptr<TKeyboardActionContoller> controller = [] {
        auto built = std::make_unique<TKeyboardActionContoller>();
        LoadDefaultKeyAssignments(*built);
        return built;
    }();
    return *controller;
}

}  // namespace tarnwick
