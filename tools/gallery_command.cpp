// `pixmill gallery DIR`: one representative call of every family of exports on
// the generated pictures. Each call is made through `pixmill run` itself, with
// the very words the page shows, so the command under each picture reproduces
// it; DIR receives the input and output pictures, as PNG files every browser
// shows, and an index.html that shows them side by side.
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

#include "commands.h"
#include "exports.h"
#include "image_files.h"
#include "output_file.h"
#include "pictures.h"
#include "pixmill.h"
#include "tool_error.h"

namespace pixmill_tool {

namespace {

struct Arg {
    std::string name, value;
};

Arg arg(const char* name, int32_t v) { return {name, std::to_string(v)}; }
Arg arg(const char* name, const char* v) { return {name, v}; }

struct GalleryCall {
    const char* family;   // section heading; calls of one family follow each other
    const char* caption;  // what the call shows
    const char* export_name;
    Image dest;              // the destination before the call
    std::vector<Arg> args;   // every argument but dest; surfaces name files in DIR
};

// The shared inputs, written once.
struct SharedInput {
    const char* file;
    Image image;
};

constexpr int32_t kW = 192, kH = 144;  // the landscape every call starts from
constexpr int32_t kS = 48;              // sprites, gems and masks
constexpr const char* kPicture = "picture.png";
constexpr const char* kSmall = "small-picture.png";
constexpr const char* kSprite = "sprite.png";
constexpr const char* kGem = "gem.png";
constexpr const char* kMask = "round-mask.png";
constexpr const char* kGemSprite = "gem-sprite.png";
// Made by the sixth call; a call reading a file not yet written stops the gallery.
constexpr const char* kSoftGem = "06-Render_BitBlt24to32TColorAlphaPostProcess-out.png";

std::vector<SharedInput> shared_inputs()
{
    std::vector<SharedInput> in;
    in.push_back({kPicture, landscape(kW, kH)});
    in.push_back({kSmall, landscape(kS, kS)});
    in.push_back({kSprite, soft_sprite(kS)});
    in.push_back({kGem, keyed_gem(kS)});
    in.push_back({kMask, round_mask(kS)});
    in.push_back({kGemSprite, gem_sprite(kS)});
    return in;
}

Image filled(int32_t w, int32_t h, int bits, int32_t red, int32_t green, int32_t blue)
{
    Image im(w, h, bits);
    if (bits == 24)
        Render_DrawBar24(im.surface(), 0, 0, w, h, red, green, blue);
    else
        Render_DrawBar32AlphaT(im.surface(), 0, 0, w, h, red, green, blue, 0);
    return im;
}

// A dark 32-bit image whose alpha is a round vignette: opaque in the middle,
// fading to clear at the corners.
Image vignette(int32_t w, int32_t h)
{
    Image v = filled(w, h, 32, 30, 34, 48);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const double r = std::hypot((x + 0.5) / w - 0.5, (y + 0.5) / h - 0.5) * 2.0;
            v.pixel(x, y)[3] = r < 0.6 ? 255 : clamp_byte(255.0 * (1.0 - (r - 0.6) / 0.5));
        }
    return v;
}

Image picture32()
{
    Image p = landscape(kW, kH), q(kW, kH, 32);
    Render_BitBlt24to32(q.surface(), 0, 0, kW, kH, p.surface(), 0, 0);
    Render_Set32Alpha(q.surface(), 255);
    return q;
}

std::vector<Arg> plus(std::vector<Arg> a, const std::vector<Arg>& more)
{
    a.insert(a.end(), more.begin(), more.end());
    return a;
}

std::vector<GalleryCall> gallery_calls()
{
    const std::vector<Arg> key = {arg("red", kKeyRed), arg("green", kKeyGreen), arg("blue", kKeyBlue)};
    const std::vector<Arg> gem_at = {arg("dx", 30), arg("dy", 44), arg("w", kS), arg("h", kS), arg("src", kGem),
                                     arg("sx", 0), arg("sy", 0)};
    const std::vector<Arg> soft = plus({arg("dx", 12), arg("dy", 12), arg("w", kS), arg("h", kS), arg("src", kGem),
                                        arg("sx", 0), arg("sy", 0)},
                                       plus(key, {arg("alpha", 255), arg("passes", 4)}));
    const std::vector<Arg> enlarge = {arg("dx", 6),   arg("dy", 6),   arg("dw", 108), arg("dh", 108),
                                      arg("src", kPicture), arg("sx", 120), arg("sy", 19), arg("sw", 36),
                                      arg("sh", 36)};
    const std::vector<Arg> whole = {arg("x", 0), arg("y", 0), arg("w", kW), arg("h", kH)};

    std::vector<GalleryCall> c;
    c.push_back({"Block transfers", "A 32-bit sprite blended onto the picture by its own alpha.",
                 "Render_BitBlt32to24", landscape(kW, kH),
                 {arg("dx", 110), arg("dy", 14), arg("w", kS), arg("h", kS), arg("src", kSprite), arg("sx", 0),
                  arg("sy", 0)}});
    c.push_back({"Block transfers",
                 "A 24-bit picture copied into a 32-bit image whose alpha is a round vignette; the alpha bytes "
                 "stay as they were.",
                 "Render_BitBlt24to32", vignette(kW, kH),
                 {arg("dx", 0), arg("dy", 0), arg("w", kW), arg("h", kH), arg("src", kPicture), arg("sx", 0),
                  arg("sy", 0)}});
    c.push_back({"Colour key and constant alpha", "The gem drawn with its magenta background left out.",
                 "Render_BitBlt24to24TColor", landscape(kW, kH), plus(gem_at, key)});
    c.push_back({"Colour key and constant alpha", "The same gem, key left out and the rest blended at alpha 128.",
                 "Render_BitBlt24to24TColorAlpha", landscape(kW, kH), plus(plus(gem_at, key), {arg("alpha", 128)})});
    c.push_back({"Masks and soft edges",
                 "A small picture copied through a round mask: the mask's red byte weighs each pixel.",
                 "Render_BitBlt24to24Mask24", landscape(kW, kH),
                 {arg("dx", 16), arg("dy", 16), arg("w", kS), arg("h", kS), arg("src", kSmall), arg("sx", 0),
                  arg("sy", 0), arg("mask", kMask)}});
    c.push_back({"Masks and soft edges",
                 "The gem copied into a clear 32-bit image at alpha 255, then four passes soften its alpha "
                 "along the edges.",
                 "Render_BitBlt24to32TColorAlphaPostProcess", filled(72, 72, 32, 0, 0, 0), soft});
    c.push_back({"Masks and soft edges", "The alpha bytes of the softened gem shown as grey.",
                 "Render_BitBlt32Maskto24", filled(72, 72, 24, 0, 0, 0),
                 {arg("dx", 0), arg("dy", 0), arg("w", 72), arg("h", 72), arg("src", kSoftGem), arg("sx", 0),
                  arg("sy", 0)}});
    c.push_back({"Scaling, nearest sample", "The sun's corner enlarged three times, each pixel one sample.",
                 "Render_StretchBlt24to24", landscape(kW, kH), enlarge});
    c.push_back({"Scaling, smoothed",
                 "The same call smoothed: each pixel the mean of a sample and its four neighbours.",
                 "Render_StretchBltBillinear24to24", landscape(kW, kH), enlarge});
    c.push_back({"Bars", "A red bar blended at alpha 128.", "Render_DrawBar24Alpha", landscape(kW, kH),
                 {arg("x", 18), arg("y", 18), arg("w", 90), arg("h", 76), arg("red", 220), arg("green", 40),
                  arg("blue", 40), arg("alpha", 128)}});
    c.push_back({"Outlines", "A one-pixel outline; it runs past the right edge and is closed along it.",
                 "Render_DrawRect24", landscape(kW, kH),
                 {arg("x", 18), arg("y", 18), arg("w", 250), arg("h", 108), arg("red", 255), arg("green", 255),
                  arg("blue", 255)}});
    c.push_back({"Offsets and contrast", "Red raised by 60 and blue lowered by 40, each cut to 0..255.",
                 "Render_GammaCorrect24", landscape(kW, kH),
                 plus(whole, {arg("redOffset", 60), arg("greenOffset", 0), arg("blueOffset", -40)})});
    c.push_back({"Offsets and contrast", "Contrast about mid-grey raised by a factor of 1.8.", "Render_Contrast24",
                 landscape(kW, kH), plus(whole, {arg("factor", "1.8")})});
    c.push_back({"Channel operations", "The right half inverted.", "Render_Invert24", landscape(kW, kH),
                 {arg("x", kW / 2), arg("y", 0), arg("w", kW / 2), arg("h", kH)}});
    c.push_back({"Channel operations", "The left half of a 32-bit copy mirrored left to right.",
                 "Render_HorizontalFlip32", picture32(), {arg("x", 0), arg("y", 0), arg("w", kW / 2), arg("h", kH)}});
    c.push_back({"Hue, lightness and saturation", "Hue turned back by 100 of 240 steps, saturation raised by 20.",
                 "Render_AjustHLS32", picture32(),
                 plus(whole, {arg("hueDelta", -100), arg("lumDelta", 0), arg("satDelta", 20)})});
    c.push_back({"Blur", "One in-place sweep of the five-point blur over the lower half.", "Render_Blur24",
                 landscape(kW, kH), {arg("x", 0), arg("y", kH / 2), arg("w", kW), arg("h", kH / 2)}});
    c.push_back({"Ripple", "Rings spreading from the centre, amplitude 15, spread 65.", "Render_RoundsFromWater24",
                 landscape(kW, kH), plus(whole, {arg("amplitude", 15), arg("spread", 65)})});
    c.push_back({"Rotation", "The picture turned by 30 degrees into a dark image.", "Render_Rotate24to24",
                 filled(kW, kH, 24, 30, 34, 48), {arg("src", kPicture), arg("angle", 30)}});
    c.push_back({"Rotation", "The opaque gem turned by 30 degrees onto the picture, blended by its alpha.",
                 "Render_Rotate32to24", landscape(kW, kH), {arg("src", kGemSprite), arg("angle", 30)}});
    return c;
}

struct Picture {
    int32_t width, height;
    int bits;
};

std::string two_digits(size_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// A call as made: its arguments in the export's order (surfaces as file
// names in DIR) and the file the destination was written to.
struct MadeCall {
    std::vector<Arg> ordered;
    std::string output;
};

std::string command_line(const GalleryCall& c, const MadeCall& m)
{
    std::string line = std::string("pixmill run ") + c.export_name;
    for (const Arg& a : m.ordered) line += " --" + a.name + " " + a.value;
    return line + " -o " + m.output;
}

void write_page(std::ostringstream& html, const std::vector<GalleryCall>& calls, const std::vector<MadeCall>& made,
                const std::map<std::string, Picture>& pictures)
{
    auto figure = [&](const std::string& file, const std::string& label) {
        const Picture& p = pictures.at(file);
        html << "<figure><img src=\"" << file << "\" width=\"" << p.width << "\" height=\"" << p.height
             << "\" alt=\"" << file << "\"><figcaption>" << label << "<br><span>" << file << ", " << p.width
             << " &times; " << p.height << ", " << p.bits << "-bit</span></figcaption></figure>\n";
    };
    html << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>Pixmill gallery</title>\n"
            "<style>\n"
            "body{font:15px/1.45 sans-serif;margin:24px 32px;background:#f4f2ee;color:#222}\n"
            "h1{margin:0 0 4px}h2{margin:28px 0 8px;padding-bottom:4px;border-bottom:1px solid #ccc}\n"
            ".call{margin:0 0 18px}.row{display:flex;align-items:center;gap:18px;flex-wrap:wrap}\n"
            "figure{margin:0}figcaption{font-size:13px;color:#444}figcaption span{color:#777}\n"
            "img{display:block;zoom:2;image-rendering:pixelated;"
            "background:repeating-conic-gradient(#ccc 0 25%,#fff 0 50%) 0 0/8px 8px}\n"
            ".arrow{font-size:28px;color:#888}p{margin:6px 0}\n"
            "code{display:block;font:13px monospace;background:#e8e5df;padding:6px 8px;margin:4px 0;"
            "white-space:pre-wrap}\n"
            "</style></head><body>\n<h1>Pixmill gallery</h1>\n"
            "<p>One call of each family of exports on the generated pictures: the surfaces it was given, and the "
            "destination after it, shown at twice their size. Run the command under a call in this directory to "
            "make it again.</p>\n";
    std::string family;
    for (size_t i = 0; i < calls.size(); ++i) {
        const GalleryCall& c = calls[i];
        const ExportEntry& e = *find_export(c.export_name);
        if (family != c.family) html << "<h2>" << (family = c.family) << "</h2>\n";
        html << "<div class=\"call\"><p>" << c.caption << "</p>\n<div class=\"row\">\n";
        std::string c_call = std::string(c.export_name) + "(";
        for (size_t a = 0; a < made[i].ordered.size(); ++a) {
            const Arg& arg = made[i].ordered[a];
            const bool surface = e.kinds[a] == ArgKind::kSurface;
            if (surface) figure(arg.value, "--" + arg.name + (arg.name == "dest" ? " before" : ""));
            c_call += (a ? ", " : "") + (surface ? "&amp;" + arg.name : arg.value);
        }
        html << "<span class=\"arrow\">&rarr;</span>\n";
        figure(made[i].output, "--dest after");
        html << "</div>\n<code class=\"run\">" << command_line(c, made[i]) << "</code><code>" << c_call
             << ")</code></div>\n";
    }
    html << "</body></html>\n";
}

}  // namespace

int gallery_command(const std::vector<std::string>& args, std::ostream& out)
{
    if (args.size() != 1) throw ToolError("gallery: expected one directory (pixmill gallery DIR)");
    const std::string& dir = args[0];
    if (dir.empty() || dir[0] == '-') throw ToolError("gallery: expected a directory, not '" + dir + "'");
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!std::filesystem::is_directory(dir)) throw ToolError(dir + ": cannot make a directory there");
    auto in_dir = [&](const std::string& file) { return (std::filesystem::path(dir) / file).string(); };

