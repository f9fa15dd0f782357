#include "clipped_texts.h"

#include <MyGUI.h>

#include <set>

namespace {

// Where the text lands inside `area`, placed by its alignment.
MyGUI::IntRect placed(const MyGUI::IntCoord& area, const MyGUI::IntSize& text, MyGUI::Align align)
{
    int left = area.left, top = area.top;
    if (align.isRight())
        left = area.right() - text.width;
    else if (align.isHCenter())
        left = area.left + (area.width - text.width) / 2;
    if (align.isBottom())
        top = area.bottom() - text.height;
    else if (align.isVCenter())
        top = area.top + (area.height - text.height) / 2;
    return {left, top, left + text.width, top + text.height};
}

bool inside(const MyGUI::IntRect& inner, const MyGUI::IntRect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string size_text(int width, int height)
{
    return std::to_string(width) + "x" + std::to_string(height);
}

class text_walk {
public:
    text_walk() : view(MyGUI::RenderManager::getInstance().getViewSize()) {}

    void visit(MyGUI::Widget* widget)
    {
        if (!widget->getInheritedVisible() || !seen.insert(widget).second)
            return;
        check(*widget);
        for (size_t i = 0; i < widget->getChildCount(); ++i)
            visit(widget->getChildAt(i));
        // Lists keep their lines in the client widget inside their skin.
        if (MyGUI::Widget* client = widget->getClientWidget())
            for (size_t i = 0; i < client->getChildCount(); ++i)
                visit(client->getChildAt(i));
    }

    std::vector<std::string> found;

private:
    void check(MyGUI::Widget& widget)
    {
        MyGUI::ISubWidgetText* text = widget.getSubWidgetText();
        if (!text || text->getCaption().empty())
            return;
        const MyGUI::IntSize size = text->getTextSize();
        const MyGUI::IntCoord area(widget.getAbsoluteLeft() + text->getLeft(), widget.getAbsoluteTop() + text->getTop(),
                                   text->getWidth(), text->getHeight());
        const std::string what = "\"" + text->getCaption().asUTF8() + "\" in " + name_of(widget) + " (" +
                                 size_text(size.width, size.height) + ")";
        if (size.width > area.width || size.height > area.height) {
            found.push_back(what + " has room for " + size_text(area.width, area.height));
            return;
        }
        const MyGUI::IntRect drawn = placed(area, size, text->getTextAlign());
        if (!inside(drawn, {0, 0, view.width, view.height})) {
            found.push_back(what + " runs off the window");
            return;
        }
        for (MyGUI::Widget* holder = widget.getParent(); holder; holder = holder->getParent()) {
            MyGUI::IntRect bounds = holder->getAbsoluteRect();
            // A list scrolls its lines up and down (a campaign longer than
            // the list): only a line too wide for it is cut.
            if (scrolls_lines(*holder)) {
                bounds.top = drawn.top;
                bounds.bottom = drawn.bottom;
            }
            if (!inside(drawn, bounds)) {
                found.push_back(what + " is cropped by " + name_of(*holder));
                return;
            }
        }
    }

    static bool scrolls_lines(MyGUI::Widget& holder)
    {
        if (holder.isType<MyGUI::ListBox>())
            return true;
        MyGUI::Widget* parent = holder.getParent();
        return parent && parent->isType<MyGUI::ListBox>() && parent->getClientWidget() == &holder;
    }

    static std::string name_of(const MyGUI::Widget& widget)
    {
        return widget.getName().empty() ? "an unnamed " + widget.getTypeName() : widget.getName();
    }

    MyGUI::IntSize view;
    std::set<MyGUI::Widget*> seen;
};

}

std::vector<std::string> clipped_texts(MyGUI::Gui& gui)
{
    text_walk walk;
    for (MyGUI::EnumeratorWidgetPtr roots = gui.getEnumerator(); roots.next();)
        walk.visit(roots.current());
    return walk.found;
}
