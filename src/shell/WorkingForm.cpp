// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WorkingForm.h"

#include "FileDialogs.h"
#include "LinePrinter.h"
#include "ToolIcons.h"
#include "WorkingLatex.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QVBoxLayout>

TWorkingForm::TWorkingForm(const QString& caption, const std::string& text)
    : QWidget(nullptr, Qt::Window), m_bytes(text), m_printer(QPrinter::HighResolution) {
    setAttribute(Qt::WA_DeleteOnClose);
    // Only the main window keeps the program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(caption);
    setProperty("helpContext", HelpContext);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("WorkingText"));
    m_text->setAccessibleName(QStringLiteral("Worked solution"));
    // A window only read: Esc closes it, as it closes the help window.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(9);
    m_text->setFont(font);
    QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (shown.endsWith(QLatin1Char('\n')))
        shown.chop(1);
    m_text->setPlainText(shown);

    auto* print = new QPushButton(ToolIcons::Make(ToolIcons::Kind::Print), QStringLiteral("&Print"), this);
    auto* save = new QPushButton(ToolIcons::Make(ToolIcons::Kind::Save), QStringLiteral("&Save as..."), this);
    auto* copyLatex = new QPushButton(QStringLiteral("Copy as &LaTeX"), this);
    copyLatex->setObjectName(QStringLiteral("CopyLatexButton"));
    auto* saveLatex = new QPushButton(QStringLiteral("Save as La&TeX..."), this);
    saveLatex->setObjectName(QStringLiteral("SaveLatexButton"));
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    connect(print, &QPushButton::clicked, this, &TWorkingForm::PrintBtnClick);
    connect(save, &QPushButton::clicked, this, &TWorkingForm::SaveAsBtnClick);
    connect(copyLatex, &QPushButton::clicked, this, &TWorkingForm::CopyLatexBtnClick);
    connect(saveLatex, &QPushButton::clicked, this, &TWorkingForm::SaveLatexBtnClick);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(print);
    buttons->addWidget(save);
    buttons->addWidget(copyLatex);
    buttons->addWidget(saveLatex);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    resize(720, 520);
}

TWorkingForm* TWorkingForm::ShowWorking(const QString& caption, const std::string& text) {
    auto* form = new TWorkingForm(caption, text);
    form->show();
    form->raise();
    form->activateWindow();
    return form;
}

QString TWorkingForm::Text() const { return m_text->toPlainText(); }

void TWorkingForm::PrintBtnClick() {
    QPrintDialog dialog(&m_printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    LinePrinter device(m_printer, m_text->font());
    if (!device.IsOpen()) {
        QMessageBox::warning(this, QApplication::applicationName(),
                             QStringLiteral("Printing failed: the printer could not be started."));
        return;
    }
    const QStringList lines = Text().split(QLatin1Char('\n'));
    for (const QString& line : lines)
        device.WriteLine(line);
    device.Close();
}

void TWorkingForm::SaveAsBtnClick() {
    QFileDialog dialog(this, QStringLiteral("Save the worked solution"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (FileDialogs::Run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    SaveTo(dialog.selectedFiles().first());
}

void TWorkingForm::CopyLatexBtnClick() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(WorkingLatex::Body(m_bytes)));
}

void TWorkingForm::SaveLatexBtnClick() {
    QFileDialog dialog(this, QStringLiteral("Save the worked solution as LaTeX"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("LaTeX documents (*.tex)"), QStringLiteral("All files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("tex"));
    if (FileDialogs::Run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    SaveLatexTo(dialog.selectedFiles().first());
}

bool TWorkingForm::SaveLatexTo(const QString& path) {
    return writeFile(path, WorkingLatex::Document(m_bytes));
}

bool TWorkingForm::SaveTo(const QString& path) {
    return writeFile(path, m_bytes);
}

bool TWorkingForm::writeFile(const QString& path, const std::string& bytes) {
    // Written beside and renamed into place: a failed save keeps the old file.
    QSaveFile file(path);
    if (path.contains(QChar(u'\0')) || !file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        QMessageBox::warning(this, QApplication::applicationName(),
                             QStringLiteral("Sorry, the file \"%1\" could not be written: %2.")
                                 .arg(path, file.errorString()));
        return false;
    }
    return true;
}
