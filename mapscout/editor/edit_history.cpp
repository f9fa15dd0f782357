#include "edit_history.h"

void edit_history::record(change made)
{
    changes.resize(done);
    if (saved_valid && saved_at > done)
        saved_valid = false;
    changes.push_back(std::move(made));
    ++done;
}

const edit_history::change* edit_history::undo()
{
    if (!can_undo())
        return nullptr;
    return &changes[--done];
}

const edit_history::change* edit_history::redo()
{
    if (!can_redo())
        return nullptr;
    return &changes[done++];
}
