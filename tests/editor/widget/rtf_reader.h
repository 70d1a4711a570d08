// A small RTF reader for the tests: enough of the format the editor's RTF
// writer uses (font and colour tables, \b \i \ul \cf \cb, \tab \line \par,
// hex escapes) to load a copied selection into a QTextDocument as styled
// text, the way a word processor would open it. Qt has no RTF reader.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <cctype>
#include <vector>

namespace tarnwick::test {

inline void ReadRtf(const QByteArray& rtf, QTextDocument& document)
{
    document.clear();
    QTextCursor cursor(&document);
    std::vector<QColor> colours;
    QColor pending(0, 0, 0);
    struct TState {
        QTextCharFormat Format;
        bool Skip = false;      // a destination that holds no text
        bool Colours = false;   // inside the colour table
    };
    std::vector<TState> stack{TState{}};
    qsizetype i = 0;
    const qsizetype n = rtf.size();
    const auto put = [&](const QString& text) {
        if (!stack.back().Skip && !stack.back().Colours)
            cursor.insertText(text, stack.back().Format);
    };
    while (i < n) {
        const char c = rtf[i];
        if (c == '{') {
            stack.push_back(stack.back());
            ++i;
        }
        else if (c == '}') {
            if (stack.size() > 1)
                stack.pop_back();
            ++i;
        }
        else if (c == '\\' && i + 1 < n) {
            const char next = rtf[i + 1];
            if (next == '\\' || next == '{' || next == '}') {
                put(QString(QLatin1Char(next)));
                i += 2;
                continue;
            }
            if (next == '\'') {
                const QByteArray hex = rtf.mid(i + 2, 2);
                put(QString(QChar(static_cast<char16_t>(hex.toInt(nullptr, 16)))));
                i += 4;
                continue;
            }
            qsizetype j = i + 1;
            while (j < n && std::isalpha(static_cast<unsigned char>(rtf[j])) != 0)
                ++j;
            const QByteArray word = rtf.mid(i + 1, j - i - 1);
            qsizetype k = j;
            if (k < n && (rtf[k] == '-' || std::isdigit(static_cast<unsigned char>(rtf[k])) != 0))
                ++k;
            while (k < n && std::isdigit(static_cast<unsigned char>(rtf[k])) != 0)
                ++k;
            const bool hasValue = k > j;
            const int value = hasValue ? rtf.mid(j, k - j).toInt() : 1;
            if (k < n && rtf[k] == ' ')
                ++k;
            i = k;
            TState& state = stack.back();
            QTextCharFormat& format = state.Format;
            if (word == "fonttbl")
                state.Skip = true;
            else if (word == "colortbl")
                state.Colours = true;
            else if (word == "red")
                pending.setRed(value);
            else if (word == "green")
                pending.setGreen(value);
            else if (word == "blue")
                pending.setBlue(value);
            else if (word == "b")
                format.setFontWeight(value != 0 ? QFont::Bold : QFont::Normal);
            else if (word == "i")
                format.setFontItalic(value != 0);
            else if (word == "ul")
                format.setFontUnderline(value != 0);
            else if (word == "cf" && value >= 0 && value < static_cast<int>(colours.size()))
                format.setForeground(colours[static_cast<size_t>(value)]);
            else if (word == "cb" && value >= 0 && value < static_cast<int>(colours.size()))
                format.setBackground(colours[static_cast<size_t>(value)]);
            else if (word == "tab")
                put(QStringLiteral("\t"));
            else if (word == "line" || word == "par")
                put(QStringLiteral("\n"));
        }
        else if (c == ';' && stack.back().Colours) {
            colours.push_back(pending);
            pending = QColor(0, 0, 0);
            ++i;
        }
        else {
            if (c != '\r' && c != '\n')
                put(QString(QLatin1Char(c)));
            ++i;
        }
    }
}

} // namespace tarnwick::test
