#include "app/graphDialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

QString graphQtDialogs::openFileName(QWidget *parent, const QString &directory,
                                     const QString &filter) {
    return QFileDialog::getOpenFileName(parent, QString(), directory, filter);
}

QString graphQtDialogs::saveFileName(QWidget *parent, const QString &directory,
                                     const QString &filter, const QString &suffix,
                                     const QString &title) {
    QFileDialog dialog(parent, title, directory, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

void graphQtDialogs::warn(QWidget *parent, const QString &title, const QString &text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::WindowModal);
    box.exec();
}

graphDialogs::unsavedAnswer graphQtDialogs::askUnsaved(QWidget *parent, const QString &setName) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Plotweave"),
                    QCoreApplication::translate(
                        "graphDialogs", "Do you want to save the changes to \u201c%1\u201d?")
                        .arg(setName),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setInformativeText(QCoreApplication::translate(
        "graphDialogs", "Your changes will be lost if you don't save them."));
    box.setDefaultButton(QMessageBox::Save);
    box.setWindowModality(Qt::WindowModal);
    switch (box.exec()) {
        case QMessageBox::Save: return unsavedAnswer::save;
        case QMessageBox::Discard: return unsavedAnswer::discard;
        default: return unsavedAnswer::cancel;
    }
}

void graphQtDialogs::alert(QWidget *parent, const graphAlertText &alert) {
    auto *box = new QMessageBox(QMessageBox::Warning,
                                QCoreApplication::translate("graphAlertText", alert.title),
                                QCoreApplication::translate("graphAlertText", alert.message),
                                QMessageBox::NoButton, parent);
    box->setDefaultButton(
        box->addButton(QCoreApplication::translate("graphAlertText", alert.defaultButton),
                       QMessageBox::AcceptRole));
    box->addButton(QCoreApplication::translate("graphAlertText", alert.alternateButton),
                   QMessageBox::RejectRole);
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// The preview's Print button asks for the printer and prints through paint itself.
bool graphQtDialogs::printWithPreview(QWidget *parent, QPrinter &printer,
                                      const std::function<void(QPrinter &)> &paint) {
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QObject::tr("Print"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter *target) { paint(*target); });
    return dialog.exec() == QDialog::Accepted;
}