    std::map<std::string, Picture> pictures;
    // 32-bit pictures are written with their alpha, which the page shows.
    auto save = [&](const std::string& file, const Image& image) {
        write_picture(in_dir(file), image);
        pictures[file] = {image.width(), image.height(), image.bits()};
    };
    for (const SharedInput& s : shared_inputs()) save(s.file, s.image);

    std::vector<GalleryCall> calls = gallery_calls();
    std::vector<MadeCall> made;
    std::ostringstream sink;
    for (size_t i = 0; i < calls.size(); ++i) {
        GalleryCall& c = calls[i];
        const ExportEntry* e = find_export(c.export_name);
        if (!e) throw ToolError(std::string("gallery: no export ") + c.export_name);
        const std::string stem = two_digits(i + 1) + "-" + c.export_name;
        save(stem + "-in.png", c.dest);
        MadeCall m;
        std::vector<std::string> words = {c.export_name};
        for (size_t a = 0; a < e->arg_names.size(); ++a) {
            const std::string& name = e->arg_names[a];
            const bool surface = e->kinds[a] == ArgKind::kSurface;
            std::string value = name == "dest" ? stem + "-in.png" : "";
            for (const Arg& given : c.args)
                if (given.name == name) value = given.value;
            if (value.empty()) throw ToolError("gallery: " + stem + " gives no --" + name);
            if (surface && !pictures.count(value))
                throw ToolError("gallery: " + stem + " reads " + value + " before it is written");
            m.ordered.push_back({name, value});
            words.insert(words.end(), {"--" + name, surface ? in_dir(value) : value});
        }
        m.output = stem + "-out.png";
        words.insert(words.end(), {"-o", in_dir(m.output)});
        run_command(words, sink);
        pictures[m.output] = pictures.at(stem + "-in.png");
        made.push_back(m);
        out << "  " << command_line(c, m) << "\n";
    }

    std::ostringstream html;
    write_page(html, calls, made, pictures);
    const std::string page = html.str();
    replace_file(in_dir("index.html"), std::vector<uint8_t>(page.begin(), page.end()));
    out << "wrote " << in_dir("index.html") << ": " << calls.size() << " calls, " << pictures.size()
        << " pictures\n";
    return 0;
}

}  // namespace pixmill_tool
