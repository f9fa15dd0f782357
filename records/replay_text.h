#pragma once

// The replay file's text form, apart from the record it holds: writing a
// record as text and reading it back bit for bit, refusing as a whole any
// text cut short or edited into nonsense. The format is described in
// replay_text.cpp. replay::to_text and replay::parse are the callers' way in.

#include <string>

class replay;

std::string replay_to_text(const replay& r);
// On failure `out` is unchanged and `error` says what is wrong, as "line N: ...".
bool replay_from_text(const std::string& text, replay& out, std::string& error);
