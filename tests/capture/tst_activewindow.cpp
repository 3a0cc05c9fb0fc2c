#include "ground/desktopplatform.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

/// A window of another program: its own connection to the X server, a
/// plain red background and no Qt at all.
class ForeignWindow
{
public:
    ForeignWindow(QRect geometry, quint32 background) : m_connection(xcb_connect(nullptr, nullptr))
    {
        m_screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        m_window = xcb_generate_id(m_connection);
        const quint32 values[] = {background, 1};
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, m_screen->root, qint16(geometry.x()),
                          qint16(geometry.y()), quint16(geometry.width()), quint16(geometry.height()), 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, m_screen->root_visual,
                          XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
        xcb_map_window(m_connection, m_window);
        sync();
    }
    ~ForeignWindow()
    {
        xcb_destroy_window(m_connection, m_window);
        xcb_disconnect(m_connection);
    }

    /// Sets or removes the root window's _NET_ACTIVE_WINDOW, as a window manager does.
    void setActive(bool active)
    {
        static const char name[] = "_NET_ACTIVE_WINDOW";
        auto *atom =
            xcb_intern_atom_reply(m_connection, xcb_intern_atom(m_connection, 0, std::strlen(name), name), nullptr);
        if (active)
            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_screen->root, atom->atom, XCB_ATOM_WINDOW, 32, 1,
                                &m_window);
        else
            xcb_delete_property(m_connection, m_screen->root, atom->atom);
        std::free(atom);
        sync();
    }

private:
    // A round trip: everything sent before has been done by the server.
    void sync() { std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr)); }

    xcb_connection_t *m_connection;
    xcb_screen_t *m_screen = nullptr;
    xcb_window_t m_window = 0;
};

} // namespace

/// Runs on a real X server (the ctest entry starts a virtual one).
class TestActiveWindow : public QObject
{
    Q_OBJECT

private slots:
    void capturesTheWindowTheWindowManagerNames()
    {
        QVERIFY2(QGuiApplication::platformName() == QStringLiteral("xcb"), "needs an X server");
        ForeignWindow other(QRect(100, 120, 200, 150), 0xFF0000);
        DesktopPlatform platform;

        other.setActive(true);
        const WindowCapture window = platform.captureActiveWindow();
        QVERIFY(!window.wholeScreen);
        QCOMPARE(window.image.size(), QSize(200, 150));
        QCOMPARE(QColor(window.image.pixel(100, 75)), QColor(255, 0, 0));

        // No window manager names a window: the whole screen, and it is said.
        other.setActive(false);
        const WindowCapture screen = platform.captureActiveWindow();
        QVERIFY(screen.wholeScreen);
        QCOMPARE(screen.image.size(), QGuiApplication::primaryScreen()->geometry().size());
        QCOMPARE(QColor(screen.image.pixel(200, 195)), QColor(255, 0, 0));
    }
};

QTEST_MAIN(TestActiveWindow)
#include "tst_activewindow.moc"
