#include "platform/headlessGLContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

namespace {

// Framebuffer objects are core since GL 3.0 but not in the 1.x headers' exports, so their
// entry points are looked up once.
struct framebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;

    bool load() {
        if (genFramebuffers != nullptr) return true;
        genFramebuffers =
            reinterpret_cast<PFNGLGENFRAMEBUFFERSPROC>(eglGetProcAddress("glGenFramebuffers"));
        deleteFramebuffers = reinterpret_cast<PFNGLDELETEFRAMEBUFFERSPROC>(
            eglGetProcAddress("glDeleteFramebuffers"));
        bindFramebuffer =
            reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(eglGetProcAddress("glBindFramebuffer"));
        genRenderbuffers =
            reinterpret_cast<PFNGLGENRENDERBUFFERSPROC>(eglGetProcAddress("glGenRenderbuffers"));
        deleteRenderbuffers = reinterpret_cast<PFNGLDELETERENDERBUFFERSPROC>(
            eglGetProcAddress("glDeleteRenderbuffers"));
        bindRenderbuffer =
            reinterpret_cast<PFNGLBINDRENDERBUFFERPROC>(eglGetProcAddress("glBindRenderbuffer"));
        renderbufferStorage = reinterpret_cast<PFNGLRENDERBUFFERSTORAGEPROC>(
            eglGetProcAddress("glRenderbufferStorage"));
        framebufferRenderbuffer = reinterpret_cast<PFNGLFRAMEBUFFERRENDERBUFFERPROC>(
            eglGetProcAddress("glFramebufferRenderbuffer"));
        checkFramebufferStatus = reinterpret_cast<PFNGLCHECKFRAMEBUFFERSTATUSPROC>(
            eglGetProcAddress("glCheckFramebufferStatus"));
        return genFramebuffers && deleteFramebuffers && bindFramebuffer && genRenderbuffers &&
               deleteRenderbuffers && bindRenderbuffer && renderbufferStorage &&
               framebufferRenderbuffer && checkFramebufferStatus;
    }
};

framebufferCalls fbo;

}  // namespace

headlessGLContext::~headlessGLContext() {
    if (context != nullptr) {
        makeCurrent();
        destroyFramebuffer();
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(display, context);
    }
    // The display is shared by every context of the process and stays initialised:
    // terminating it here would pull it from under another live context.
}

bool headlessGLContext::fail(const std::string &reason) {
    message = reason;
    if (context != nullptr) {
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(display, context);
        context = nullptr;
    }
    return false;
}

bool headlessGLContext::create(int width, int height) {
    if (context != nullptr) return resize(width, height);

    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) return fail("EGL has no eglGetPlatformDisplayEXT");
    display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY) return fail("no surfaceless EGL display");
    EGLint major = 0, minor = 0;
    if (!eglInitialize(display, &major, &minor)) return fail("eglInitialize failed");
    if (!eglBindAPI(EGL_OPENGL_API)) return fail("EGL cannot bind desktop OpenGL");

    const EGLint attributes[] = {
        EGL_CONTEXT_MAJOR_VERSION,
        2,
        EGL_CONTEXT_MINOR_VERSION,
        1,
        EGL_CONTEXT_OPENGL_PROFILE_MASK,
        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
        EGL_NONE,
    };
    // No config: the context renders only into framebuffer objects.
    context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT) {
        context = nullptr;
        return fail("eglCreateContext failed");
    }
    if (!makeCurrent()) return fail("eglMakeCurrent failed");
    if (!fbo.load()) return fail("framebuffer objects are not available");
    return resize(width, height);
}

bool headlessGLContext::makeCurrent() {
    if (context == nullptr) return false;
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) return false;
    if (framebuffer != 0) fbo.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    return true;
}

void headlessGLContext::destroyFramebuffer() {
    if (framebuffer != 0) {
        fbo.bindFramebuffer(GL_FRAMEBUFFER, 0);
        fbo.deleteFramebuffers(1, &framebuffer);
        fbo.deleteRenderbuffers(1, &colorBuffer);
        fbo.deleteRenderbuffers(1, &depthBuffer);
        framebuffer = colorBuffer = depthBuffer = 0;
    }
}

bool headlessGLContext::resize(int width, int height) {
    if (!makeCurrent()) return false;
    destroyFramebuffer();
    // A framebuffer needs at least one pixel; an empty view still gets one.
    frameWidth = width > 0 ? width : 1;
    frameHeight = height > 0 ? height : 1;

    fbo.genRenderbuffers(1, &colorBuffer);
    fbo.bindRenderbuffer(GL_RENDERBUFFER, colorBuffer);
    fbo.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, frameWidth, frameHeight);
    fbo.genRenderbuffers(1, &depthBuffer);
    fbo.bindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
    fbo.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, frameWidth, frameHeight);
    fbo.genFramebuffers(1, &framebuffer);
    fbo.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    fbo.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer);
    fbo.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer);
    if (fbo.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        destroyFramebuffer();
        return fail("the framebuffer object is incomplete");
    }
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glViewport(0, 0, frameWidth, frameHeight);
    return true;
}
