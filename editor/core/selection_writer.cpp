// Text, HTML and RTF output of a range of line records.
#include "editor/core/selection_writer.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace tarnwick {

namespace {

// Calls `piece(rec, from, to, last)` for the part [from, to) of each record
// that lies inside [start, end); `last` is set for the final piece.
template <typename F>
void ForEachPiece(const TLineRec* rec, int64_t recStart, int64_t start, int64_t end, F piece)
{
    while (rec != nullptr && recStart < end) {
        const int64_t recEnd = recStart + rec->Len;
        if (recEnd > start) {
            const auto from = static_cast<size_t>(std::max(start, recStart) - recStart);
            const auto to = static_cast<size_t>(std::min(end, recEnd) - recStart);
            piece(*rec, from, to, recEnd >= end || rec->Next == nullptr);
        }
        recStart = recEnd;
        rec = rec->Next;
    }
}

std::string Format(const char* format, const std::string& value)
{
    std::string out;
    const int n = std::snprintf(nullptr, 0, format, value.c_str());
    out.resize(static_cast<size_t>(n) + 1);
    std::snprintf(out.data(), out.size(), format, value.c_str());
    out.pop_back();
    return out;
}

template <typename... Args>
std::string FormatN(const char* format, Args... args)
{
    char buffer[128];
    const int n = std::snprintf(buffer, sizeof buffer, format, args...);
    return std::string(buffer, static_cast<size_t>(std::max(n, 0)));
}

// Colours are stored with red in the low byte; HTML wants RRGGBB.
unsigned HtmlColour(int32_t colour)
{
    const auto c = static_cast<uint32_t>(colour);
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

}  // namespace

TTextEffect TSelectionWriter::EffectAt(const TLineRec& rec, size_t index) const
{
    if (Highlighter == nullptr) {
        TTextEffect plain;
        plain.Defined = true;
        return plain;
    }
    const uint8_t token = rec.Attrs ? rec.Attrs[index] : 0;
    return Highlighter->Effect(Highlighter->EffectOfToken(token));
}

std::string TSelectionWriter::Write(const TLineRec* rec, int64_t recStart, int64_t start,
                                    int64_t end, TWriteKind kind) const
{
    std::string out;
    if (start > end)
        std::swap(start, end);
    switch (kind) {
    case wkHTML:
        WriteHtml(out, rec, recStart, start, end);
        break;
    case wkRTF:
        WriteRtf(out, rec, recStart, start, end);
        break;
    default:
        WritePlain(out, rec, recStart, start, end, kind);
        break;
    }
    return out;
}

void TSelectionWriter::WritePlain(std::string& out, const TLineRec* rec, int64_t recStart,
                                  int64_t start, int64_t end, TWriteKind kind) const
{
    out.reserve(static_cast<size_t>(std::max<int64_t>(end - start, 0)) + 64);
    ForEachPiece(rec, recStart, start, end, [&](const TLineRec& r, size_t from, size_t to, bool) {
        const std::string_view piece(r.Text.get() + from, to - from);
        const bool cr = !piece.empty() && piece.back() == kCR;
        if (!cr || kind == wkBareCR) {
            out.append(piece);
            return;
        }
        out.append(piece.substr(0, piece.size() - 1));
        out.append(kind == wkCRLF ? "\r\n" : kind == wkLF ? "\n" : "\r");
    });
}

void TSelectionWriter::WriteHtml(std::string& out, const TLineRec* rec, int64_t recStart,
                                 int64_t start, int64_t end) const
{
    const TTextEffect zero = Highlighter != nullptr ? Highlighter->Effect(0) : TTextEffect{};
    out += "<HTML><HEAD>\r\n";
    out += "<META NAME=\"Generator\" CONTENT=\"TCustomCodeMemo\">\r\n";
    out += Format("<TITLE>%s</TITLE>\r\n", Title);
    out += Format("<META NAME=\"Date\" CONTENT=\"%s\">\r\n", DateText);
    out += "</HEAD>\r\n";
    out += FormatN("<BODY TEXT=\"#%.6x\" BGCOLOR=\"#%.6x\">\r\n", HtmlColour(zero.Fore),
                   HtmlColour(zero.Back));
    out += "<PRE>";
    out += Format("<FONT FACE=\"%s\">\r\n", FontName);

    int32_t lastFore = zero.Fore;
    uint8_t style = 0;
    ForEachPiece(rec, recStart, start, end, [&](const TLineRec& r, size_t from, size_t to, bool last) {
        for (size_t i = from; i < to; ++i) {
            if (i == from || (r.Attrs && r.Attrs[i] != r.Attrs[i - 1])) {
                const TTextEffect effect = EffectAt(r, i);
                if (effect.Fore != lastFore) {
                    out += FormatN("</FONT><FONT COLOR=\"#%.6x\">", HtmlColour(effect.Fore));
                    lastFore = effect.Fore;
                }
                static constexpr struct {
                    uint8_t bit;
                    const char* on;
                    const char* off;
                } kTags[] = {{fsBold, "<B>", "</B>"},
                             {fsItalic, "<I>", "</I>"},
                             {fsUnderline, "<U>", "</U>"}};
                for (const auto& tag : kTags) {
                    if ((effect.Style & tag.bit) != (style & tag.bit))
                        out += (effect.Style & tag.bit) ? tag.on : tag.off;
                }
                style = effect.Style & (fsBold | fsItalic | fsUnderline);
            }
            const auto c = static_cast<unsigned char>(r.Text[i]);
            if (c == '\t' || c == 160)
                out += "&nbsp;";
            else if (c == '"')
                out += "&quot;";
            else if (c == '<')
                out += "&lt;";
            else if (c == '&')
                out += "&amp;";  // a text holding "&lt;" must show it, not "<"
            else if (c == '>')
                out += "&gt;";
            else if (c >= 128)
                out += FormatN("&#%u;", static_cast<unsigned>(c));
            else if (c >= 32)
                out += static_cast<char>(c);
        }
        // A continuation record goes on the same line: a break here would
        // split one line of the text into two in the document.
        if (last || r.EndsWithCR())
            out += "\r\n";
    });
    out += "</PRE></FONT></BODY></HTML>\r\n";
}

void TSelectionWriter::WriteRtf(std::string& out, const TLineRec* rec, int64_t recStart,
                                int64_t start, int64_t end) const
{
    auto effectOf = [this](uint8_t index) {
        if (Highlighter != nullptr)
            return Highlighter->Effect(index);
        TTextEffect plain;
        plain.Defined = index == 0;
        return plain;
    };
    const TTextEffect zero = effectOf(0);
    std::vector<int32_t> colours{zero.Fore, zero.Back};
    auto add = [&colours](int32_t colour) {
        if (colours.size() < 256 && std::find(colours.begin(), colours.end(), colour) == colours.end())
            colours.push_back(colour);
    };
    for (int e = 0; e < 256; ++e) {
        const TTextEffect effect = effectOf(static_cast<uint8_t>(e));
        if (!effect.Defined)
            continue;
        add(effect.Fore);
        add(effect.Back);
    }
    auto indexOf = [&colours](int32_t colour, int fallback) {
        const auto it = std::find(colours.begin(), colours.end(), colour);
        return it == colours.end() ? fallback : static_cast<int>(it - colours.begin());
    };

    out += "{\\rtf1 \\deff1";
    out += "{\\fonttbl ";
    out += Format("{\\f1 \\fnil %s;}", FontName);
    out += "}\r\n";
    out += "{\\colortbl";
    for (int32_t colour : colours) {
        const auto c = static_cast<uint32_t>(colour);
        out += FormatN("\\red%u\\green%u\\blue%u;", c & 0xFFu, (c >> 8) & 0xFFu, (c >> 16) & 0xFFu);
    }
    out += "}\r\n";
    out += FormatN("{\\f1\\fs%d\\cf0\\cb1 ", FontSize * 2);

    uint8_t style = 0;
    int cf = 0;
    int cb = 1;
    ForEachPiece(rec, recStart, start, end, [&](const TLineRec& r, size_t from, size_t to, bool) {
        for (size_t i = from; i < to; ++i) {
            if (i == from || (r.Attrs && r.Attrs[i] != r.Attrs[i - 1])) {
                const TTextEffect effect = EffectAt(r, i);
                static constexpr struct {
                    uint8_t bit;
                    const char* on;
                    const char* off;
                } kFlags[] = {{fsBold, "\\b1 ", "\\b0 "},
                              {fsItalic, "\\i1 ", "\\i0 "},
                              {fsUnderline, "\\ul1 ", "\\ul0 "}};
                for (const auto& flag : kFlags) {
                    if ((effect.Style & flag.bit) != (style & flag.bit))
                        out += (effect.Style & flag.bit) ? flag.on : flag.off;
                }
                style = effect.Style & (fsBold | fsItalic | fsUnderline);
                const int newCf = indexOf(effect.Fore, 0);
                const int newCb = indexOf(effect.Back, 1);
                if (newCf != cf)
                    out += FormatN("\\cf%d ", newCf);
                if (newCb != cb)
                    out += FormatN("\\cb%d ", newCb);
                cf = newCf;
                cb = newCb;
            }
            const auto c = static_cast<unsigned char>(r.Text[i]);
            switch (c) {
            case '\t': out += "\\tab "; break;
            case '\f': out += "\\page "; break;
            case '\r': out += "\\line "; break;
            case '\'': out += "\\'27"; break;
            case '\\': out += "\\\\"; break;
            case '{': out += "\\{"; break;
            case '}': out += "\\}"; break;
            case 0: break;
            default:
                if (c < 32 || c >= 128)
                    out += FormatN("\\'%02x", static_cast<unsigned>(c));
                else
                    out += static_cast<char>(c);
            }
        }
        out += "\r\n";
    });
    out += "}}";
}

}  // namespace tarnwick
