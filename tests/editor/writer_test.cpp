// The selection writers: HTML and RTF output with and without a highlighter.
#include "editor/core/code_memo_model.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// Token 1 = keyword (effect 1: bold blue), token 2 = comment (effect 2:
// italic green); the highlighter colours every 'k' as a keyword.
class TFakeHighlighter : public TExportHighlighter {
public:
    void ColourLines(TLineRec* first) override
    {
        for (TLineRec* rec = first; rec != nullptr; rec = rec->Next) {
            rec->Attrs = std::make_unique<uint8_t[]>(rec->Len);
            for (size_t i = 0; i < rec->Len; ++i)
                rec->Attrs[i] = rec->Text[i] == 'k' ? 1 : 0;
        }
    }
    uint8_t EffectOfToken(uint8_t token) const override { return token; }
    TTextEffect Effect(uint8_t effect) const override
    {
        TTextEffect e;
        e.Defined = effect <= 1;
        if (effect == 1) {
            e.Fore = 0xFF0000;  // blue (red in the low byte)
            e.Style = fsBold;
        }
        return e;
    }
};

std::string Html(TCodeMemoModel& model)
{
    model.DateText = [] { return std::string("DATE"); };
    model.DocTitle = "T";
    model.SelectAll();
    return model.WriteSelection(wkHTML);
}

TEST(Writers, HtmlPlainDocument)
{
    TCodeMemoModel model;
    model.LoadFromText("a<b>&\"c\"\t\xA0\xE9\x01\nz");
    EXPECT_EQ(Html(model),
              "<HTML><HEAD>\r\n"
              "<META NAME=\"Generator\" CONTENT=\"TCustomCodeMemo\">\r\n"
              "<TITLE>T</TITLE>\r\n"
              "<META NAME=\"Date\" CONTENT=\"DATE\">\r\n"
              "</HEAD>\r\n"
              "<BODY TEXT=\"#000000\" BGCOLOR=\"#ffffff\">\r\n"
              "<PRE><FONT FACE=\"Courier New\">\r\n"
              "a&lt;b&gt;&amp;&quot;c&quot;&nbsp;&nbsp;&#233;.\r\n"
              "z\r\n"
              "</PRE></FONT></BODY></HTML>\r\n");
}

TEST(Writers, HtmlRunsWithHighlighter)
{
    TFakeHighlighter highlighter;
    TCodeMemoModel model;
    model.SetHighlighter(&highlighter);
    model.LoadFromText("xkkx");
    const std::string html = Html(model);
    EXPECT_NE(html.find("x</FONT><FONT COLOR=\"#0000ff\"><B>kk</FONT><FONT COLOR=\"#000000\"></B>x\r\n"),
              std::string::npos)
        << html;
}

TEST(Writers, HtmlKeepsLongLineOnOneLine)
{
    TCodeMemoModel model;
    model.LoadFromText(std::string(3000, 'w'));
    const std::string html = Html(model);
    EXPECT_NE(html.find(std::string(3000, 'w') + "\r\n"), std::string::npos);
}

TEST(Writers, RtfPlainDocument)
{
    TCodeMemoModel model;
    model.LoadFromText("a\\{}'\t\f\xE9\nb");
    model.SelectAll();
    EXPECT_EQ(model.WriteSelection(wkRTF),
              "{\\rtf1 \\deff1{\\fonttbl {\\f1 \\fnil Courier New;}}\r\n"
              "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;}\r\n"
              "{\\f1\\fs20\\cf0\\cb1 a\\\\\\{\\}\\'27\\tab .\\'e9\\line \r\n"
              "b\r\n"
              "}}");
}

TEST(Writers, RtfColourTableAndRuns)
{
    TFakeHighlighter highlighter;
    TCodeMemoModel model;
    model.SetHighlighter(&highlighter);
    model.LoadFromText("xk");
    model.SelectAll();
    const std::string rtf = model.WriteSelection(wkRTF);
    EXPECT_NE(rtf.find("{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;"
                       "\\red0\\green0\\blue255;}"),
              std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find("x\\b1 \\cf2 k"), std::string::npos) << rtf;
}

TEST(Writers, PartialSelection)
{
    TCodeMemoModel model;
    model.LoadFromText("abc\ndef\nghi");
    model.SetSelection(2, 9);
    EXPECT_EQ(model.WriteSelection(wkCRLF), "c\r\ndef\r\ng");
    EXPECT_EQ(model.WriteSelection(wkLF), "c\ndef\ng");
    EXPECT_EQ(model.WriteSelection(wkBareCR), "c\rdef\rg");
}

}  // namespace
}  // namespace tarnwick
