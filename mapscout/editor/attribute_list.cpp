#include "attribute_list.h"

#include "level_settings.h"
#include "level_text.h"

#include <cctype>

namespace {

constexpr int key_backspace = 14;
constexpr int key_escape = 1;

}

std::vector<attribute_list::row> attribute_list::rows_of(const level_text& text,
                                                        std::optional<std::size_t> picked) const
{
    std::vector<row> out;
    if (!picked) {
        for (const level_settings::row& r : level_settings::rows(text))
            out.push_back({entry::kind::setting, r.name, 0, r.value});
        return out;
    }
    const std::size_t object = *picked;
    if (object >= text.object_count())
        return out;
    const level_text::element& e = text.get_objects()[object];
    for (const auto& a : e.attributes)
        out.push_back({entry::kind::attribute, a.name, 0, text.value(object, a.name).value_or("")});
    for (std::size_t i = 0; i < e.children.size(); ++i)
        out.push_back({entry::kind::waypoint, "waypoint " + std::to_string(i + 1), i,
                       text.child_value(object, i, "pos").value_or("")});
    // Words belong to an info box; another element keeps any it has.
    if (e.children.empty() && (text.value(object, "type") == "infobox" || !text.inner_text(object).empty()))
        out.push_back({entry::kind::words, "text", 0, text.inner_text(object)});
    out.push_back({entry::kind::attribute, "", 0, ""});
    return out;
}

std::vector<std::string> attribute_list::rows(const level_text& text, std::optional<std::size_t> object) const
{
    std::vector<std::string> out;
    const std::vector<row> all = rows_of(text, object);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const bool here = i == std::min(chosen, all.size() - 1);
        std::string value = here && typing ? *typing + "_" : all[i].value;
        if (!(here && typing) && value.size() > 40)
            value = value.substr(0, 37) + "...";
        const std::string shown = all[i].name.empty() ? (here && typing ? value : "+ new attribute (name=value)")
                                                      : all[i].name + " = " + value;
        out.push_back((here ? "> " : "   ") + shown);
    }
    return out;
}

void attribute_list::choose_next(int by, const level_text& text, std::optional<std::size_t> object)
{
    const std::size_t count = rows_of(text, object).size();
    if (count == 0)
        return;
    chosen = (std::min(chosen, count - 1) + count + std::size_t(by + int(count))) % count;
}

void attribute_list::start_typing(const level_text& text, std::optional<std::size_t> object)
{
    const std::vector<row> all = rows_of(text, object);
    if (all.empty())
        return;
    typed_row = all[std::min(chosen, all.size() - 1)];
    typing = typed_row->value;
}

std::optional<attribute_list::entry> attribute_list::type(key_code key, bool shift)
{
    if (!typing)
        return std::nullopt;
    if (key == KC_RETURN || key == KC_NUMPADENTER) {
        entry done{typed_row->what, typed_row->name, typed_row->waypoint, *typing};
        typing.reset();
        if (done.what == entry::kind::attribute && done.name.empty()) {
            // The last row: "name=value".
            const std::size_t equals = done.value.find('=');
            if (equals == std::string::npos || equals == 0)
                return std::nullopt;
            done.name = done.value.substr(0, equals);
            done.value = done.value.substr(equals + 1);
        }
        return done;
    }
    if (int(key) == key_escape) {
        typing.reset();
        return std::nullopt;
    }
    if (int(key) == key_backspace) {
        if (!typing->empty())
            typing->pop_back();
        return std::nullopt;
    }
    if (const char c = character(key, shift))
        typing->push_back(c);
    return std::nullopt;
}

char attribute_list::character(key_code key, bool shift)
{
    static const char letters[] = "qwertyuiop[]\n\0asdfghjkl;'`\0\\zxcvbnm,./";
    const int code = int(key);
    if (code >= 2 && code <= 11) {
        static const char plain[] = "1234567890";
        static const char shifted[] = "!@#$%^&*()";
        return shift ? shifted[code - 2] : plain[code - 2];
    }
    if (code == 12)
        return shift ? '_' : '-';
    if (code == 13)
        return shift ? '+' : '=';
    if (code == 57)
        return ' ';
    if (code >= 16 && code <= 53) {
        const char c = letters[code - 16];
        if (std::isalpha(static_cast<unsigned char>(c)))
            return shift ? char(std::toupper(c)) : c;
        switch (c) {
        case ';': return shift ? ':' : ';';
        case '\'': return shift ? '"' : '\'';
        case ',': return shift ? '<' : ',';
        case '.': return shift ? '>' : '.';
        case '/': return shift ? '?' : '/';
        case '[': return shift ? '{' : '[';
        case ']': return shift ? '}' : ']';
        default: return 0;
        }
    }
    return 0;
}
