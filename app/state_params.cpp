#include "state_params.h"

boost::any param(const state_params& params, const std::string& key)
{
    const auto found = params.find(key);
    if (found == params.end())
        return boost::any(0);
    return found->second;
}
