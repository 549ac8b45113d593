#include "WindowGapRecorder.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#ifdef LUMEO_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

// A viewable window of this process among the children of `parent` and, below the window
// manager's frames, their children.
bool programWindowShown(xcb_connection_t* c, xcb_window_t parent, xcb_atom_t pid, bool frames)
{
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, parent), nullptr),
                                       &std::free);
    const xcb_window_t* children = tree ? xcb_query_tree_children(tree.get()) : nullptr;
    for (int i = 0; tree && i < xcb_query_tree_children_length(tree.get()); ++i) {
        Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, children[i]), nullptr),
            &std::free);
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        Reply<xcb_get_property_reply_t> owner(
            xcb_get_property_reply(c, xcb_get_property(c, 0, children[i], pid, XCB_ATOM_CARDINAL, 0, 1),
                                   nullptr),
            &std::free);
        if ((owner && xcb_get_property_value_length(owner.get()) == 4 &&
             *static_cast<const quint32*>(xcb_get_property_value(owner.get())) ==
                 quint32(QCoreApplication::applicationPid())) ||
            (frames && programWindowShown(c, children[i], pid, false)))
            return true;
    }
    return false;
}

} // namespace
#endif

WindowGapRecorder::WindowGapRecorder() : m_thread([this] { watch(); })
{
    while (!m_looked)
        std::this_thread::yield();
}

void WindowGapRecorder::stop()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
}

#ifdef LUMEO_HAVE_XCB
void WindowGapRecorder::watch(xcb_connection_t* c)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const char name[] = "_NET_WM_PID";
    Reply<xcb_intern_atom_reply_t> pid(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr), &std::free);
    QElapsedTimer clock;
    clock.start();
    qint64 noneSince = -1;
    while (!m_stopping && pid) {
        if (programWindowShown(c, root, pid->atom, true)) {
            if (noneSince >= 0)
                m_longestGapMs = std::max<qint64>(m_longestGapMs, clock.elapsed() - noneSince);
            noneSince = -1;
            m_anyShown = true;
        } else if (m_anyShown && noneSince < 0) {
            noneSince = clock.elapsed();
        }
        m_looked = true;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}
#endif

void WindowGapRecorder::watch()
{
#ifdef LUMEO_HAVE_XCB
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (!xcb_connection_has_error(c))
        watch(c);
    xcb_disconnect(c);
#endif
    m_looked = true;
}
