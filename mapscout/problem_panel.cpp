#include "problem_panel.h"

#include "app/game_context.h"

#include <MyGUI.h>
#include <MyGUI_OgrePlatform.h>
#include <OgreRenderWindow.h>
#include <OgreResourceGroupManager.h>

namespace {

constexpr int margin = 12;
constexpr int line_height = 22;

}

problem_panel::problem_panel(game_context& context, MyGUI::Gui* given) : gui(given)
{
    if (gui || !context.window)
        return;
    platform = std::make_unique<MyGUI::OgrePlatform>();
    platform->initialise(context.window, context.scene_manager,
                         Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME, context.gui_log_file);
    MyGUI::LogManager::getInstance().setSTDOutputEnabled(false);
    own_gui = std::make_unique<MyGUI::Gui>();
    own_gui->initialise("core.xml");
    gui = own_gui.get();
    // The probe is steered by the mouse; a pointer would only be in the way.
    MyGUI::PointerManager::getInstance().setVisible(false);
}

problem_panel::~problem_panel()
{
    if (own_gui)
        own_gui->shutdown();
    own_gui.reset();
    if (platform)
        platform->shutdown();
}

void problem_panel::show(const std::vector<std::string>& problems)
{
    shown.assign(problems.begin(), problems.begin() + std::min(problems.size(), most_lines));
    if (problems.size() > most_lines)
        shown.push_back("... and " + std::to_string(problems.size() - most_lines) + " more");
    if (!gui)
        return;
    if (MyGUI::Widget* old = gui->findWidgetT("scout_problems", false))
        gui->destroyWidget(old);
    if (shown.empty())
        return;
    const MyGUI::IntSize view = MyGUI::RenderManager::getInstance().getViewSize();
    const int height = int(shown.size()) * line_height + 2 * margin;
    auto* panel = gui->createWidget<MyGUI::Widget>(
        "BannerPanel", MyGUI::IntCoord(margin, view.height - height - margin, view.width - 2 * margin, height),
        MyGUI::Align::Left | MyGUI::Align::Bottom | MyGUI::Align::HStretch, "Main", "scout_problems");
    std::string text;
    for (const std::string& line : shown)
        text += (text.empty() ? "" : "\n") + line;
    auto* words = panel->createWidget<MyGUI::TextBox>(
        "StaticText", MyGUI::IntCoord(margin, margin, panel->getWidth() - 2 * margin, height - 2 * margin),
        MyGUI::Align::Stretch, "scout_problem_text");
    words->setFontName("LinLib_16");
    // A problem may quote a '#', which the GUI would take for a colour.
    words->setCaption(MyGUI::TextIterator::toTagsString(MyGUI::UString(text)));
}
