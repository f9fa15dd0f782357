#pragma once

// Parameters that travel with a state transition ("gui", "campaign", "level").
// Every read goes through param(): a missing key reads as the int 0, so a
// reader that any_casts to its own type fails loudly instead of reading junk.

#include <boost/any.hpp>

#include <map>
#include <string>

using state_params = std::map<std::string, boost::any>;

boost::any param(const state_params& params, const std::string& key);

// The value under key when it holds a T, otherwise fallback. For readers that
// treat a missing or mistyped parameter as "not given".
template <typename T>
T param_or(const state_params& params, const std::string& key, T fallback)
{
    const boost::any value = param(params, key);
    if (const T* held = boost::any_cast<T>(&value))
        return *held;
    return fallback;
}
