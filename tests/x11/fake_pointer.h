#pragma once

// Moves and clicks the X server's real pointer through the XTest extension, so the program
// receives the same events a hand on the mouse would give. Xlib stays inside the .cpp file:
// its macros clash with Qt and GoogleTest.

namespace qzx::test {

class FakePointer {
public:
    FakePointer();
    ~FakePointer();
    FakePointer(const FakePointer&) = delete;
    FakePointer& operator=(const FakePointer&) = delete;

    /// False when there is no X display or it lacks the XTest extension.
    bool available() const { return m_display != nullptr; }
    void moveTo(int screenX, int screenY);
    void pressLeft();
    void releaseLeft();

private:
    void* m_display = nullptr;
};

} // namespace qzx::test
