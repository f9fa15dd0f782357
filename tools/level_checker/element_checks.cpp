#include "element_checks.h"

#include "app/load_xml.h"

#include <tinyxml.h>

#include <cstring>

namespace {

bool listed(const char* name, std::initializer_list<const char*> known)
{
    for (const char* k : known)
        if (std::strcmp(name, k) == 0)
            return true;
    return false;
}

}

element_checks::element_checks(check_report& report, std::string file) : report(report), file(std::move(file)) {}

const TiXmlElement* element_checks::load(TiXmlDocument& document, const char* name, const std::string& consequence)
{
    const xml_result read = load_xml(file, document);
    if (read != xml_result::loaded) {
        const char* advice = read != xml_result::unreadable ? ""
                             : document.Error()             ? "; fix the XML here or just before"
                                                            : "; check the path";
        not_loaded(describe_xml_problem(read, document), consequence, advice);
        return nullptr;
    }
    const TiXmlElement* root = document.FirstChildElement(name);
    if (!root) {
        const TiXmlElement* top = document.FirstChildElement();
        no_root(top ? top->Row() : 1, name, consequence);
    }
    return root;
}

void element_checks::not_loaded(const xml_problem& problem, const std::string& consequence, const char* advice)
{
    report.error(file, problem.line, problem.reason + ", so " + consequence + advice);
}

void element_checks::no_root(int line, const char* name, const std::string& consequence)
{
    report.error(file, line,
                 std::string("no <") + name + "> element, so " + consequence + "; make <" + name +
                     "> the top element (names are case-sensitive)");
}

int element_checks::row_of(const TiXmlElement* element, const char* attribute)
{
    if (attribute)
        for (const TiXmlAttribute* a = element->FirstAttribute(); a; a = a->Next())
            if (a->NameTStr() == attribute)
                return a->Row();
    return element->Row();
}

void element_checks::error(const TiXmlElement* element, const char* attribute, const std::string& message)
{
    report.error(file, row_of(element, attribute), message);
}

void element_checks::warning(const TiXmlElement* element, const char* attribute, const std::string& message)
{
    report.warning(file, row_of(element, attribute), message);
}

void element_checks::value(const TiXmlElement* element, const char* attribute,
                           value_checks::result (*read)(const std::string&))
{
    const char* text = element->Attribute(attribute);
    if (!text)
        return;
    const value_checks::result found = read(text);
    const std::string value = std::string(attribute) + "=\"" + text + "\"";
    if (found.kind == value_checks::verdict::rejected)
        error(element, attribute,
              value + " cannot be read (" + found.problem + "), so the game uses a default instead");
    else if (found.kind == value_checks::verdict::doubtful)
        warning(element, attribute, value + ": " + found.problem + "; check the value");
}

void element_checks::vector(const TiXmlElement* element, const char* attribute)
{
    value(element, attribute, value_checks::vector);
}

void element_checks::position(const TiXmlElement* element, const char* attribute)
{
    value(element, attribute, value_checks::position);
}

void element_checks::colour(const TiXmlElement* element, const char* attribute)
{
    value(element, attribute, value_checks::colour);
}

void element_checks::real(const TiXmlElement* element, const char* attribute)
{
    value(element, attribute, value_checks::real);
}

void element_checks::integer(const TiXmlElement* element, const char* attribute)
{
    value(element, attribute, value_checks::integer);
}

void element_checks::media_file(const TiXmlElement* element, const char* attribute, const media_folders& media,
                                media_folders::kind what)
{
    const char* name = element->Attribute(attribute);
    if (!name || media.exists(what, name, file))
        return;
    const std::string value = std::string(attribute) + "=\"" + name + "\"";
    const std::string folders = media.searched(what, file);
    if (media.has_root())
        error(element, attribute, value + " names no file in " + folders + "; check the name or add the file");
    else
        warning(element, attribute,
                value + (folders.empty() ? " cannot be looked for" : " names no file in " + folders) +
                    "; generated media lie in the build's run folder, so pass --root <run folder>");
}

void element_checks::unused_attributes(const TiXmlElement* element, std::initializer_list<const char*> known,
                                       const std::string& what)
{
    for (const TiXmlAttribute* a = element->FirstAttribute(); a; a = a->Next())
        if (!listed(a->Name(), known))
            report.warning(file, a->Row(),
                           "attribute \"" + a->NameTStr() + "\" means nothing on " + what +
                               " and is ignored; check its spelling or remove it");
}

void element_checks::unused_children(const TiXmlElement* element, std::initializer_list<const char*> known)
{
    for (const TiXmlElement* child = element->FirstChildElement(); child; child = child->NextSiblingElement())
        if (!listed(child->Value(), known))
            report.warning(file, child->Row(),
                           "<" + child->ValueStr() + "> inside <" + element->ValueStr() +
                               "> is ignored by the game; check its spelling or remove it");
}
