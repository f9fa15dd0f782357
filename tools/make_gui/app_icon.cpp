#include "app_icon.h"

#include "gui_icons.h"
#include "gui_shapes.h"

#include <sstream>

namespace {

// Proportions of the icon's square, shared by the pictures and the SVG.
const float tile_margin = 0.06f;
const float tile_corner = 0.18f;
const float rim_width = 0.035f;
// ball_icon draws a ball of 0.4 of its square's width; this square makes it
// 0.3 of the icon.
const float ball_square = 0.75f;
const colour navy_top{0.15f, 0.22f, 0.40f};
const colour navy_bottom{0.07f, 0.11f, 0.22f};
const colour amber{1.0f, 0.72f, 0.22f};

colour tile(float x, float y, float s)
{
    const float m = tile_margin * s;
    const float d = rounded_box(x, y, m, m, s - m, s - m, tile_corner * s);
    colour c = mix(navy_top, navy_bottom, (y - m) / (s - 2 * m));
    c = mix(c, amber, coverage(-d - rim_width * s));
    c.a = coverage(d);
    return c;
}

}

rgba_image paint_app_icon(int size)
{
    const float s = float(size);
    const float ball_w = ball_square * s;
    const float ball_x = (s - ball_w) / 2, ball_y = (s - ball_w) / 2 + 0.03f * s;
    rgba_image image(size, size);
    image.paint([&](float u, float v) {
        const float x = u * s, y = v * s;
        return over(ball_icon(x - ball_x, y - ball_y, ball_w, ball_w), tile(x, y, s));
    });
    return image;
}

std::string app_icon_svg()
{
    const float s = 256, m = tile_margin * s, rim = rim_width * s;
    const float r = 0.4f * ball_square * s, cx = s / 2, cy = s / 2 + 0.03f * s - 4;
    std::ostringstream svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
        << "  <defs>\n"
        << "    <linearGradient id=\"navy\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
        << "      <stop offset=\"0\" stop-color=\"#26385f\"/><stop offset=\"1\" stop-color=\"#121c38\"/>\n"
        << "    </linearGradient>\n"
        << "    <radialGradient id=\"blue\" cx=\"0.32\" cy=\"0.26\" r=\"0.8\">\n"
        << "      <stop offset=\"0\" stop-color=\"#6a9cf8\"/><stop offset=\"0.5\" stop-color=\"#2a5ac8\"/>"
        << "<stop offset=\"1\" stop-color=\"#0a1a44\"/>\n"
        << "    </radialGradient>\n"
        << "    <radialGradient id=\"shine\" cx=\"0.5\" cy=\"0.5\" r=\"0.5\">\n"
        << "      <stop offset=\"0\" stop-color=\"#ffffff\" stop-opacity=\"1\"/>"
        << "<stop offset=\"0.5\" stop-color=\"#ffffff\" stop-opacity=\"0.9\"/>"
        << "<stop offset=\"1\" stop-color=\"#ffffff\" stop-opacity=\"0\"/>\n"
        << "    </radialGradient>\n"
        << "    <clipPath id=\"ball\"><circle cx=\"" << cx << "\" cy=\"" << cy << "\" r=\"" << r << "\"/></clipPath>\n"
        << "  </defs>\n"
        << "  <rect x=\"" << m + rim / 2 << "\" y=\"" << m + rim / 2 << "\" width=\"" << s - 2 * m - rim
        << "\" height=\"" << s - 2 * m - rim << "\" rx=\"" << tile_corner * s - rim / 2
        << "\" fill=\"url(#navy)\" stroke=\"#ffb838\" stroke-width=\"" << rim << "\"/>\n"
        << "  <ellipse cx=\"" << cx + 3 << "\" cy=\"" << cy + r + 2 << "\" rx=\"" << r * 0.8f
        << "\" ry=\"5\" fill=\"#000005\" fill-opacity=\"0.4\"/>\n"
        << "  <circle cx=\"" << cx << "\" cy=\"" << cy << "\" r=\"" << r << "\" fill=\"url(#blue)\"/>\n"
        << "  <rect x=\"" << cx - 1.2f * r << "\" y=\"" << cy - 0.1f * r << "\" width=\"" << 2.4f * r << "\" height=\""
        << 0.34f * r << "\" transform=\"rotate(-20 " << cx << ' ' << cy
        << ")\" fill=\"#ffb838\" clip-path=\"url(#ball)\"/>\n"
        << "  <ellipse cx=\"" << cx - 0.4f * r << "\" cy=\"" << cy - 0.5f * r << "\" rx=\"" << 0.36f * r
        << "\" ry=\"" << 0.28f * r << "\" fill=\"url(#shine)\"/>\n"
        << "</svg>\n";
    return svg.str();
}
