// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MessageForm.h"

#include "ReadableLabel.h"
#include "ToolIcons.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWindow>

#include <algorithm>
#include <QVBoxLayout>

namespace {

// A small matrix in brackets: the form's picture.
QPixmap MatrixPicture() {
    QPixmap picture(33, 33);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(0, 0, 128), 2));
    p.drawLine(4, 3, 4, 29);
    p.drawLine(4, 3, 8, 3);
    p.drawLine(4, 29, 8, 29);
    p.drawLine(28, 3, 28, 29);
    p.drawLine(24, 3, 28, 3);
    p.drawLine(24, 29, 28, 29);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(128, 0, 0));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            p.drawRect(9 + col * 6, 8 + row * 7, 3, 3);
        }
    }
    return picture;
}

QPushButton* MakeButton(const QString& caption, const QString& hint, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);  // the face is rarely installed
    font.setPixelSize(16);
    font.setBold(true);
    button->setFont(font);
    button->setFixedHeight(25);
    // The form shows no tool tips; the hint stays with the button.
    button->setStatusTip(hint);
    // No button may answer Enter on its own.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

}  // namespace

TMsgForm::TMsgForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Computation Resuts"));
    setProperty("helpContext", HelpContext);

    QFont formFont(QStringLiteral("Courier New"));
    formFont.setStyleHint(QFont::TypeWriter);
    formFont.setPixelSize(11);
    setFont(formFont);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::ToolTipText));
    setPalette(pal);
    setAutoFillBackground(true);

    auto* image = new QLabel(this);
    image->setPixmap(MatrixPicture());
    image->setFixedSize(33, 33);

    m_retryBtn = MakeButton(QStringLiteral("&Retry"), QStringLiteral("Return to data entry screen"), this);
    m_retryBtn->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    m_clip = MakeButton(QStringLiteral("Clip&board"), QStringLiteral("Copy screen to clipboard"), this);
    m_clip->setFixedWidth(113);
    m_clip->setIcon(ToolIcons::Make(ToolIcons::Kind::Copy));
    m_printBtn = MakeButton(QStringLiteral("&Print"), QStringLiteral("Send screen to printer"), this);
    m_closeBtn = MakeButton(QStringLiteral("&Close"), QStringLiteral("Leave screen"), this);
    m_closeBtn->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));

    m_displayText = new ReadableLabel(this);
    m_displayText->setAccessibleName(QStringLiteral("Results"));
    QFont textFont(QStringLiteral("Courier New"));
    textFont.setStyleHint(QFont::TypeWriter);
    textFont.setPixelSize(13);
    m_displayText->setFont(textFont);
    m_displayText->setTextFormat(Qt::PlainText);
    m_displayText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The text scrolls once the form would outgrow the screen.
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("DisplayScroll"));
    // Only a frame for the text, which the arrows of the form scroll: it has
    // no place of its own among the buttons the Tab key visits.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidget(m_displayText);
    m_scroll->setWidgetResizable(false);
    m_scroll->setBackgroundRole(QPalette::Window);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(image, 0, Qt::AlignTop);
    buttons->addWidget(m_retryBtn, 0, Qt::AlignTop);
    buttons->addWidget(m_clip, 0, Qt::AlignTop);
    buttons->addWidget(m_printBtn, 0, Qt::AlignTop);
    buttons->addWidget(m_closeBtn, 0, Qt::AlignTop);
    buttons->addStretch(1);

    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(20, 20, 20, 20);
    form->setSpacing(12);
    form->addLayout(buttons);
    form->addWidget(m_scroll, 0, Qt::AlignLeft | Qt::AlignTop);
    // The form takes the size of its contents, so it grows with the text.
    form->setSizeConstraint(QLayout::SetFixedSize);

    // Beside the four buttons, not among them: the form keeps its look.
    auto* latex = new QAction(QStringLiteral("Copy as &LaTeX"), this);
    latex->setObjectName(QStringLiteral("CopyLatex"));
    latex->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    latex->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    latex->setToolTip(QStringLiteral("Copy the matrix as a LaTeX bmatrix"));
    connect(latex, &QAction::triggered, this, [this] { done(LatexResult); });
    addAction(latex);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    setTabOrder(m_retryBtn, m_printBtn);
    setTabOrder(m_printBtn, m_closeBtn);
    setTabOrder(m_closeBtn, m_clip);

    connect(m_retryBtn, &QPushButton::clicked, this, &TMsgForm::RetryBtnClick);
    connect(m_clip, &QPushButton::clicked, this, &TMsgForm::ClipClick);
    connect(m_printBtn, &QPushButton::clicked, this, &TMsgForm::PrintBtnClick);
    connect(m_closeBtn, &QPushButton::clicked, this, &TMsgForm::CloseBtnClick);
}

QFont TMsgForm::DisplayFont() const {
    return m_displayText->font();
}

QString TMsgForm::DisplayedText() const {
    return m_displayText->text();
}

void TMsgForm::RetryBtnClick() {
    done(RetryResult);
}

void TMsgForm::PrintBtnClick() {
    done(PrintResult);
}

void TMsgForm::CloseBtnClick() {
    done(CloseResult);
}

void TMsgForm::ClipClick() {
    done(ClipboardResult);
}

void TMsgForm::Add() {
    QString text = MessageText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (m_displayText->text() != text) {
        m_displayText->setText(text);
    }
    fitText();
    // Take the new size now rather than on the next pass of the event loop,
    // so that the form is centred with the size it is shown in.
    layout()->activate();
}

// The form grows to fit its text, but never past the screen's available
// area; beyond that the text scrolls and the buttons stay in reach.
void TMsgForm::fitText() {
    m_displayText->adjustSize();
    const QSize text = m_displayText->size();
    QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    QSize room(text);
    if (screen != nullptr) {
        const QRect available = screen->availableGeometry();
        // What the form needs beside the text: its border, the row of
        // buttons, and the window's own frame and caption.
        const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
        const QMargins margins = layout()->contentsMargins();
        const int besideX = margins.left() + margins.right() + frame.left() + frame.right();
        const int besideY = margins.top() + margins.bottom() + layout()->spacing() + 33 +
                            frame.top() + frame.bottom();
        room = QSize(available.width() - besideX, available.height() - besideY);
    }
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize shown(std::min(text.width(), room.width()), std::min(text.height(), room.height()));
    // A scroll bar in one direction takes room from the other.
    if (shown.width() < text.width())
        shown.setHeight(std::min(text.height() + bar, room.height()));
    if (shown.height() < text.height())
        shown.setWidth(std::min(text.width() + bar, room.width()));
    m_scroll->setFixedSize(shown);
}

void TMsgForm::showEvent(QShowEvent* event) {
    Add();
    QDialog::showEvent(event);
}

void TMsgForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        Add();
    }
    QDialog::changeEvent(event);
}

void TMsgForm::keyPressEvent(QKeyEvent* event) {
    // Only the buttons and the close box end the form.
    if (event->key() == Qt::Key_Escape || event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TMsgForm::closeEvent(QCloseEvent* event) {
    if (isVisible()) {
        done(CloseBoxResult);
    }
    event->accept();
}
