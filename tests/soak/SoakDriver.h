// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ModalAnswerer.h"
#include "SoakChecks.h"
#include "SoakRandom.h"

#include <QDir>
#include <QHash>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class TChild;
class TFrameForm;

// One user action: what is done (a name from the step table) and the seed
// of every choice made while doing it. Written as "name:seed".
struct Step {
    QString name;
    std::uint32_t seed = 0;
    QString Text() const { return name + QLatin1Char(':') + QString::number(seed); }
};

// Steps as written on a command line: "name:seed" separated by blanks.
QString StepsText(const std::vector<Step>& steps);
std::optional<std::vector<Step>> ParseSteps(const QString& text);

// Drives the real main window through random user actions in a scratch
// folder: menus, toolbar, editor windows, and every modal window they
// open. After each step Check tells what is wrong, if anything.
class SoakDriver {
public:
    // scratch: the only folder the run may write in; source: the source
    // tree, whose malformed data files and texts are copied into it.
    SoakDriver(const QString& scratch, const QString& source);
    ~SoakDriver();

    // The names of the step table.
    static QStringList StepNames();
    // The next step of a run: a random name and a seed for it.
    static Step RandomStep(Rng& rng);

    bool Perform(const Step& step);  // false for a name not in the table
    QString Check();                 // empty when every invariant holds
    // The modal windows of the last step, and the names typed into them.
    const QStringList& Seen() const { return m_answerer->Seen(); }
    // The program's state in a few words, for a trace of the run.
    QString Summary() const;

private:
    struct Action;
    static const std::vector<Action>& Table();

    void startProgram();
    void endProgram();
    QString fileName(Rng& rng, bool saving);
    void preparePrinters();

    // What the steps do: commands started as a user starts them.
    void command(Rng& rng, const char* action);
    TChild* editor(Rng& rng);
    void editorCommand(Rng& rng, TChild* editor, const char* action);
    void typeText(Rng& rng, TChild* editor);
    void search(Rng& rng, TChild* editor, bool replacing);
    void useOtherWindows(Rng& rng);
    void printWhileUsing(Rng& rng);

    QDir m_scratch;
    std::unique_ptr<TFrameForm> m_frame;
    std::unique_ptr<ModalAnswerer> m_answerer;
    SoakChecks m_checks;
    QString m_stepFailure;  // what the step itself saw go wrong
    int m_pdfCount = 0;
    int m_programs = 0;
};
