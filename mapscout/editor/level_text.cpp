#include "level_text.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>

namespace {

// Deeper than any level element may lie (the reader refuses more than 8).
constexpr int deepest = 16;

bool is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool is_name_end(char c)
{
    return is_space(c) || c == '/' || c == '>' || c == '=';
}

// Just past `close` from `from`, or npos.
std::size_t past(const std::string& text, std::size_t from, const char* close)
{
    const std::size_t found = text.find(close, from);
    return found == std::string::npos ? found : found + std::strlen(close);
}

}

level_text::level_text(std::string text) : text(std::move(text))
{
    index();
}

void level_text::index()
{
    objects.clear();
    level.reset();
    objects_close = objects_open_end = level_close = npos;
    // The prolog: declaration, comments, a doctype, then <Level.
    std::size_t at = 0;
    while ((at = text.find('<', at)) != std::string::npos) {
        if (text.compare(at, 4, "<!--") == 0)
            at = past(text, at, "-->");
        else if (text.compare(at, 2, "<?") == 0 || text.compare(at, 2, "<!") == 0)
            at = past(text, at, ">");
        else
            break;
        if (at == npos)
            return;
    }
    if (at == npos || text.compare(at, 6, "<Level") != 0 || !is_name_end(text[at + 6]))
        return;
    level = read_element(at, 1);
    if (!level)
        return;
    if (level->content_end != level->tag_end || text.compare(level->end - 2, 2, "/>") != 0)
        level_close = level->content_end;
    for (element& child : level->children) {
        if (child.name != "Objects")
            continue;
        objects_open_end = child.tag_end;
        if (text.compare(child.end - 2, 2, "/>") != 0)
            objects_close = child.content_end;
        for (element& object : child.children)
            if (object.name == "Object")
                objects.push_back(std::move(object));
        // The objects are kept once, in `objects`.
        child.children.clear();
        break;
    }
    // Lines counted once, in order, for the whole file.
    int line = 1;
    std::size_t counted = 0;
    for (element& object : objects) {
        for (std::size_t i = counted; i < object.begin; ++i)
            line += text[i] == '\n';
        counted = object.begin;
        object.line = line;
    }
}

std::optional<level_text::element> level_text::read_element(std::size_t at, int depth)
{
    if (depth > deepest)
        return std::nullopt;
    element e;
    e.begin = at;
    std::size_t i = at + 1;
    while (i < text.size() && !is_name_end(text[i]))
        ++i;
    e.name = text.substr(at + 1, i - at - 1);
    for (;;) {
        while (i < text.size() && is_space(text[i]))
            ++i;
        if (i >= text.size())
            return std::nullopt;
        if (text.compare(i, 2, "/>") == 0) {
            e.tag_end = e.end = e.content_end = i + 2;
            return e;
        }
        if (text[i] == '>')
            break;
        attribute a;
        a.name_at = i;
        while (i < text.size() && !is_name_end(text[i]))
            ++i;
        a.name = text.substr(a.name_at, i - a.name_at);
        while (i < text.size() && is_space(text[i]))
            ++i;
        if (i >= text.size() || text[i] != '=' || a.name.empty())
            return std::nullopt;
        ++i;
        while (i < text.size() && is_space(text[i]))
            ++i;
        if (i >= text.size() || (text[i] != '"' && text[i] != '\''))
            return std::nullopt;
        const std::size_t close = text.find(text[i], i + 1);
        if (close == std::string::npos)
            return std::nullopt;
        a.value_at = i + 1;
        a.value_end = close;
        e.attributes.push_back(std::move(a));
        i = close + 1;
    }
    e.tag_end = i + 1;
    // The content: text, comments and child elements up to the end tag.
    i = e.tag_end;
    while ((i = text.find('<', i)) != std::string::npos) {
        if (text.compare(i, 4, "<!--") == 0)
            i = past(text, i, "-->");
        else if (text.compare(i, 9, "<![CDATA[") == 0)
            i = past(text, i, "]]>");
        else if (text.compare(i, 2, "<?") == 0 || text.compare(i, 2, "<!") == 0)
            i = past(text, i, ">");
        else if (text.compare(i, 2, "</") == 0) {
            e.content_end = i;
            e.end = past(text, i, ">");
            if (e.end == npos)
                return std::nullopt;
            return e;
        } else {
            std::optional<element> child = read_element(i, depth + 1);
            if (!child)
                return std::nullopt;
            i = child->end;
            e.children.push_back(std::move(*child));
        }
        if (i == npos)
            return std::nullopt;
    }
    return std::nullopt;
}

