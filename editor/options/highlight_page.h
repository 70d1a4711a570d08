// The Highlighting page of the editor options dialog: the list of elements
// (the scheme's editable styles, then "Selected text", "Left margin" and
// "Gutter"), their text attributes, colours and default boxes, the scheme's
// font, and the preview editor FEditor showing the scheme's example text.
// Every change goes into the working copy and repaints the previews at
// once; a press in the preview selects the element under the caret.
#pragma once

#include "editor/options/options_context.h"

#include <QPoint>
#include <QWidget>

#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace tarnwick {

class THighlightPage : public QWidget {
    Q_OBJECT
public:
    // `preview` is placed on the page; the dialog owns its scheme slot.
    THighlightPage(const TOptionsContext& context, QWidget* parent = nullptr);

    // Element list rows below the editable styles carry these numbers
    // instead of an effect number.
    static constexpr int kSelectedText = -1;
    static constexpr int kLeftMargin = -2;
    static constexpr int kGutter = -3;

    QListWidget* Elements() { return elements_; }
    QCheckBox* StyleBox(uint8_t bit) const;
    QPushButton* ForegroundButton() { return fore_; }
    QPushButton* BackgroundButton() { return back_; }
    QCheckBox* ForeDefaultBox() { return foreDefault_; }
    QCheckBox* BackDefaultBox() { return backDefault_; }
    QComboBox* FontNames() { return fontName_; }
    QComboBox* FontSizes() { return fontSize_; }
    QComboBox* Charsets() { return charset_; }

    void Fill();
    // Selects the element whose effect is the effect of the token at the
    // preview's caret (nothing when no element has it).
    void SelectElementAtCaret();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The element of the current row: an effect number or one of the
    // k... numbers above; nothing selected gives kSelectedText - 1.
    int Current() const;
    void ShowElement();
    void StyleClicked(uint8_t bit, bool on);
    void ColourClicked(bool foreground);
    void DefaultClicked(bool foreground, bool on);
    // The stored colour and default flag behind the current element's
    // foreground or background controls; both null where the element has
    // no such colour (margin and gutter have no foreground).
    struct TColourSlot {
        uint32_t* Colour = nullptr;
        uint8_t* Default = nullptr;
    };
    TColourSlot Slot(bool foreground);
    // Writes the colour of the current element.
    void SetColour(bool foreground, uint32_t colour);
    void ShowColour(QPushButton* button, uint32_t colour, bool enabled);
    // A style whose attributes or colours were set is marked defined.
    void MarkDefined();
    void FontChanged();
    void EffectsChanged();

    TOptionsContext context_;
    QLabel* language_;
    QListWidget* elements_;
    QCheckBox* bold_;
    QCheckBox* italic_;
    QCheckBox* underline_;
    QPushButton* fore_;
    QPushButton* back_;
    QCheckBox* foreDefault_;
    QCheckBox* backDefault_;
    QComboBox* fontName_;
    QComboBox* fontSize_;
    QComboBox* charset_;
    QPoint lastPress_{-100, -100};
    bool filling_ = false;
};

}  // namespace tarnwick
