// An OpenGL context without any display: EGL on Mesa's surfaceless platform, a desktop GL
// compatibility-profile context (display lists, immediate mode and GLU work), rendering
// into a framebuffer object with 8-bit RGBA colour and a depth buffer.
//
// Used by the command line tool and by tests. After create() succeeds the context is
// current on the calling thread and the framebuffer object is bound, so glReadPixels
// reads what was drawn.
#pragma once

#include <string>

class headlessGLContext {
public:
    headlessGLContext() = default;
    ~headlessGLContext();
    headlessGLContext(const headlessGLContext &) = delete;
    headlessGLContext &operator=(const headlessGLContext &) = delete;

    // Creates the context and a framebuffer of the given size. False with a reason in
    // error() when no context can be made (no EGL, no surfaceless platform, ...).
    bool create(int width, int height);
    // Replaces the framebuffer with one of the new size; its contents are undefined.
    bool resize(int width, int height);
    bool makeCurrent();

    bool isValid() const { return context != nullptr; }
    int width() const { return frameWidth; }
    int height() const { return frameHeight; }
    const std::string &error() const { return message; }

private:
    bool fail(const std::string &reason);
    void destroyFramebuffer();

    void *display = nullptr;  // EGLDisplay
    void *context = nullptr;  // EGLContext
    unsigned framebuffer = 0, colorBuffer = 0, depthBuffer = 0;
    int frameWidth = 0, frameHeight = 0;
    std::string message;
};
