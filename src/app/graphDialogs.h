// Everything of the application that waits for the user: file panels, message boxes,
// the unsaved-changes question and the print panel. The window code asks through this
// interface, so tests answer without any dialog opening.
#pragma once

#include "view/graphViewInterfaces.h"

#include <QString>

#include <functional>

class QPrinter;
class QWidget;

class graphDialogs {
public:
    enum class unsavedAnswer { save, discard, cancel };

    virtual ~graphDialogs() = default;
    // An existing file to open, or empty when cancelled.
    virtual QString openFileName(QWidget *parent, const QString &directory,
                                 const QString &filter) = 0;
    // A file to write, its name ending in suffix (added when missing), or empty. title
    // names the panel (the desktop's default title when empty).
    virtual QString saveFileName(QWidget *parent, const QString &directory, const QString &filter,
                                 const QString &suffix, const QString &title = QString()) = 0;
    virtual void warn(QWidget *parent, const QString &title, const QString &text) = 0;
    virtual unsavedAnswer askUnsaved(QWidget *parent, const QString &setName) = 0;
    // A window-modal alert whose buttons only close it.
    virtual void alert(QWidget *parent, const graphAlertText &alert) = 0;
    // The print panel with a preview of the pages paint draws; paint then prints on the
    // chosen printer. False when cancelled.
    virtual bool printWithPreview(QWidget *parent, QPrinter &printer,
                                  const std::function<void(QPrinter &)> &paint) = 0;
};

// The real panels and message boxes.
class graphQtDialogs : public graphDialogs {
public:
    QString openFileName(QWidget *parent, const QString &directory, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &directory, const QString &filter,
                         const QString &suffix, const QString &title = QString()) override;
    void warn(QWidget *parent, const QString &title, const QString &text) override;
    unsavedAnswer askUnsaved(QWidget *parent, const QString &setName) override;
    void alert(QWidget *parent, const graphAlertText &alert) override;
    bool printWithPreview(QWidget *parent, QPrinter &printer,
                          const std::function<void(QPrinter &)> &paint) override;
};
