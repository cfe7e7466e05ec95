// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "SoakRandom.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QFileDialog;
class QLineEdit;
class QString;
class QMessageBox;
class QWidget;
class TChild;
class TGridMatForm;

// Types text into a widget key by key, as a keyboard (or an input method,
// for characters no key has) sends it.
void TypeText(QWidget* widget, const QString& text);

// Replaces a field's text as a user does: typed when short and printable,
// pasted from the clipboard otherwise.
void TypeOrPaste(QLineEdit* field, const QString& text);

// Answers every modal window as soon as it is shown, as a user in a hurry
// would: random texts in its fields, a random selection, then OK, Cancel,
// Esc, the close box, Help or Enter. The answers come from the random
// source of the step under way, so the same step answers the same way.
class ModalAnswerer : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        // A file name to type into a file dialog.
        std::function<QString(Rng&, bool saving)> fileName;
        // An editor window is about to save under path (the Yes of the save
        // question, or a Save as whose name was accepted).
        std::function<void(TChild*, const QString& path)> editorSaves;
    };

    explicit ModalAnswerer(Hooks hooks);

    // The step under way; its random source answers.
    void BeginStep(Rng* rng);
    void EndStep() { m_rng = nullptr; }

    // What the step's modal windows were, in order, and whether an error
    // box or a save dialog of another window came up.
    const QStringList& Seen() const { return m_seen; }
    bool SawError() const { return m_sawError; }
    bool SawOtherSave() const { return m_sawOtherSave; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void schedule();
    void answerTop();
    void answer(QWidget* modal);
    void answerFileDialog(QFileDialog* dialog);
    void answerMessageBox(QMessageBox* box);
    void answerForm(QWidget* form);
    void answerGrid(TGridMatForm* form);
    void fillFields(QWidget* form);
    // Ends the window with Esc, the close box, or Enter.
    void endByKeyOrBox(QWidget* window);
    void forceEnd(QWidget* window);

    Hooks m_hooks;
    Rng* m_rng = nullptr;
    bool m_scheduled = false;
    int m_answers = 0;
    QStringList m_seen;
    bool m_sawError = false;
    bool m_sawOtherSave = false;
};