namespace {

const level_text::attribute* find_attribute(const level_text::element& e, const std::string& name)
{
    for (const auto& a : e.attributes)
        if (a.name == name)
            return &a;
    return nullptr;
}

}

const level_text::element* level_text::section(const std::string& name) const
{
    if (!level)
        return nullptr;
    for (const element& child : level->children)
        if (child.name == name)
            return &child;
    return nullptr;
}

std::optional<std::string> level_text::value_of(const element& e, const std::string& name) const
{
    const attribute* a = find_attribute(e, name);
    if (!a)
        return std::nullopt;
    return unescaped(text.substr(a->value_at, a->value_end - a->value_at));
}

std::string level_text::words_of(const element& e) const
{
    if (!e.children.empty())
        return "";
    return unescaped(text.substr(e.tag_end, e.content_end - e.tag_end));
}

std::optional<std::string> level_text::value(std::size_t object, const std::string& name) const
{
    return value_of(objects.at(object), name);
}

std::optional<std::string> level_text::child_value(std::size_t object, std::size_t child,
                                                   const std::string& name) const
{
    return value_of(objects.at(object).children.at(child), name);
}

std::string level_text::inner_text(std::size_t object) const
{
    return words_of(objects.at(object));
}

text_edit level_text::set_attribute(const element& e, const std::string& name, const std::string& value) const
{
    if (const attribute* a = find_attribute(e, name))
        return {a->value_at, text.substr(a->value_at, a->value_end - a->value_at), escaped(value)};
    const std::size_t at = e.attributes.empty() ? e.begin + 1 + e.name.size() : e.attributes.back().value_end + 1;
    return {at, "", " " + name + "=\"" + escaped(value) + "\""};
}

text_edit level_text::set_value(std::size_t object, const std::string& name, const std::string& value) const
{
    return set_attribute(objects.at(object), name, value);
}

text_edit level_text::set_child_value(std::size_t object, std::size_t child, const std::string& name,
                                      const std::string& value) const
{
    return set_attribute(objects.at(object).children.at(child), name, value);
}

text_edit level_text::remove_value(std::size_t object, const std::string& name) const
{
    return remove_attribute(objects.at(object), name);
}

text_edit level_text::remove_attribute(const element& e, const std::string& name) const
{
    const attribute* a = find_attribute(e, name);
    if (!a)
        return {};
    std::size_t from = a->name_at;
    while (from > 0 && is_space(text[from - 1]))
        --from;
    return {from, text.substr(from, a->value_end + 1 - from), ""};
}

text_edit level_text::set_inner_text(std::size_t object, const std::string& words) const
{
    return set_words(objects.at(object), words);
}

text_edit level_text::set_words(const element& e, const std::string& words) const
{
    if (!e.children.empty())
        return {};
    if (e.tag_end == e.end) {
        // <Element .../> opens to hold the words.
        return {e.end - 2, "/>", ">" + escaped(words) + "</" + e.name + ">"};
    }
    return {e.tag_end, text.substr(e.tag_end, e.content_end - e.tag_end), escaped(words)};
}

text_edit level_text::insert_section(const std::vector<std::string>& after, const std::string& element_text) const
{
    // <Level/> has no inside to put a section into.
    if (!level || level_close == npos)
        return {};
    const element* last = nullptr;
    for (const element& child : level->children)
        if (std::find(after.begin(), after.end(), child.name) != after.end() && (!last || child.end > last->end))
            last = &child;
    if (last)
        return {last->end, "", line_break() + indent_of(*last) + element_text};
    const std::string indent = level->children.empty() ? "  " : indent_of(level->children.front());
    return {level->tag_end, "", line_break() + indent + element_text};
}

std::size_t level_text::line_start(std::size_t at) const
{
    const std::size_t newline = text.rfind('\n', at == 0 ? 0 : at - 1);
    return at == 0 || newline == std::string::npos ? 0 : newline + 1;
}

std::string level_text::line_break() const
{
    return text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
}

std::string level_text::indent_of(const element& e) const
{
    const std::size_t start = line_start(e.begin);
    const std::string before = text.substr(start, e.begin - start);
    for (char c : before)
        if (c != ' ' && c != '\t')
            return "";
    return before;
}

text_edit level_text::remove_object(std::size_t object) const
{
    const element& e = objects.at(object);
    const std::size_t start = line_start(e.begin);
    std::size_t stop = e.end;
    while (stop < text.size() && (text[stop] == ' ' || text[stop] == '\t' || text[stop] == '\r'))
        ++stop;
    const bool alone = (start == e.begin || !indent_of(e).empty()) && stop < text.size() && text[stop] == '\n';
    if (alone)
        return {start, text.substr(start, stop + 1 - start), ""};
    return {e.begin, text.substr(e.begin, e.end - e.begin), ""};
}

