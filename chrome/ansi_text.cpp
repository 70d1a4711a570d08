#include "chrome/ansi_text.h"

#include "platform/codepage.h"

namespace tarnwick {

QString AnsiToQt(std::string_view bytes)
{
    const std::u16string text = Cp1252ToUtf16(bytes);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string QtToAnsi(const QString& text)
{
    return Utf16ToCp1252(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                             static_cast<size_t>(text.size())));
}

const std::array<QChar, 256>& AnsiChars()
{
    static const std::array<QChar, 256> table = [] {
        std::array<QChar, 256> chars{};
        for (int b = 0; b < 256; ++b)
            chars[static_cast<size_t>(b)] =
                QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(b))));
        return chars;
    }();
    return table;
}

}  // namespace tarnwick
