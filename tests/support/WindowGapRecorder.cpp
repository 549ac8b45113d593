#include "WindowGapRecorder.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#ifdef LUMEO_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#endif

namespace {

#ifdef LUMEO_HAVE_XCB
template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t pidAtom(xcb_connection_t* c)
{
    const char name[] = "_NET_WM_PID";
    Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// A window of this process that the server shows, among the root's children and their
// children (the window manager's frames hold the program's windows).
bool programWindowShown(xcb_connection_t* c, xcb_window_t parent, xcb_atom_t pid, int depth)
{
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, parent), nullptr),
                                       &std::free);
    if (!tree)
        return false;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, children[i]), nullptr),
            &std::free);
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        Reply<xcb_get_property_reply_t> owner(
            xcb_get_property_reply(c, xcb_get_property(c, 0, children[i], pid, XCB_ATOM_CARDINAL, 0, 1),
                                   nullptr),
            &std::free);
        if (owner && xcb_get_property_value_length(owner.get()) == 4) {
            quint32 value = 0;
            std::memcpy(&value, xcb_get_property_value(owner.get()), sizeof value);
            if (value == quint32(QCoreApplication::applicationPid()))
                return true;
        }
        if (depth > 0 && programWindowShown(c, children[i], pid, depth - 1))
            return true;
    }
    return false;
}
#endif

} // namespace

WindowGapRecorder::WindowGapRecorder() : m_thread([this] { watch(); })
{
    // The connection of its own takes a moment to open.
    QElapsedTimer waited;
    waited.start();
    while (m_looks == 0 && !m_stopping && waited.elapsed() < 5000)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

WindowGapRecorder::~WindowGapRecorder()
{
    stop();
}

void WindowGapRecorder::stop()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
}

void WindowGapRecorder::watch()
{
#ifdef LUMEO_HAVE_XCB
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        m_stopping = true;
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;
    const xcb_atom_t pid = pidAtom(c);
    QElapsedTimer clock;
    clock.start();
    qint64 noneSince = -1;
    while (!m_stopping) {
        const bool shown = programWindowShown(c, root, pid, 1);
        const qint64 now = clock.elapsed();
        ++m_looks;
        if (shown) {
            if (noneSince >= 0)
                m_longestGapMs = std::max<qint64>(m_longestGapMs, now - noneSince);
            noneSince = -1;
            m_anyShown = true;
        } else if (m_anyShown && noneSince < 0) {
            noneSince = now;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    xcb_disconnect(c);
#else
    m_stopping = true;
#endif
}
