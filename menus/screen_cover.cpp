#include "screen_cover.h"

#include <MyGUI_Gui.h>

#include <algorithm>

void screen_cover::cover(MyGUI::Gui* gui, const MyGUI::Widget* keep)
{
    if (!gui)
        return;
    auto roots = gui->getEnumerator();
    while (roots.next())
        if (roots.current() != keep && roots.current()->getVisible()) {
            roots.current()->setVisible(false);
            hidden.push_back(roots.current());
        }
}

void screen_cover::uncover(MyGUI::Gui* gui)
{
    if (gui) {
        // Only widgets still on screen: one hidden may have gone meanwhile.
        auto roots = gui->getEnumerator();
        while (roots.next())
            if (std::find(hidden.begin(), hidden.end(), roots.current()) != hidden.end())
                roots.current()->setVisible(true);
    }
    hidden.clear();
}
