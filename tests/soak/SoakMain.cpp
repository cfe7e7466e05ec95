// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The soak of the window program: random user actions from a seed, each
// run in a program of its own, checked after every action. A run that fails
// is shrunk to the fewest actions that still fail the same way, and printed
// as a command that replays it.
//
//   zendra-soak --seed N --actions N      one run of N actions
//   zendra-soak --seconds N [--seed N]    runs from seed N on until the time is up
//   zendra-soak --replay "name:seed ..."  the actions of a reported failure
#include "HelpSystem.h"
#include "MDIFrame.h"
#include "SoakDriver.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <unistd.h>

namespace {
struct Options {
    std::uint32_t seed = 1;
    int actions = 0;
    double seconds = 0;
    QString replay;
    int stepSeconds = 120;
    int shrinkSeconds = 300;
    bool keepScratch = false;  // the scratch folder of a failed run stays, to be looked at
};

void say(const QString& line) {
    const QByteArray bytes = line.toUtf8() + '\n';
    [[maybe_unused]] const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), static_cast<size_t>(bytes.size()));
}

// Ends a child whose step never returns: a hang is a failure like a crash.
class Watchdog {
public:
    explicit Watchdog(int seconds) : m_seconds(seconds), m_thread([this] { watch(); }) {}
    ~Watchdog() {
        m_stop = true;
        m_thread.join();
    }
    void Arm(const QString& step) {
        m_step = step.toStdString();
        m_started = now();
    }

private:
    static long long now() {
        return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
    }
    void watch() {
        while (!m_stop) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            if (m_started > 0 && now() - m_started > m_seconds) {
                say(QStringLiteral("FAIL hang: no return from the step within %1 s").arg(m_seconds));
                std::_Exit(3);
            }
        }
    }
    int m_seconds;
    std::atomic<bool> m_stop{false};
    std::atomic<long long> m_started{0};
    std::string m_step;
    std::thread m_thread;
};

// The program under test, in this process: prints "STEP name:seed" before
// each action and "FAIL what" when a check fails.
int runChild(int argc, char** argv, const Options& o) {
    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/zendra-soak-XXXXXX"));
    const QString scratch = root.filePath(QStringLiteral("scratch"));
    QDir(root.path()).mkpath(QStringLiteral("scratch/home"));
    QDir(root.path()).mkpath(QStringLiteral("scratch/tmp"));
    // Whatever the toolkit keeps for a user stays in the scratch folder.
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
        qputenv(name, QFile::encodeName(scratch + QStringLiteral("/home")));
    qputenv("TMPDIR", QFile::encodeName(scratch + QStringLiteral("/tmp")));
    qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zendra"));
    // The driver starts the program again when its main window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    HelpSystem::Install(application);
    TFrameForm::SplashSeconds = 0;

    std::vector<Step> replay;
    if (!o.replay.isNull())
        replay = ParseSteps(o.replay).value_or(std::vector<Step>{});
    Rng master(o.seed);
    Watchdog watchdog(o.stepSeconds);
    QElapsedTimer clock;
    clock.start();
    int failed = 0;
    {
        SoakDriver driver(scratch, QStringLiteral(ZENDRA_SOURCE_DIR));
        for (int i = 0;; ++i) {
            if (!o.replay.isNull() ? i >= static_cast<int>(replay.size())
                                   : (o.actions > 0 && i >= o.actions) ||
                                         (o.seconds > 0 && clock.elapsed() > o.seconds * 1000))
                break;
            const Step step = !o.replay.isNull() ? replay[static_cast<std::size_t>(i)] : SoakDriver::RandomStep(master);
            say(QStringLiteral("STEP ") + step.Text());
            watchdog.Arm(step.Text());
            driver.Perform(step);
            const QString failure = driver.Check();
            if (qEnvironmentVariableIsSet("ZENDRA_SOAK_TRACE"))
                say(QStringLiteral("  ") + driver.Summary() + QStringLiteral("; modal windows: ") +
                    driver.Seen().join(QStringLiteral(", ")));
            if (!failure.isEmpty()) {
                say(QStringLiteral("FAIL ") + failure);
                failed = 1;
                break;
            }
        }
        watchdog.Arm(QStringLiteral("the end of the run"));
    }
    root.setAutoRemove(failed == 0 || !o.keepScratch);
    if (failed == 0)
        say(QStringLiteral("DONE"));
    else if (o.keepScratch)
        say(QStringLiteral("SCRATCH ") + scratch);
    return failed;
}

