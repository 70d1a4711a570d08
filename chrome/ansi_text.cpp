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

}  // namespace tarnwick
