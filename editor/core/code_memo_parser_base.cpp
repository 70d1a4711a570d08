// Scheme base: settings ownership and the list of editors using a scheme.
#include "editor/core/code_memo_parser_base.h"

#include <algorithm>
#include <exception>

namespace tarnwick {

TCustomCodeMemoParser::TCustomCodeMemoParser() : settings_(std::make_unique<TSM_Settings>()) {}

TCustomCodeMemoParser::~TCustomCodeMemoParser() { NotifyDestroyed(); }

std::unique_ptr<TSM_Settings> TCustomCodeMemoParser::ReplaceSettings(
    std::unique_ptr<TSM_Settings> settings)
{
    if (!settings)
        settings = std::make_unique<TSM_Settings>();
    for (TCodeMemoClient* editor : editors_) {
        settings_->DetachEditor(editor);
        settings->AttachEditor(editor);
    }
    settings_.swap(settings);
    return settings;
}

void TCustomCodeMemoParser::AttachEditor(TCodeMemoClient* editor)
{
    if (editor == nullptr || destroyed_ || IsAttached(editor))
        return;
    editors_.push_back(editor);
    settings_->AttachEditor(editor);
    editor->SchemeAttached(*this);
}

void TCustomCodeMemoParser::DetachEditor(TCodeMemoClient* editor)
{
    auto it = std::find(editors_.begin(), editors_.end(), editor);
    if (it == editors_.end())
        return;
    editors_.erase(it);
    settings_->DetachEditor(editor);
}

bool TCustomCodeMemoParser::IsAttached(const TCodeMemoClient* editor) const
{
    return std::find(editors_.begin(), editors_.end(), editor) != editors_.end();
}

std::vector<TCodeMemoClient*> TCustomCodeMemoParser::ReplaceEditors(
    std::vector<TCodeMemoClient*> editors)
{
    for (TCodeMemoClient* editor : editors_)
        settings_->DetachEditor(editor);
    editors_.swap(editors);
    for (TCodeMemoClient* editor : editors_)
        settings_->AttachEditor(editor);
    return editors;
}

void TCustomCodeMemoParser::ReapplyToEditors()
{
    // Editors may detach (or attach others) while they re-apply; walk a
    // copy and skip the ones that have left.
    const std::vector<TCodeMemoClient*> editors = editors_;
    std::exception_ptr first;
    for (TCodeMemoClient* editor : editors) {
        if (!IsAttached(editor))
            continue;
        try {
            editor->SchemeChanged(*this);
        } catch (...) {
            if (!first)
                first = std::current_exception();
        }
    }
    if (first)
        std::rethrow_exception(first);
}

void TCustomCodeMemoParser::NotifyDestroyed()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    const std::vector<TCodeMemoClient*> editors = editors_;
    for (TCodeMemoClient* editor : editors) {
        try {
            editor->SchemeDestroyed(*this);
        } catch (...) {
            // A destructor must not throw; the editor is detached below
            // whatever it did.
        }
    }
    for (TCodeMemoClient* editor : editors_)
        settings_->DetachEditor(editor);
    editors_.clear();
}

}  // namespace tarnwick
