// The Options page: option bits, margins, wrap column, indent and tabs.
#include "editor/options/options_page.h"

#include "chrome/prompt.h"
#include "editor/code_memo.h"
#include "editor/code_memo_metrics.h"
#include "editor/options/number_box.h"
#include "editor/options/option_texts.h"
#include "platform/errors.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include <array>

namespace tarnwick {

namespace {

constexpr std::array<TOptionCheck, 17> kGeneralChecks{{
    {4307, smoWordWrap},
    {4308, smoWrapOverride},
    {4309, smoAutoIndent},
    {4310, smoTabToColumn},
    {4311, smoWordSelect},
    {4312, smoSyntaxHighlight},
    {4315, smoShowRMargin},
    {4316, smoShowGutter},
    {4346, smoShowWrapColumn},
    {4335, smoTitleAsFilename},
    {4336, smoBlockOverwriteCursor},
    {4345, smoShowWrapGlyph},
    {4343, smoSmartFill},
    {4344, smoUseTAB},
    {4366, smoCaretAfterEOL},
    {4365, smoLineNumbers},
    {4369, smoShowAllChars},
}};

constexpr std::array<TOptionCheck, 5> kPrintChecks{{
    {4301, smoPrintWrap},
    {4302, smoPrintLineNos},
    {4303, smoPrintFilename},
    {4304, smoPrintDate},
    {4305, smoPrintPageNos},
}};

constexpr int kMarginLow = 0;
constexpr int kMarginHigh = 199;

// Keys the margin boxes take besides digits, and those the other number
// boxes take.
const std::initializer_list<int> kMarginKeys = {Qt::Key_Backspace, Qt::Key_Left, Qt::Key_Right,
                                                 Qt::Key_Insert, Qt::Key_Delete};
const std::initializer_list<int> kNumberKeys = {Qt::Key_Backspace, Qt::Key_Tab,   Qt::Key_End,
                                                 Qt::Key_Home,      Qt::Key_Left,  Qt::Key_Right,
                                                 Qt::Key_Delete};

}  // namespace

TOptionsPage::TOptionsPage(const TOptionsContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      gutter_(new TNumberBox(kMarginKeys, true, this)),
      rightMargin_(new TNumberBox(kMarginKeys, true, this)),
      wrapColumn_(new TNumberBox(kNumberKeys, false, this)),
      indentStep_(new TNumberBox(kNumberKeys, false, this)),
      tabColumns_(new TNumberBox(kNumberKeys, false, this)),
      tabStop_(new TNumberBox(kNumberKeys, false, this))
{
    tabColumns_->AllowSeparators();
    auto addCheck = [this](const TOptionCheck& option, QWidget* owner) {
        auto* box = new QCheckBox(OptionText(option.Text), owner);
        checks_.emplace_back(option.Bit, box);
        connect(box, &QCheckBox::clicked, this,
                [this, bit = option.Bit](bool on) { CheckClicked(bit, on); });
        return box;
    };

    auto* general = new QGroupBox(OptionText(sidGeneralOptions), this);
    auto* generalGrid = new QGridLayout(general);
    const int rows = static_cast<int>((kGeneralChecks.size() + 1) / 2);
    for (size_t i = 0; i < kGeneralChecks.size(); ++i)
        generalGrid->addWidget(addCheck(kGeneralChecks[i], general), static_cast<int>(i) % rows,
                               static_cast<int>(i) / rows);
    generalGrid->setRowStretch(rows, 1);

    auto* print = new QGroupBox(OptionText(sidPrintOptions), this);
    auto* printColumn = new QVBoxLayout(print);
    for (const TOptionCheck& option : kPrintChecks)
        printColumn->addWidget(addCheck(option, print));

    auto* numbers = new QFormLayout;
    numbers->addRow(OptionText(sidRightMargin), rightMargin_);
    numbers->addRow(OptionText(sidGutterWidth), gutter_);
    numbers->addRow(OptionText(sidWrapColumn), wrapColumn_);
    numbers->addRow(OptionText(sidIndentStep), indentStep_);
    numbers->addRow(OptionText(sidTabColumns), tabColumns_);
    numbers->addRow(OptionText(sidTabStop), tabStop_);

    auto* right = new QVBoxLayout;
    right->addWidget(print);
    right->addLayout(numbers);
    right->addStretch();
    auto* page = new QHBoxLayout(this);
    page->addWidget(general, 3);
    page->addLayout(right, 2);

    for (TNumberBox* box : {gutter_, rightMargin_}) {
        connect(box, &TNumberBox::Edited, this, [this, box] { MarginEdited(box); });
        connect(box, &TNumberBox::Left, this, [this, box] { MarginLeft(box); });
    }
    connect(wrapColumn_, &TNumberBox::Left, this, &TOptionsPage::WrapColumnLeft);
    connect(indentStep_, &TNumberBox::Left, this, &TOptionsPage::IndentStepLeft);
    connect(tabColumns_, &TNumberBox::Left, this, &TOptionsPage::TabColumnsLeft);
    connect(tabStop_, &TNumberBox::Left, this, &TOptionsPage::TabStopLeft);
    Fill();
}

QCheckBox* TOptionsPage::Check(uint32_t bit) const
{
    for (const auto& [checkBit, box] : checks_)
        if (checkBit == bit)
            return box;
    return nullptr;
}

void TOptionsPage::Fill()
{
    const TSM_Settings& working = context_.Working;
    for (const auto& [bit, box] : checks_)
        box->setChecked((working.Options & bit) != 0);
    UpdateEnabling();
    gutter_->Show(working.Gutter);
    rightMargin_->Show(working.RightMargin);
    wrapColumn_->Show(working.WrapAtColumn);
    indentStep_->Show(context_.Preview.Model().IndentStep());
    tabColumns_->ShowText(AnsiToQt(working.TabColumnsText()));
    tabStop_->Show(working.TabDefault);
}

void TOptionsPage::CheckClicked(uint32_t bit, bool on)
{
    const uint32_t options = on ? context_.Working.Options | bit : context_.Working.Options & ~bit;
    context_.Preview.SetOptions(options);
    context_.Working.NotifyChanged();
    UpdateEnabling();
}

void TOptionsPage::UpdateEnabling()
{
    Check(smoTabToColumn)->setEnabled((context_.Working.Options & smoWordWrap) == 0);
    // The caret can stand past a line's end only where every column is one
    // character wide.
    const bool fixedPitch = QFontInfo(FontFromDesc(context_.Working.Font)).fixedPitch();
    Check(smoCaretAfterEOL)->setEnabled(fixedPitch);
}

int TOptionsPage::MarginValue(TNumberBox* box)
{
    return box == gutter_ ? context_.Preview.Gutter() : context_.Preview.RightMargin();
}

void TOptionsPage::ApplyMargin(TNumberBox* box, int value)
{
    if (box == gutter_)
        context_.Preview.SetGutter(value);
    else
        context_.Preview.SetRightMargin(value);
    context_.Working.NotifyChanged();
}

// While the user types, a number the preview refuses (a gutter of 3 on the
// way to 30) stays in the box; only a value that can never be right (more
// than 199) brings the current one back at once. An empty box waits for
// the next digit.
void TOptionsPage::MarginEdited(TNumberBox* box)
{
    if (box->Text().isEmpty())
        return;
    const std::optional<int> value = box->Value();
    if (!value || *value < kMarginLow || *value > kMarginHigh) {
        box->Show(MarginValue(box));
        return;
    }
    ApplyMargin(box, *value);
}

void TOptionsPage::MarginLeft(TNumberBox* box) { box->Show(MarginValue(box)); }

template <typename F> void TOptionsPage::Checked(F&& change)
{
    try {
        change();
    } catch (const Exception& error) {
        context_.Prompt.ShowError(AnsiToQt(error.Message()));
    }
    context_.Working.NotifyChanged();
}

void TOptionsPage::WrapColumnLeft()
{
    if (const std::optional<int> value = wrapColumn_->Value())
        Checked([&] { context_.Preview.SetWrapAtColumn(*value); });
    wrapColumn_->Show(context_.Working.WrapAtColumn);
}

void TOptionsPage::IndentStepLeft()
{
    TCodeMemoModel& model = context_.Preview.Model();
    if (const std::optional<int> value = indentStep_->Value())
        model.SetIndentStep(*value);
    context_.Working.IndentStep = model.IndentStep();
    indentStep_->Show(model.IndentStep());
}

void TOptionsPage::TabColumnsLeft()
{
    Checked([&] { context_.Working.SetTabColumnsText(QtToAnsi(tabColumns_->Text())); });
    tabColumns_->ShowText(AnsiToQt(context_.Working.TabColumnsText()));
}

void TOptionsPage::TabStopLeft()
{
    const std::optional<int> value = tabStop_->Value();
    Checked([&] { context_.Working.SetTabDefault(value.value_or(0)); });
    tabStop_->Show(context_.Working.TabDefault);
}

}  // namespace tarnwick
