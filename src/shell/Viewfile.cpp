// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Viewfile.h"

#include "LinePrinter.h"
#include "ToolIcons.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QStyle>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

#include <exception>

TViewForm* TViewForm::ViewForm = nullptr;

namespace {

// The letters A to Z lowered, every other character as it is: a path keeps
// its accented letters.
QString LowerAsciiLetters(const QString& text) {
    QString lowered = text;
    for (QChar& c : lowered) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) {
            c = QChar(c.unicode() + ('a' - 'A'));
        }
    }
    return lowered;
}

// Sets a flag for as long as the scope lasts, also when it is left by an
// exception.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~FlagScope() { m_flag = m_old; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
    bool m_old;
};

}  // namespace

// The printer works at its own resolution, so that line heights and
// widths are not rounded to screen pixels.
TViewForm::TViewForm(QWidget* parent) : QWidget(parent, Qt::Window), m_printer(QPrinter::HighResolution) {
    // Only the main window keeps the program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    setProperty("helpContext", HelpContext);
    setWindowTitle(DesignCaption());
    QFont formFont(QStringLiteral("System"));
    formFont.setPixelSize(13);
    setFont(formFont);
    resize(640, 480);

    m_viewMemo = new QPlainTextEdit(this);
    m_viewMemo->setAccessibleName(QStringLiteral("Output"));
    m_viewMemo->setReadOnly(true);
    m_viewMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_viewMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_viewMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette memoPalette = m_viewMemo->palette();
    memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::ToolTipBase));
    memoPalette.setColor(QPalette::Text, Qt::black);
    m_viewMemo->setPalette(memoPalette);
    QFont memoFont(QStringLiteral("Courier New"));
    memoFont.setStyleHint(QFont::TypeWriter);
    memoFont.setPointSize(8);
    m_viewMemo->setFont(memoFont);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFixedHeight(27);
    m_panel = panel;

    m_printBtn = new QToolButton(m_panel);
    m_printBtn->setText(QStringLiteral("&Print"));
    m_printBtn->setFocusPolicy(Qt::NoFocus);
    m_printBtn->setFixedSize(60, 25);
    m_printBtn->setIcon(ToolIcons::Make(ToolIcons::Kind::Print));
    m_printBtn->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // The image stands to the right of the caption.
    m_printBtn->setLayoutDirection(Qt::RightToLeft);
    // The viewer shows no tool tip for this button; the hint stays with it.
    m_printBtn->setStatusTip(QStringLiteral("Print Document"));

    m_closeBtn = new QPushButton(QStringLiteral("&Close"), m_panel);
    m_closeBtn->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    m_closeBtn->setFixedSize(70, 25);
    m_closeBtn->setToolTip(QStringLiteral("Close file viewing."));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_viewMemo, 1);
    layout->addWidget(m_panel);

    connect(m_printBtn, &QToolButton::clicked, this, &TViewForm::PrintBtnClick);
    connect(m_closeBtn, &QPushButton::clicked, this, &TViewForm::CloseForm);

    FormCreate();
    ViewForm = this;
}

TViewForm::~TViewForm() {
    if (ViewForm == this) {
        ViewForm = nullptr;
    }
}

QString TViewForm::DesignCaption() {
    return QStringLiteral("View and print output files");
}

void TViewForm::FormCreate() {
    // The buttons are placed once, for the panel as wide as the window is
    // before it is maximised, and keep these places afterwards.
    layout()->activate();
    const int top = (m_panel->height() - m_closeBtn->height()) / 2;
    const int closeLeft = m_panel->width() / 2;
    m_closeBtn->move(closeLeft, top);
    m_printBtn->move(closeLeft - m_printBtn->width() - 10, top);
}

void TViewForm::ShowFile() {
    bool loaded = false;
    QString text;
    const QFileInfo info(ViewFileName);
    QFile file(ViewFileName);
    if (!ViewFileName.isEmpty() && !info.isDir() && file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        if (file.error() == QFileDevice::NoError) {
            text = QString::fromLatin1(bytes);
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
            // The last line's end closes that line; it starts no new one.
            if (text.endsWith(QLatin1Char('\n'))) {
                text.chop(1);
            }
            loaded = true;
        }
    }

    if (!loaded) {
        m_viewMemo->clear();
        FlagScope own(m_inOwnDialog);
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(),
                        QStringLiteral("Error in loading ") + ViewFileName + QStringLiteral(" for viewing."),
                        QMessageBox::Ok, this);
        box.exec();
        return;
    }
    m_viewMemo->setPlainText(text);
    setWindowTitle(LowerAsciiLetters(ViewFileName));
}

void TViewForm::Show() {
    showMaximized();
    raise();
    activateWindow();
    repaint();
}

QString TViewForm::Text() const {
    return m_viewMemo->toPlainText();
}

void TViewForm::PrintBtnClick() {
    // Neither the print dialog nor a report of a failed print may close
    // the viewer when they take the activation.
    FlagScope own(m_inOwnDialog);
    {
        QPrintDialog dialog(&m_printer, this);
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
    }

    QString failure;
    try {
        QFont font(m_viewMemo->font().family());
        font.setStyleHint(QFont::TypeWriter);
        font.setPointSizeF(m_viewMemo->font().pointSizeF());
        // The device ends the job when it goes out of scope, also when
        // writing is cut short.
        LinePrinter device(m_printer, font);
        if (!device.IsOpen()) {
            failure = QStringLiteral("Printing failed: the printer could not be started.");
        } else {
            const QString indent(10, QLatin1Char(' '));
            const QTextDocument* document = m_viewMemo->document();
            if (!document->isEmpty()) {
                for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
                    device.WriteLine(indent + block.text());
                }
            }
            device.Close();
        }
    } catch (const std::exception& error) {
        failure = QString::fromLocal8Bit(error.what());
    }

    // The same report as any error that reaches the event loop: the error's
    // text with an OK button.
    if (!failure.isEmpty()) {
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), failure, QMessageBox::Ok, this);
        box.exec();
    }
}

void TViewForm::CloseForm() {
    hide();
}

bool TViewForm::OwnsWindow(const QWidget* window) const {
    for (const QWidget* w = window; w != nullptr; w = w->parentWidget()) {
        if (w == this) {
            return true;
        }
    }
    return false;
}

void TViewForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow() && !m_inOwnDialog) {
        // Only another window of this program closes the viewer: when some
        // other program takes over, no window of ours is active at all.
        const QWidget* active = QApplication::activeWindow();
        if (active != nullptr && !OwnsWindow(active)) {
            CloseForm();
        }
    }
    QWidget::changeEvent(event);
}
