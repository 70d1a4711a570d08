// Conversion between the program's single-byte texts (code page 1252, as the
// headless layers keep them) and Qt's Unicode strings. Every text that crosses
// from a file or a headless layer into a widget, or back, passes through here.
#pragma once

#include <QString>

#include <array>
#include <string>
#include <string_view>

namespace tarnwick {

QString AnsiToQt(std::string_view bytes);
// Characters that code page 1252 cannot hold become '?'.
std::string QtToAnsi(const QString& text);
// The character each code-page byte stands for, indexed by the byte: a table
// for painting loops.
const std::array<QChar, 256>& AnsiChars();

}  // namespace tarnwick
