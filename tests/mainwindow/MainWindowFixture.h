// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChartRenderClient.h"
#include "ExitQuestion.h"
#include "FrmMain.h"
#include "GridCell.h"
#include "MailLauncher.h"
#include "Notice.h"
#include "PlacedCharts.h"
#include "ProgramSettings.h"
#include "ProgramValues.h"
#include "QuietSimulator.h"
#include "SoundCues.h"
#include "WindowPrinter.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRadioButton>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// Recording stand-ins for the desktop services of the main window.
struct RecordingSound final : desktop::SoundCues {
    QStringList played;
    void play(const QString &wavPath) override { played << wavPath; }
};

struct ScriptedExitQuestion final : desktop::ExitQuestion {
    bool answer = false;
    int asked = 0;
    bool confirmed(QWidget *) override
    {
        ++asked;
        return answer;
    }
};

struct RecordingPrinter final : desktop::WindowPrinter {
    int printed = 0;
    desktop::PrintOutcome outcome{true, {}};
    desktop::PrintOutcome print(QWidget *) override
    {
        ++printed;
        return outcome;
    }
};

struct RecordingMail final : desktop::MailLauncher {
    QList<QUrl> opened;
    bool handlerStarts = true;
    bool open(const QUrl &mailLink) override
    {
        opened << mailLink;
        return handlerStarts;
    }
};

struct RecordingNotice final : desktop::Notice {
    QStringList warnings;
    void warn(QWidget *, const QString &text) override { warnings << text; }
};

// A main window over a library folder of its own, made at run time, with the sound cues elsewhere.
class MainWindowFixture {
public:
    MainWindowFixture()
    {
        values.libraryFolder = folder.path();
        values.soundFolder = folder.filePath(QStringLiteral("sounds"));
    }

    void writeDirectory(const QByteArray &contents) const;
    void writeChart(const QString &relativePath) const;

    mainwindow::FrmMain &load();

    template <typename T = QWidget> T *control(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
    mainwindow::GridCell *slot(int index) const
    {
        return control<mainwindow::GridCell>(QStringLiteral("lblRwy_%1").arg(index));
    }
    QAbstractButton *button(const char *name) const { return control<QAbstractButton>(QLatin1String(name)); }
    // The chart viewer is built once the window has drawn its first frame, or when a lookup needs it.
    bool chartViewerShown() const
    {
        const QWidget *viewer = control(QStringLiteral("openPDF"));
        return viewer && viewer->isVisible();
    }
    QRadioButton *category(int index) const
    {
        return control<QRadioButton>(QStringLiteral("Option1_%1").arg(index));
    }
    void typeCode(const QString &keys) const;
    void lookUp(const QString &code) const;
    void activate() const;

    QTemporaryDir folder;
    session::ProgramValues values;
    RecordingSound sound;
    ScriptedExitQuestion exitQuestion;
    RecordingPrinter printer;
    RecordingMail mail;
    RecordingNotice notice;
    // Settings in the fixture's folder, never the user's.
    desktop::ProgramSettings settings{folder.filePath(QStringLiteral("settings/varnelox.ini"))};
    QuietSimulator simulator{settings, folder.filePath(QStringLiteral("airports.txt"))};
    // The render helper beside the test, as the program's beside the program: none for most tests.
    viewer::ChartRenderClient charts{viewer::ChartRenderSettings{}};
    // Pages placed on the map in the fixture's folder, never the user's.
    georef::PlacedCharts places{folder.filePath(QStringLiteral("data/placed-charts.json"))};
    std::unique_ptr<mainwindow::FrmMain> window;
};

// A small directory: two airports lined up with the grid headings.
QByteArray sampleDirectory();
