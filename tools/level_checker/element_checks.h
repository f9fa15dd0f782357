#pragma once

// Checks shared by every part of a file: reading an attribute's value as a
// vector, colour, real or integer (an error when the game cannot read it, a
// warning when it reads it only in part), finding the meshes, music and
// previews it names, and spotting attributes or child elements the game
// never reads (usually misspellings). Each problem is reported at the line
// of the attribute or element at fault. The report must outlive this object.

#include "check_report.h"
#include "media_folders.h"
#include "value_checks.h"

#include <initializer_list>
#include <string>

class TiXmlDocument;
class TiXmlElement;
struct xml_problem;

class element_checks {
public:
    element_checks(check_report& report, std::string file);

    const std::string& get_file() const { return file; }

    // Loads the file into `document` and returns its first `name` element;
    // else reports why there is none, with what the game then does, and
    // returns null. The element lives as long as the document.
    const TiXmlElement* load(TiXmlDocument& document, const char* name, const std::string& consequence);
    // The reports load makes, for files read another way: why the file was
    // not loaded (advice follows the consequence), and a missing top element.
    void not_loaded(const xml_problem& problem, const std::string& consequence, const char* advice);
    void no_root(int line, const char* name, const std::string& consequence);

    // The line of the attribute, or of the element when it has no such attribute.
    static int row_of(const TiXmlElement* element, const char* attribute = nullptr);

    void error(const TiXmlElement* element, const char* attribute, const std::string& message);
    void warning(const TiXmlElement* element, const char* attribute, const std::string& message);

    void vector(const TiXmlElement* element, const char* attribute);
    void position(const TiXmlElement* element, const char* attribute);
    void colour(const TiXmlElement* element, const char* attribute);
    void real(const TiXmlElement* element, const char* attribute);
    void integer(const TiXmlElement* element, const char* attribute);

    // A media file named by the attribute must exist: an error with --root,
    // else a warning, since generated media lie in the run folder.
    void media_file(const TiXmlElement* element, const char* attribute, const media_folders& media,
                    media_folders::kind what);

    // what: how the message names the element, e.g. "a block object".
    void unused_attributes(const TiXmlElement* element, std::initializer_list<const char*> known,
                           const std::string& what);
    void unused_children(const TiXmlElement* element, std::initializer_list<const char*> known);

private:
    void value(const TiXmlElement* element, const char* attribute,
               value_checks::result (*read)(const std::string&));

    check_report& report;
    std::string file;
};
