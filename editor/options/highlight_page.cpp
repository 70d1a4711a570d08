// The Highlighting page: element attributes, colours, font and preview.
#include "editor/options/highlight_page.h"

#include "chrome/prompt.h"
#include "editor/code_memo.h"
#include "editor/options/option_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace tarnwick {

namespace {

// The platform's character-set names, sorted as the list shows them.
struct TCharsetName {
    const char* Name;
    uint8_t Value;
};
constexpr std::array<TCharsetName, 18> kCharsets{{
    {"ANSI_CHARSET", 0},        {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
    {"CHINESEBIG5_CHARSET", 136}, {"DEFAULT_CHARSET", 1},  {"EASTEUROPE_CHARSET", 238},
    {"GB2312_CHARSET", 134},    {"GREEK_CHARSET", 161},    {"HANGEUL_CHARSET", 129},
    {"HEBREW_CHARSET", 177},    {"JOHAB_CHARSET", 130},    {"MAC_CHARSET", 77},
    {"OEM_CHARSET", 255},       {"RUSSIAN_CHARSET", 204},  {"SHIFTJIS_CHARSET", 128},
    {"SYMBOL_CHARSET", 2},      {"THAI_CHARSET", 222},     {"TURKISH_CHARSET", 162},
}};

constexpr std::array<const char*, 13> kSizes{"8",  "9",  "10", "11", "12", "14", "16",
                                             "18", "20", "22", "24", "26", "30"};

// Presses closer than this to the previous one are taken as the same press.
constexpr int kPressSlack = 5;

QPushButton* MakeColourButton(const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setIconSize(QSize(24, 14));
    return button;
}

}  // namespace

THighlightPage::THighlightPage(const TOptionsContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      language_(new QLabel(this)),
      elements_(new QListWidget(this)),
      bold_(new QCheckBox(OptionText(sidBold), this)),
      italic_(new QCheckBox(OptionText(sidItalic), this)),
      underline_(new QCheckBox(OptionText(sidUnderline), this)),
      fore_(MakeColourButton(OptionText(sidForeground), this)),
      back_(MakeColourButton(OptionText(sidBackground), this)),
      foreDefault_(new QCheckBox(OptionText(sidForeground), this)),
      backDefault_(new QCheckBox(OptionText(sidBackground), this)),
      fontName_(new QComboBox(this)),
      fontSize_(new QComboBox(this)),
      charset_(new QComboBox(this))
{
    auto* attributes = new QGroupBox(OptionText(sidTextAttributes), this);
    auto* attributeColumn = new QVBoxLayout(attributes);
    for (QCheckBox* box : {bold_, italic_, underline_})
        attributeColumn->addWidget(box);

    auto* defaults = new QGroupBox(OptionText(sidUseDefaultsFor), this);
    auto* defaultColumn = new QVBoxLayout(defaults);
    defaultColumn->addWidget(foreDefault_);
    defaultColumn->addWidget(backDefault_);

    auto* colours = new QVBoxLayout;
    colours->addWidget(fore_);
    colours->addWidget(back_);
    colours->addStretch();

    auto* font = new QGroupBox(OptionText(sidFont), this);
    auto* fontGrid = new QGridLayout(font);
    fontGrid->addWidget(fontName_, 0, 0, 1, 2);
    fontGrid->addWidget(new QLabel(OptionText(sidSize), font), 1, 0);
    fontGrid->addWidget(fontSize_, 1, 1);
    fontGrid->addWidget(charset_, 2, 0, 1, 2);

    auto* elementColumn = new QVBoxLayout;
    elementColumn->addWidget(new QLabel(OptionText(sidElement), this));
    elementColumn->addWidget(elements_);
    elements_->setMinimumWidth(150);

    auto* controls = new QGridLayout;
    controls->addWidget(attributes, 0, 0);
    controls->addLayout(colours, 0, 1);
    controls->addWidget(defaults, 1, 0);
    controls->addWidget(font, 1, 1);

    auto* top = new QHBoxLayout;
    top->addLayout(elementColumn, 1);
    top->addLayout(controls, 2);

    auto* page = new QVBoxLayout(this);
    auto* languageRow = new QHBoxLayout;
    languageRow->addWidget(new QLabel(OptionText(sidLanguageStyle) + QLatin1Char(':'), this));
    languageRow->addWidget(language_, 1);
    page->addLayout(languageRow);
    page->addLayout(top);
    page->addWidget(&context_.Preview, 1);

    fontName_->addItems(QFontDatabase::families());
    fontSize_->setEditable(true);
    for (const char* size : kSizes)
        fontSize_->addItem(QString::fromLatin1(size));
    for (const TCharsetName& charset : kCharsets)
        charset_->addItem(QString::fromLatin1(charset.Name), static_cast<int>(charset.Value));

    connect(elements_, &QListWidget::currentRowChanged, this, &THighlightPage::ShowElement);
    connect(bold_, &QCheckBox::clicked, this, [this](bool on) { StyleClicked(kStyleBold, on); });
    connect(italic_, &QCheckBox::clicked, this,
            [this](bool on) { StyleClicked(kStyleItalic, on); });
    connect(underline_, &QCheckBox::clicked, this,
            [this](bool on) { StyleClicked(kStyleUnderline, on); });
    connect(fore_, &QPushButton::clicked, this, [this] { ColourClicked(true); });
    connect(back_, &QPushButton::clicked, this, [this] { ColourClicked(false); });
    connect(foreDefault_, &QCheckBox::clicked, this,
            [this](bool on) { DefaultClicked(true, on); });
    connect(backDefault_, &QCheckBox::clicked, this,
            [this](bool on) { DefaultClicked(false, on); });
    connect(fontName_, &QComboBox::activated, this, &THighlightPage::FontChanged);
    connect(fontSize_, &QComboBox::activated, this, &THighlightPage::FontChanged);
    connect(fontSize_->lineEdit(), &QLineEdit::editingFinished, this,
            &THighlightPage::FontChanged);
    connect(charset_, &QComboBox::activated, this, &THighlightPage::FontChanged);
    context_.Preview.viewport()->installEventFilter(this);
    Fill();
}

QCheckBox* THighlightPage::StyleBox(uint8_t bit) const
{
    switch (bit) {
    case kStyleBold: return bold_;
    case kStyleItalic: return italic_;
    case kStyleUnderline: return underline_;
    default: return nullptr;
    }
}

void THighlightPage::Fill()
{
    filling_ = true;
    const TSM_Settings& working = context_.Working;
    language_->setText(AnsiToQt(working.LanguageName));
    TCodeMemo& preview = context_.Preview;
    preview.SetText(working.ExampleText);
    preview.Model().SetSelection(0, 0);

    elements_->clear();
    for (const TSM_EditableStyle& style : working.EditableStyles) {
        if (style.Name.empty())
            continue;
        auto* item = new QListWidgetItem(AnsiToQt(style.Name), elements_);
        item->setData(Qt::UserRole, static_cast<int>(style.Effect));
    }
    for (const auto& [text, element] : {std::pair{sidSelectedText, kSelectedText},
                                        std::pair{sidLeftMargin, kLeftMargin},
                                        std::pair{sidGutter, kGutter}}) {
        auto* item = new QListWidgetItem(OptionText(text), elements_);
        item->setData(Qt::UserRole, element);
    }

    const QString family = AnsiToQt(working.Font.Name);
    if (fontName_->findText(family) < 0)
        fontName_->insertItem(0, family);
    fontName_->setCurrentText(family);
    fontSize_->setCurrentText(QString::number(working.Font.Size));
    const int charset = charset_->findData(static_cast<int>(working.Font.CharSet));
    charset_->setCurrentIndex(charset);
    filling_ = false;
    elements_->setCurrentRow(0);
}

int THighlightPage::Current() const
{
    const QListWidgetItem* item = elements_->currentItem();
    return item == nullptr ? kSelectedText - 1 : item->data(Qt::UserRole).toInt();
}

THighlightPage::TColourSlot THighlightPage::Slot(bool foreground)
{
    TSM_Settings& working = context_.Working;
    const int element = Current();
    if (element >= 0) {
        TSM_Effect& effect = working.Effects[static_cast<size_t>(element)];
        return foreground ? TColourSlot{&effect.Fore, &effect.ForeDefault}
                          : TColourSlot{&effect.Back, &effect.BackDefault};
    }
    switch (element) {
    case kSelectedText:
        return foreground ? TColourSlot{&working.SelTextColor, &working.SelTextColorDefault}
                          : TColourSlot{&working.SelTextBack, &working.SelTextBackDefault};
    case kLeftMargin:
        return foreground ? TColourSlot{}
                          : TColourSlot{&working.MarginColor, &working.MarginColorDefault};
    case kGutter:
        return foreground ? TColourSlot{}
                          : TColourSlot{&working.GutterColor, &working.GutterColorDefault};
    default: return {};
    }
}

void THighlightPage::ShowColour(QPushButton* button, uint32_t colour, bool enabled)
{
    QPixmap swatch(button->iconSize());
    swatch.fill(context_.Preview.Colour(colour));
    button->setIcon(enabled ? QIcon(swatch) : QIcon());
    button->setEnabled(enabled);
}

void THighlightPage::ShowElement()
{
    const int element = Current();
    const bool style = element >= 0;
    const uint8_t bits = style ? context_.Working.Effects[static_cast<size_t>(element)].Style : 0;
    for (const uint8_t bit : {kStyleBold, kStyleItalic, kStyleUnderline}) {
        StyleBox(bit)->setChecked((bits & bit) != 0);
        StyleBox(bit)->setEnabled(style);
    }
    const auto show = [this](const TColourSlot& slot, QCheckBox* box, QPushButton* button) {
        const bool defaulted = slot.Default != nullptr && *slot.Default != 0;
        box->setChecked(defaulted);
        box->setEnabled(slot.Colour != nullptr);
        ShowColour(button, slot.Colour != nullptr ? *slot.Colour : 0,
                   slot.Colour != nullptr && !defaulted);
    };
    show(Slot(true), foreDefault_, fore_);
    show(Slot(false), backDefault_, back_);
}

void THighlightPage::EffectsChanged()
{
    context_.Working.EffectsChanged();
    ShowElement();
}

void THighlightPage::StyleClicked(uint8_t bit, bool on)
{
    const int element = Current();
    if (element < 0)
        return;
    TSM_Effect& effect = context_.Working.Effects[static_cast<size_t>(element)];
    effect.Style = static_cast<uint8_t>(on ? effect.Style | bit : effect.Style & ~bit);
    effect.Defined = true;
    EffectsChanged();
}

void THighlightPage::ColourClicked(bool foreground)
{
    const TColourSlot slot = Slot(foreground);
    if (slot.Colour == nullptr)
        return;
    const std::optional<QColor> chosen =
        context_.Prompt.ChooseColour(context_.Preview.Colour(*slot.Colour));
    if (!chosen)
        return;
    SetColour(foreground, RGBColor(static_cast<uint8_t>(chosen->red()),
                                   static_cast<uint8_t>(chosen->green()),
                                   static_cast<uint8_t>(chosen->blue())));
}

void THighlightPage::SetColour(bool foreground, uint32_t colour)
{
    const TColourSlot slot = Slot(foreground);
    if (slot.Colour == nullptr)
        return;
    *slot.Colour = colour;
    MarkDefined();
    EffectsChanged();
}

void THighlightPage::DefaultClicked(bool foreground, bool on)
{
    const TColourSlot slot = Slot(foreground);
    if (slot.Default == nullptr)
        return;
    *slot.Default = on ? 1 : 0;
    MarkDefined();
    EffectsChanged();
}

void THighlightPage::MarkDefined()
{
    if (Current() >= 0)
        context_.Working.Effects[static_cast<size_t>(Current())].Defined = true;
}

void THighlightPage::FontChanged()
{
    if (filling_)
        return;
    TSM_Settings& working = context_.Working;
    TSM_FontDesc font = working.Font;
    font.Name = QtToAnsi(fontName_->currentText());
    bool ok = false;
    const int size = fontSize_->currentText().toInt(&ok);
    if (ok && size > 0)
        font.Size = size;
    fontSize_->setCurrentText(QString::number(font.Size));
    if (charset_->currentIndex() >= 0)
        font.CharSet = static_cast<uint8_t>(charset_->currentData().toInt());
    if (font == working.Font)
        return;
    working.Font = font;
    working.NotifyChanged();
}

void THighlightPage::SelectElementAtCaret()
{
    const TCodeMemoModel& model = context_.Preview.Model();
    const int64_t caret = model.SelCaret();
    const TLineLoc at = model.FindLine(caret);
    if (at.Rec == nullptr || at.Rec->Attrs == nullptr)
        return;
    const auto index = static_cast<size_t>(caret - at.Start);
    if (index >= at.Rec->TextLen())
        return;
    const int effect = context_.Working.EffectMap[at.Rec->Attrs[index]];
    for (int row = 0; row < elements_->count(); ++row) {
        if (elements_->item(row)->data(Qt::UserRole).toInt() == effect) {
            elements_->setCurrentRow(row);
            return;
        }
    }
}

bool THighlightPage::eventFilter(QObject* watched, QEvent* event)
{
    // The preview moves its caret on the press itself; the element is looked
    // up once the press has been handled.
    if (event->type() == QEvent::MouseButtonRelease &&
        watched == context_.Preview.viewport()) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if ((at - lastPress_).manhattanLength() > kPressSlack) {
            lastPress_ = at;
            SelectElementAtCaret();
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tarnwick
