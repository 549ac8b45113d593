#include "RealDisplay.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>

#ifdef LUMEO_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#endif

namespace RealDisplay {

bool isRunning()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

#ifdef LUMEO_HAVE_XCB
namespace {

xcb_connection_t* connection()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace
#endif

QString windowName(const QWidget* widget)
{
#ifdef LUMEO_HAVE_XCB
    xcb_connection_t* c = isRunning() ? connection() : nullptr;
    if (!c || !widget)
        return QString();
    const xcb_window_t window = xcb_window_t(widget->window()->winId());
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(c, 0, window, atom(c, "_NET_WM_NAME"), atom(c, "UTF8_STRING"), 0, 1024);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(c, cookie, nullptr), &std::free);
    if (!reply)
        return QString();
    return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply.get())),
                             xcb_get_property_value_length(reply.get()));
#else
    Q_UNUSED(widget);
    return QString();
#endif
}

QList<QImage> windowIcons(const QWidget* widget)
{
    QList<QImage> icons;
#ifdef LUMEO_HAVE_XCB
    xcb_connection_t* c = isRunning() ? connection() : nullptr;
    if (!c || !widget)
        return icons;
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(c, 0, xcb_window_t(widget->window()->winId()), atom(c, "_NET_WM_ICON"),
                         XCB_ATOM_CARDINAL, 0, 1 << 20);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(c, cookie, nullptr), &std::free);
    if (!reply)
        return icons;
    // Width, height, then that many ARGB pixels, for each picture in turn.
    const auto* values = static_cast<const quint32*>(xcb_get_property_value(reply.get()));
    const qsizetype count = xcb_get_property_value_length(reply.get()) / 4;
    for (qsizetype at = 0; at + 2 <= count;) {
        const int width = int(values[at]);
        const int height = int(values[at + 1]);
        at += 2;
        if (width <= 0 || height <= 0 || at + qsizetype(width) * height > count)
            break;
        QImage icon(width, height, QImage::Format_ARGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                icon.setPixel(x, y, values[at++]);
        icons << icon;
    }
#else
    Q_UNUSED(widget);
#endif
    return icons;
}

QImage grab(const QWidget* widget)
{
    if (!isRunning() || !widget)
        return QImage();
    const QWidget* window = widget->window();
    QScreen* screen = window->screen();
    if (!screen)
        return QImage();
    const QPoint at = widget->mapTo(window, QPoint(0, 0));
    return screen->grabWindow(window->winId(), at.x(), at.y(), widget->width(), widget->height()).toImage();
}

bool waitForActive(QWidget* widget, int timeoutMs)
{
    return QTest::qWaitForWindowActive(widget, timeoutMs);
}

} // namespace RealDisplay