struct Outcome {
    std::vector<Step> steps;  // those begun, in order
    bool failed = false;
    QString signature;        // what failed, without the particulars
    QString report;           // the child's failure line or sanitizer report
    double seconds = 0;
};

Outcome runOnce(const QString& self, const QStringList& arguments, int stepSeconds) {
    QProcess child;
    child.setProgram(self);
    child.setArguments(QStringList{QStringLiteral("--child")} + arguments);
    QElapsedTimer clock;
    clock.start();
    child.start();
    Outcome outcome;
    QByteArray out;
    QElapsedTimer quiet;
    quiet.start();
    bool done = false;
    while (child.state() != QProcess::NotRunning || child.bytesAvailable() > 0) {
        child.waitForReadyRead(500);
        const QByteArray chunk = child.readAllStandardOutput();
        if (!chunk.isEmpty())
            quiet.restart();
        out += chunk;
        // A child that neither steps nor ends is beyond its own watchdog.
        if (quiet.elapsed() > (stepSeconds + 60) * 1000LL && child.state() != QProcess::NotRunning) {
            child.kill();
            child.waitForFinished();
            outcome.report = QStringLiteral("FAIL hang: the child stopped answering");
        }
    }
    const QString errors = QString::fromUtf8(child.readAllStandardError());
    for (const QString& line : QString::fromUtf8(out).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("STEP ")))
            outcome.steps.push_back(ParseSteps(line.mid(5)).value_or(std::vector<Step>{{}}).front());
        else if (line.startsWith(QLatin1String("FAIL ")) || line.startsWith(QLatin1String("SCRATCH ")))
            outcome.report += line + QLatin1Char('\n');
        else if (line == QLatin1String("DONE"))
            done = true;
    }
    outcome.seconds = clock.elapsed() / 1000.0;
    outcome.failed = !done || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0;
    if (!outcome.failed)
        return outcome;
    const QRegularExpressionMatch check = QRegularExpression(QStringLiteral("^FAIL ([a-z ]+):")).match(outcome.report);
    const QRegularExpressionMatch sanitizer =
        QRegularExpression(QStringLiteral("SUMMARY: \\w+: [^\\n]*")).match(errors);
    if (check.hasMatch())
        outcome.signature = check.captured(1);
    else if (sanitizer.hasMatch())
        outcome.signature = sanitizer.captured(0).section(QLatin1Char(' '), 0, 3);
    else
        outcome.signature = QStringLiteral("crash (exit %1)").arg(child.exitCode());
    if (!check.hasMatch())
        outcome.report += errors.right(6000);
    return outcome;
}

// Removes steps, in halves, then quarters, down to single steps, for as
// long as what remains still fails the same way.
std::vector<Step> shrink(const QString& self, std::vector<Step> steps, const QString& signature,
                         const Options& o) {
    QElapsedTimer clock;
    clock.start();
    std::size_t chunk = std::max<std::size_t>(1, steps.size() / 2);
    int runs = 0;
    for (;;) {
        bool removed = false;
        for (std::size_t at = 0; at < steps.size() && clock.elapsed() < o.shrinkSeconds * 1000LL;) {
            std::vector<Step> candidate(steps.begin(), steps.begin() + static_cast<long>(at));
            candidate.insert(candidate.end(), steps.begin() + static_cast<long>(std::min(at + chunk, steps.size())), steps.end());
            const Outcome outcome =
                runOnce(self, {QStringLiteral("--replay"), StepsText(candidate)}, o.stepSeconds);
            ++runs;
            if (!candidate.empty() && outcome.failed && outcome.signature == signature) {
                steps = outcome.steps;  // it may now fail earlier still
                removed = true;
                fprintf(stderr, "soak: shrunk to %zu actions\n", steps.size());
            } else {
                at += chunk;
            }
        }
        if (clock.elapsed() >= o.shrinkSeconds * 1000LL || (chunk == 1 && !removed))
            break;
        if (!removed)
            chunk = std::max<std::size_t>(1, chunk / 2);
        chunk = std::min(chunk, std::max<std::size_t>(1, steps.size() / 2));
    }
    fprintf(stderr, "soak: %d replays while shrinking\n", runs);
    return steps;
}

