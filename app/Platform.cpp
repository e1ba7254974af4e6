#include "Platform.h"

#include "Dialog.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

int CQtPlatform::MessageBox(QWidget* parent, const QString& text, MessageIcon icon,
                            MessageButtons buttons) {
    QMessageBox box(parent);
    box.setWindowTitle(QString::fromLatin1(kMessageCaption));
    box.setText(text);
    switch (icon) {
    case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    case QMessageBox::Ok: return IDOK;
    default:
        // Escape or the close box: the "no" answer of a yes/no box.
        return buttons == MessageButtons::YesNo ? IDNO : IDCANCEL;
    }
}

QString CQtPlatform::GetOpenFileName(QWidget* parent, const QString& title,
                                     const QString& directory, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, directory, filter);
}

QString CQtPlatform::GetSaveFileName(QWidget* parent, const QString& title, const QString& fileName,
                                     const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().constFirst();
}

QString CQtPlatform::ChooseDirectory(QWidget* parent, const QString& title,
                                     const QString& directory) {
    QFileDialog dialog(parent, title, directory);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Directory name"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    QString chosen = dialog.selectedFiles().constFirst();
    while (chosen.size() > 1 && chosen.endsWith(QLatin1Char('/'))) {
        chosen.chop(1);
    }
    return chosen;
}

int CQtPlatform::DoModal(CDialog& dialog) {
    dialog.OnInitDialog();
    return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

bool CQtPlatform::OpenUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}
