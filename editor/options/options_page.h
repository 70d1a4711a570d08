// The Options page of the editor options dialog: the option check boxes
// (each one bit of the working copy's options), the gutter width and right
// margin boxes, and the word-wrap column, indent step, tab columns and
// default tab stop boxes. Every change goes to the working copy and is
// shown by the preview editors at once.
#pragma once

#include "editor/options/options_context.h"

#include <QWidget>

#include <cstdint>
#include <vector>

class QCheckBox;

namespace tarnwick {

class TNumberBox;

// One option check box: its caption's string number and its option bit.
struct TOptionCheck {
    int Text;
    uint32_t Bit;
};

class TOptionsPage : public QWidget {
    Q_OBJECT
public:
    TOptionsPage(const TOptionsContext& context, QWidget* parent = nullptr);

    // The check box of an option bit (null for a bit the page does not show).
    QCheckBox* Check(uint32_t bit) const;
    TNumberBox* GutterBox() { return gutter_; }
    TNumberBox* RightMarginBox() { return rightMargin_; }
    TNumberBox* WrapColumnBox() { return wrapColumn_; }
    TNumberBox* IndentStepBox() { return indentStep_; }
    TNumberBox* TabColumnsBox() { return tabColumns_; }
    TNumberBox* TabStopBox() { return tabStop_; }

    // Fills every control from the working copy.
    void Fill();

private:
    void CheckClicked(uint32_t bit, bool on);
    void UpdateEnabling();
    // Gutter width and right margin: each change applies a value in 0..199;
    // a value outside shows the preview's current value again.
    void MarginEdited(TNumberBox* box);
    void MarginLeft(TNumberBox* box);
    void ApplyMargin(TNumberBox* box, int value);
    int MarginValue(TNumberBox* box);
    void WrapColumnLeft();
    void IndentStepLeft();
    void TabColumnsLeft();
    void TabStopLeft();
    // Runs a change that the settings may refuse with a message, shows the
    // message, and lets both previews take the result.
    template <typename F> void Checked(F&& change);

    TOptionsContext context_;
    std::vector<std::pair<uint32_t, QCheckBox*>> checks_;
    TNumberBox* gutter_;
    TNumberBox* rightMargin_;
    TNumberBox* wrapColumn_;
    TNumberBox* indentStep_;
    TNumberBox* tabColumns_;
    TNumberBox* tabStop_;
};

}  // namespace tarnwick