int report(const QString& self, const Outcome& failure, std::uint32_t seed, const Options& o) {
    printf("soak: FAILED (seed %u) after %zu actions: %s\n%s\n", seed, failure.steps.size(),
           qPrintable(failure.signature), qPrintable(failure.report));
    fflush(stdout);
    const std::vector<Step> shortest = o.replay.isNull() ? shrink(self, failure.steps, failure.signature, o) : failure.steps;
    printf("soak: the shortest list of actions found (%zu) fails the same way; replay it with\n"
           "  %s --replay \"%s\"\n",
           shortest.size(), qPrintable(self), qPrintable(StepsText(shortest)));
    return 1;
}

int supervise(const QString& self, const Options& o) {
    const auto limits = [&o](const std::vector<QString>& more) {
        QStringList a{QStringLiteral("--keep-scratch"), QStringLiteral("--step-seconds"),
                      QString::number(o.stepSeconds)};
        for (const QString& m : more)
            a << m;
        return a;
    };
    if (!o.replay.isNull()) {
        const Outcome outcome = runOnce(self, limits({QStringLiteral("--replay"), o.replay}), o.stepSeconds);
        if (outcome.failed)
            return report(self, outcome, 0, o);
        printf("soak: %zu actions replayed, every check held\n", outcome.steps.size());
        return 0;
    }
    QElapsedTimer clock;
    clock.start();
    std::size_t actions = 0;
    QStringList seeds;
    for (std::uint32_t seed = o.seed;; ++seed) {
        const double left = o.seconds - clock.elapsed() / 1000.0;
        QStringList arguments = limits({QStringLiteral("--seed"), QString::number(seed)});
        if (o.seconds > 0)
            arguments << QStringLiteral("--seconds") << QString::number(std::min(left, 120.0));
        // Programs of a few hundred actions each: a failure comes with a
        // list short enough to shrink in minutes.
        arguments << QStringLiteral("--actions") << QString::number(o.actions > 0 ? o.actions : 250);
        const Outcome outcome = runOnce(self, arguments, o.stepSeconds);
        actions += outcome.steps.size();
        seeds << QString::number(seed);
        fprintf(stderr, "soak: seed %u, %zu actions in %.1f s\n", seed, outcome.steps.size(), outcome.seconds);
        if (outcome.failed)
            return report(self, outcome, seed, o);
        if (o.seconds <= 0 || clock.elapsed() >= o.seconds * 1000)
            break;
    }
    const double seconds = clock.elapsed() / 1000.0;
    printf("soak: %zu actions in %.0f s (%.1f actions/s), every check held; seeds %s\n", actions,
           seconds, actions / std::max(seconds, 0.001), qPrintable(seeds.join(QLatin1Char(' '))));
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    Options o;
    bool child = false;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const QString value = i + 1 < argc ? QString::fromLocal8Bit(argv[i + 1]) : QString();
        if (arg == QLatin1String("--child") || arg == QLatin1String("--keep-scratch")) {
            child = child || arg == QLatin1String("--child");
            o.keepScratch = o.keepScratch || arg == QLatin1String("--keep-scratch");
            continue;
        }
        if (value.isNull()) {
            fprintf(stderr, "usage: %s [--seed N] [--actions N] [--seconds N] [--replay \"name:seed ...\"]\n", argv[0]);
            return 2;
        }
        if (arg == QLatin1String("--seed"))
            o.seed = value.toUInt();
        else if (arg == QLatin1String("--actions"))
            o.actions = value.toInt();
        else if (arg == QLatin1String("--seconds"))
            o.seconds = value.toDouble();
        else if (arg == QLatin1String("--replay"))
            o.replay = value;
        else if (arg == QLatin1String("--step-seconds"))
            o.stepSeconds = value.toInt();
        else if (arg == QLatin1String("--shrink-seconds"))
            o.shrinkSeconds = value.toInt();
        ++i;
    }
    if (!o.replay.isNull() && !ParseSteps(o.replay)) {
        fprintf(stderr, "soak: not a list of actions; the names are: %s\n",
                qPrintable(SoakDriver::StepNames().join(QLatin1Char(' '))));
        return 2;
    }
    if (child)
        return runChild(argc, argv, o);
    if (o.actions <= 0 && o.seconds <= 0 && o.replay.isNull())
        o.actions = 200;
    const QString self = QString::fromLocal8Bit(argv[0]);
    return supervise(QFileInfo(self).absoluteFilePath(), o);
}