text_edit level_text::insert_object(std::size_t after, const std::string& element_text) const
{
    const std::string lb = line_break();
    if (after >= objects.size() && !objects.empty())
        after = objects.size() - 1;
    if (after < objects.size())
        return {objects[after].end, "", lb + indent_of(objects[after]) + element_text};
    if (objects_close != npos) {
        const std::size_t start = line_start(objects_close);
        const std::string before = text.substr(start, objects_close - start);
        if (before.find_first_not_of(" \t") == std::string::npos)
            return {start, "", before + "  " + element_text + lb};
        return {objects_close, "", element_text};
    }
    if (objects_open_end != npos) {
        // <Objects/>: it opens to hold the object.
        return {objects_open_end - 2, "/>", ">" + lb + "    " + element_text + lb + "  </Objects>"};
    }
    if (level_close != npos)
        return {level_close, "", "  <Objects>" + lb + "    " + element_text + lb + "  </Objects>" + lb};
    return {};
}

std::string level_text::object_source(std::size_t object) const
{
    const element& e = objects.at(object);
    return text.substr(e.begin, e.end - e.begin);
}

void level_text::apply(const text_edit& edit)
{
    text.replace(edit.at, edit.removed.size(), edit.inserted);
    if (!shifted(edit.at, edit.removed, edit.inserted))
        index();
}

void level_text::undo(const text_edit& edit)
{
    text.replace(edit.at, edit.inserted.size(), edit.removed);
    if (!shifted(edit.at, edit.inserted, edit.removed))
        index();
}

namespace {

bool plain_value(const std::string& bytes)
{
    return bytes.find_first_of("<>\"'&\n") == std::string::npos;
}

void shift(std::size_t& offset, std::size_t after, std::ptrdiff_t by)
{
    if (offset > after)
        offset = std::size_t(std::ptrdiff_t(offset) + by);
}

void shift(level_text::element& e, std::size_t after, std::ptrdiff_t by)
{
    shift(e.begin, after, by);
    shift(e.tag_end, after, by);
    shift(e.end, after, by);
    shift(e.content_end, after, by);
    for (auto& a : e.attributes) {
        shift(a.name_at, after, by);
        shift(a.value_at, after, by);
        shift(a.value_end, after, by);
    }
    for (auto& child : e.children)
        shift(child, after, by);
}

bool inside(const level_text::element& e, std::size_t at, std::size_t length)
{
    for (const auto& a : e.attributes)
        if (a.value_at <= at && at + length <= a.value_end)
            return true;
    for (const auto& child : e.children)
        if (inside(child, at, length))
            return true;
    return false;
}

}

bool level_text::shifted(std::size_t at, const std::string& removed, const std::string& inserted)
{
    // A value changed between its quotes (a move, a turn) leaves every tag as
    // it was: the offsets after it shift, and nothing is read again, which on
    // a large course costs far more than the change.
    if (removed.empty() || !plain_value(removed) || !plain_value(inserted))
        return false;
    auto object = std::upper_bound(objects.begin(), objects.end(), at,
                                   [](std::size_t where, const element& e) { return where < e.begin; });
    if (object == objects.begin())
        return false;
    --object;
    if (!inside(*object, at, removed.size()))
        return false;
    const std::ptrdiff_t by = std::ptrdiff_t(inserted.size()) - std::ptrdiff_t(removed.size());
    // The value's own end moves with it: offsets past its first byte shift.
    for (auto e = object; e != objects.end(); ++e)
        shift(*e, at, by);
    if (level)
        shift(*level, at, by);
    shift(objects_close, at, by);
    shift(objects_open_end, at, by);
    shift(level_close, at, by);
    return true;
}

std::string level_text::escaped(const std::string& plain)
{
    std::string out;
    for (char c : plain) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string level_text::unescaped(const std::string& written)
{
    static const struct {
        const char* entity;
        char plain;
    } known[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (std::size_t i = 0; i < written.size(); ++i) {
        bool replaced = false;
        if (written[i] == '&')
            for (const auto& k : known)
                if (written.compare(i, std::strlen(k.entity), k.entity) == 0) {
                    out += k.plain;
                    i += std::strlen(k.entity) - 1;
                    replaced = true;
                    break;
                }
        if (!replaced)
            out += written[i];
    }
    return out;
}
