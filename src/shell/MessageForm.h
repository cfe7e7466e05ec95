// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QScrollArea;
class QPushButton;

// The results form: shows a block of text in a fixed-pitch font and tells
// its caller which of its four buttons ended it. It neither prints nor
// copies itself. Esc does nothing; the close box ends it with Rejected (2).
class TMsgForm : public QDialog {
    Q_OBJECT
public:
    enum Result {
        RetryResult = 4,
        PrintResult = 11,
        CloseResult = 12,
        ClipboardResult = 13,
        // Copy as LaTeX, from the form's context menu or Ctrl+Shift+C: the
        // caller copies what it showed as LaTeX.
        LatexResult = 14
    };
    // What the window's close box ends the form with (Qt's own Rejected is 0).
    static constexpr int CloseBoxResult = 2;
    static constexpr int HelpContext = 68;

    explicit TMsgForm(QWidget* parent = nullptr);

    // The text to show; lines separated by CR LF.
    QString MessageText;

    // The font in which the text is shown (and printed).
    QFont DisplayFont() const;

    // The text as shown in DisplayText.
    QString DisplayedText() const;

public slots:
    void RetryBtnClick();
    void PrintBtnClick();
    void CloseBtnClick();
    void ClipClick();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Add();
    void fitText();
    QPushButton* m_retryBtn;
    QPushButton* m_clip;
    QPushButton* m_printBtn;
    QPushButton* m_closeBtn;
    QLabel* m_displayText;
    QScrollArea* m_scroll;
};
