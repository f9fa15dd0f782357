#include "break_long_words.h"

#include <MyGUI_FontManager.h>
#include <MyGUI_IFont.h>
#include <MyGUI_UString.h>

std::string break_long_words(const std::string& text, const std::string& font_name, int width)
{
    const MyGUI::IFont* font = MyGUI::FontManager::getInstance().getByName(font_name);
    if (!font)
        return text;
    const MyGUI::UString unicode(text);
    MyGUI::UString::utf32string broken;
    float word_width = 0.0f;
    for (const MyGUI::UString::unicode_char c : unicode.asUTF32()) {
        if (c == ' ' || c == '\n') {
            word_width = 0.0f;
            broken += c;
            continue;
        }
        const MyGUI::GlyphInfo* glyph = font->getGlyphInfo(c);
        const float glyph_width = glyph ? glyph->bearingX + glyph->advance : 0.0f;
        if (word_width > 0.0f && word_width + glyph_width > float(width)) {
            broken += MyGUI::UString::unicode_char('\n');
            word_width = 0.0f;
        }
        word_width += glyph_width;
        broken += c;
    }
    return MyGUI::UString(broken).asUTF8();
}
