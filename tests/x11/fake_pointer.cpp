#include "fake_pointer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace qzx::test {
namespace {

Display* display(void* handle) {
    return static_cast<Display*>(handle);
}

} // namespace

FakePointer::FakePointer() {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(d, &event, &error, &major, &minor)) {
        XCloseDisplay(d);
        return;
    }
    m_display = d;
}

FakePointer::~FakePointer() {
    if (m_display) XCloseDisplay(display(m_display));
}

void FakePointer::moveTo(int screenX, int screenY) {
    XTestFakeMotionEvent(display(m_display), -1, screenX, screenY, CurrentTime);
    XFlush(display(m_display));
}

void FakePointer::pressLeft() {
    XTestFakeButtonEvent(display(m_display), 1, True, CurrentTime);
    XFlush(display(m_display));
}

void FakePointer::releaseLeft() {
    XTestFakeButtonEvent(display(m_display), 1, False, CurrentTime);
    XFlush(display(m_display));
}

} // namespace qzx::test
