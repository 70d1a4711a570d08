// Templates and auto-replace on the control: every key is offered to the
// code templates and then to the auto-replace list before the keyboard
// controller; an expansion is applied as one undo step, and a trigger after
// a word that names no template opens the pop-up list of templates.
#include "editor/code_memo.h"

#include "editor/template_popup.h"

namespace tarnwick {

TExpansionContext TCustomCodeMemo::ExpansionContext(TEdStream& stream)
{
    TExpansionContext context;
    context.Text = &stream;
    context.Caret = model_.SelCaret();
    context.CharStartsWord = model_.fn_CharStartsWord;
    context.CharIsInWord = model_.fn_CharIsInWord;
    context.ColumnOf = [this](int64_t offset) {
        const TLineLoc at = model_.FindLine(offset);
        return at.Rec != nullptr
                   ? model_.ColumnOfIndex(*at.Rec, static_cast<size_t>(offset - at.Start))
                   : 0;
    };
    return context;
}

bool TCustomCodeMemo::ProcessMacroKeys(uint16_t& key, TShiftState shift)
{
    TSM_Settings& settings = Settings();
    TCodeTemplates& templates = settings.Templates();
    for (TMacroKeywords* list : {static_cast<TMacroKeywords*>(&templates),
                                 static_cast<TMacroKeywords*>(&settings.AutoReplace())}) {
        TEdStream stream(model_);
        const bool trigger = list == &templates && list->IsTrigger(key, shift);
        TMacroKeyOutcome outcome = HandleMacroKey(*list, ExpansionContext(stream), key, shift);
        if (outcome.Expansion && !model_.ReadOnly)
            model_.ApplyExpansion(*outcome.Expansion);
        if (outcome.Popup && !model_.ReadOnly)
            ShowTemplatePopup(*list, std::move(*outcome.Popup));
        // The template key with no template to expand or offer says so
        // rather than doing nothing.
        if (trigger && !outcome.Handled)
            Beep();
        if (key == 0)
            return true;
    }
    return false;
}

void TCustomCodeMemo::ShowTemplatePopup(TMacroKeywords& list, TPopupRequest request)
{
    if (popup_ == nullptr) {
        popup_ = new TTemplatePopup(this);
        connect(popup_, &TTemplatePopup::TemplateChosen, this, &TCustomCodeMemo::TemplateChosen);
        connect(popup_, &TTemplatePopup::Closed, this, &TCustomCodeMemo::TemplatePopupClosed);
    }
    // The typed word is shown selected while the list is open, even though
    // the list has the focus.
    if (!popup_->isVisible())
        popupHideSelection_ = model_.HideSelection;
    popupList_ = &list;
    popupRequest_ = std::move(request);
    model_.HideSelection = false;
    model_.SetSelection(popupRequest_.WordStart, popupRequest_.WordEnd);
    ScrollCaretIntoView();
    popup_->Fill(popupRequest_.Items, popupRequest_.Preselect);
    const QPoint line = PointFromChar(popupRequest_.WordStart).value_or(QPoint(TextLeft(), 0));
    const QPoint origin = viewport()->geometry().topLeft();
    popup_->Popup(origin.x() + line.x(), origin.y() + line.y(),
                  origin.y() + line.y() + metrics_.LineHeight);
}

void TCustomCodeMemo::TemplateChosen(int row)
{
    if (popupList_ != nullptr && row >= 0 && row < static_cast<int>(popupRequest_.Items.size()) &&
        !model_.ReadOnly) {
        TEdStream stream(model_);
        TExpansionContext context = ExpansionContext(stream);
        context.Caret = popupRequest_.WordEnd;
        const std::optional<TExpansion> expansion = ExpandChosen(
            *popupList_, context, popupRequest_, *popupRequest_.Items[static_cast<size_t>(row)]);
        if (expansion)
            model_.ApplyExpansion(*expansion);
    }
    popup_->Close();
}

void TCustomCodeMemo::TemplatePopupClosed()
{
    model_.HideSelection = popupHideSelection_;
    model_.SetSelection(model_.SelEnd(), model_.SelEnd());
    const bool recreate = popupList_ == nullptr || popupList_->RecreatePopup;
    popupList_ = nullptr;
    popupRequest_ = {};
    setFocus(Qt::OtherFocusReason);
    RepaintAll();
    if (recreate) {
        popup_->deleteLater();
        popup_ = nullptr;
    }
}

} // namespace tarnwick
