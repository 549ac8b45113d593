// Draws the program's pictures into the folder given on the command line; with --hicolor,
// the program's icon for desktops instead.

#include "Banners.h"
#include "Glyphs.h"
#include "IconFile.h"
#include "ProductPictures.h"

#include <QBitmap>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

#include <functional>

namespace {

bool saveImage(const QImage& image, const QString& path, const char* format)
{
    // Fixed quality, so that a rebuild gives the same bytes.
    return image.save(path, format, 92);
}

bool saveIcon(const QString& path, std::function<QImage(int)> draw, std::initializer_list<int> depths)
{
    IconFile icon;
    for (const int size : {32, 16})
        for (const int depth : depths)
            icon.add(draw(size), depth);
    return icon.save(path);
}

// A monochrome pointer as two bitmaps: the black pixels, and the mask of the drawn ones.
bool saveMonochromePointer(const QImage& image, const QString& folder, const QString& name)
{
    QImage shape(image.size(), QImage::Format_Mono);
    QImage mask(image.size(), QImage::Format_Mono);
    shape.setColorTable({0xffffffff, 0xff000000});
    mask.setColorTable({0xffffffff, 0xff000000});
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const bool drawn = qAlpha(pixel) >= 128;
            shape.setPixel(x, y, drawn && qGray(pixel) < 128 ? 1 : 0);
            mask.setPixel(x, y, drawn ? 1 : 0);
        }
    }
    return shape.save(folder + QLatin1Char('/') + name + QStringLiteral(".xbm"), "XBM") &&
           mask.save(folder + QLatin1Char('/') + name + QStringLiteral("-mask.xbm"), "XBM");
}

// The program's icon as desktops look it up, in the hicolor theme's usual sizes:
// <folder>/<N>x<N>/apps/lumeo.png.
bool saveHicolorIcons(const QString& folder)
{
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        if (!QDir().mkpath(apps) ||
            !Glyphs::programIcon(size).save(apps + QStringLiteral("/lumeo.png"), "PNG"))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    QTextStream err(stderr);
    const QStringList arguments = application.arguments();
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("--hicolor")) {
        if (saveHicolorIcons(arguments.at(2)))
            return 0;
        err << "makeartwork: cannot write the icons in " << arguments.at(2) << '\n';
        return 1;
    }
    if (arguments.size() != 2) {
        err << "usage: makeartwork <output folder>\n"
               "       makeartwork --hicolor <icon theme folder>\n";
        return 2;
    }
    const QString folder = arguments.at(1);
    if (!QDir().mkpath(folder)) {
        err << "makeartwork: cannot create " << folder << '\n';
        return 1;
    }
    const auto in = [&folder](const char* name) { return folder + QLatin1Char('/') + QLatin1String(name); };

    using ProductPictures::breakers, ProductPictures::sockets, ProductPictures::contactors;
    using ProductPictures::lamps, ProductPictures::cables, ProductPictures::switches;
    using ProductPictures::plugs, ProductPictures::fuses;
    const std::pair<const char*, std::function<bool()>> outputs[] = {
        {"header.jpg",
         [&] {
             return saveImage(Banners::header({288, 102}), in("header.jpg"), "JPG");
         }},
        {"panel.bmp",
         [&] {
             return saveImage(Banners::decoration({543, 338}), in("panel.bmp"), "BMP");
         }},
        {"breakers.jpg",
         [&] {
             return saveImage(breakers({193, 134}), in("breakers.jpg"), "JPG");
         }},
        {"sockets.jpg",
         [&] {
             return saveImage(sockets({197, 138}), in("sockets.jpg"), "JPG");
         }},
        {"contactors.jpg",
         [&] {
             return saveImage(contactors({188, 145}), in("contactors.jpg"), "JPG");
         }},
        {"lamps.jpg",
         [&] {
             return saveImage(lamps({193, 135}), in("lamps.jpg"), "JPG");
         }},
        {"cables.jpg",
         [&] {
             return saveImage(cables({195, 136}), in("cables.jpg"), "JPG");
         }},
        {"switches.jpg",
         [&] {
             return saveImage(switches({189, 136}), in("switches.jpg"), "JPG");
         }},
        {"plugs.jpg",
         [&] {
             return saveImage(plugs({193, 137}), in("plugs.jpg"), "JPG");
         }},
        {"fuses.jpg",
         [&] {
             return saveImage(fuses({195, 139}), in("fuses.jpg"), "JPG");
         }},
        {"drawing.bmp",
         [&] {
             return saveImage(Glyphs::drawingButton({25, 30}), in("drawing.bmp"), "BMP");
         }},
        {"program.ico", [&] { return saveIcon(in("program.ico"), Glyphs::programIcon, {8}); }},
        {"dialog.ico",
         [&] {
             return saveIcon(in("dialog.ico"), Glyphs::dialogIcon, {8, 4, 1});
         }},
        {"browse.ico", [&] { return saveIcon(in("browse.ico"), Glyphs::browseIcon, {4}); }},
        {"magnifier.xbm",
         [&] { return saveMonochromePointer(Glyphs::magnifierPointer(), folder, "magnifier"); }},
        {"hand.png", [&] { return saveImage(Glyphs::handPointer(), in("hand.png"), "PNG"); }},
    };
    for (const auto& [name, write] : outputs) {
        if (!write()) {
            err << "makeartwork: cannot write " << name << '\n';
            return 1;
        }
    }
    return 0;
}
