#include "medal_index.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

bool blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string read_entities(const std::string& raw)
{
    static const char* const names[][2] = {{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""},
                                           {"&apos;", "'"}};
    std::string out;
    for (std::size_t i = 0; i < raw.size();) {
        bool named = false;
        for (const auto& entity : names) {
            if (raw.compare(i, std::strlen(entity[0]), entity[0]) == 0) {
                out += entity[1];
                i += std::strlen(entity[0]);
                named = true;
                break;
            }
        }
        if (!named)
            out += raw[i++];
    }
    return out;
}

}

medal_index::medal_index(std::string text) : text(std::move(text)) {}

medal_index::element medal_index::read_tag(std::size_t at) const
{
    element e;
    e.after_attributes = at;
    std::size_t i = at;
    while (i < text.size()) {
        while (i < text.size() && blank(text[i]))
            ++i;
        if (i >= text.size() || text[i] == '/' || text[i] == '>')
            break;
        attribute a;
        const std::size_t name_begin = i;
        while (i < text.size() && text[i] != '=' && !blank(text[i]) && text[i] != '>' && text[i] != '/')
            ++i;
        a.name = text.substr(name_begin, i - name_begin);
        while (i < text.size() && blank(text[i]))
            ++i;
        if (i >= text.size() || text[i] != '=')
            break; // not well-formed: the game's reader refuses it anyway
        ++i;
        while (i < text.size() && blank(text[i]))
            ++i;
        if (i >= text.size() || (text[i] != '"' && text[i] != '\''))
            break;
        const char quote = text[i++];
        a.value_begin = i;
        a.value_end = text.find(quote, i);
        if (a.value_end == std::string::npos)
            break;
        a.value = read_entities(text.substr(a.value_begin, a.value_end - a.value_begin));
        i = a.value_end + 1;
        e.after_attributes = i;
        e.attributes.push_back(std::move(a));
    }
    return e;
}

std::vector<medal_index::element> medal_index::levels() const
{
    std::vector<element> found;
    std::size_t i = 0;
    while ((i = text.find('<', i)) != std::string::npos) {
        if (text.compare(i, 4, "<!--") == 0) {
            i = text.find("-->", i);
            if (i == std::string::npos)
                break;
            continue;
        }
        const std::size_t name_end = i + 6;
        if (text.compare(i, 6, "<Level") == 0 && name_end < text.size() &&
            (blank(text[name_end]) || text[name_end] == '/' || text[name_end] == '>'))
            found.push_back(read_tag(name_end));
        ++i;
    }
    return found;
}

std::vector<std::string> medal_index::level_files() const
{
    std::vector<std::string> files;
    for (const element& e : levels())
        for (const attribute& a : e.attributes)
            if (a.name == "filename")
                files.push_back(a.value);
    return files;
}

bool medal_index::set(const std::string& level_file, const medal_times& times)
{
    const std::pair<const char*, long> medals[] = {
        {"gold", times.gold_ms}, {"silver", times.silver_ms}, {"bronze", times.bronze_ms}};
    const std::vector<element> found = levels();
    bool named_any = false;
    // From the end of the text back, so that each change leaves the places
    // of those still to come where they were read.
    for (auto e = found.rbegin(); e != found.rend(); ++e) {
        bool named = false;
        for (const attribute& a : e->attributes)
            named = named || (a.name == "filename" && a.value == level_file);
        if (!named)
            continue;
        named_any = true;
        std::string added;
        std::vector<std::pair<const attribute*, std::string>> replaced;
        for (const auto& medal : medals) {
            const std::string name = medal.first;
            const std::string value = medal_times::format_time(medal.second);
            const auto a = std::find_if(e->attributes.begin(), e->attributes.end(),
                                        [&](const attribute& candidate) { return candidate.name == name; });
            if (a != e->attributes.end())
                replaced.emplace_back(&*a, value);
            else
                added += " " + name + "=\"" + value + "\"";
        }
        text.insert(e->after_attributes, added);
        std::sort(replaced.begin(), replaced.end(),
                  [](const auto& a, const auto& b) { return a.first->value_begin > b.first->value_begin; });
        for (const auto& [a, value] : replaced)
            text.replace(a->value_begin, a->value_end - a->value_begin, value);
    }
    return named_any;
}
