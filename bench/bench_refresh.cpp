// The "Авто" refresh of every model and layout against the simulated detector on a
// paced line (115200 baud, 2 ms device turnaround per frame): its time beside the
// 1000 ms tick and beside the floor that the fixed waits (the 100 ms pause, the wake-up
// preamble's read wait, the silence that ends a reply) and the bytes on the line allow.
//
//   bench_refresh [--smoke] [--refreshes N]

#include "command.h"
#include "commandstate.h"
#include "mainwindow.h"
#include "simdetector.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace
{

constexpr int TickMs = 1000;
constexpr int TurnaroundMs = 2;
constexpr int PauseMs = 100; // the read road's own pause before every refresh

struct Case {
    const char* name;
    SimDetector::Layout layout;
    quint16 model;
};

const Case cases[] = {
    {"classic T2 classic", SimDetector::Layout::Classic, ModelT2Classic},
    {"classic T2", SimDetector::Layout::Classic, ModelT2},
    {"classic T6", SimDetector::Layout::Classic, ModelT6},
    {"classic T6 B", SimDetector::Layout::Classic, ModelT6B},
    {"classic T6 Mini", SimDetector::Layout::Classic, ModelT6Mini},
    {"classic T6 Max", SimDetector::Layout::Classic, ModelT6M},
    {"classic T6 Max 4", SimDetector::Layout::Classic, ModelT6M4},
    {"extended T2", SimDetector::Layout::Extended, ModelT2},
    {"extended T6", SimDetector::Layout::Extended, ModelT6},
    {"extended T6 Max", SimDetector::Layout::Extended, ModelT6M},
    {"extended T8 Max", SimDetector::Layout::Extended, ModelT8M},
};

// What one refresh cannot go below: every byte both ways at 10 bits, the turnaround of
// every answered frame, and the exchange's fixed waits: the read wait after each wake-up
// preamble (nothing comes back) and the silence that ends each reply.
double floorMs(const QVector<SimRequest>& log)
{
    constexpr double PreambleReadMs = 20;
    double us = 0;
    for (const SimRequest& r : log) {
        us += double(r.raw.size() + r.reply.size()) * 10.0 * 1e6 / SimDetector::PacedBaud;
        if (r.fragment)
            us += PreambleReadMs * 1000.0;
        if (r.answered)
            us += (TurnaroundMs + command.timeouts[TimeoutBetweenChunks]) * 1000.0;
    }
    return us / 1000.0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    bool smoke = false;
    int refreshes = 5;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--smoke")
            smoke = true;
        else if (args[i] == "--refreshes" && i + 1 < args.size())
            refreshes = qMax(1, args[++i].toInt());
    }
    if (smoke)
        refreshes = 1;

    SimDetector sim;
    if (!sim.start()) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(sim.errorString()));
        return 1;
    }
    sim.setLinePacing(true);
    sim.setTurnaroundMs(TurnaroundMs);

    std::printf("\"Авто\" refresh, 115200 baud, %d ms turnaround, %d refresh(es) each\n",
                TurnaroundMs, refreshes);
    std::printf("%-20s %7s %9s %9s %9s %9s %7s\n", "model", "frames", "mean ms", "max ms",
                "floor ms", "tick ms", "/tick");
    int failures = 0;
    int missed = 0;
    const int caseCount = smoke ? 2 : int(std::size(cases));
    for (int c = 0; c < caseCount; ++c) {
        const Case& k = cases[smoke ? c * 10 : c]; // smoke: one classic, one extended
        for (int page = 0; page < 10; ++page)
            sim.setHolding(page, 258, quint16(page));
        sim.setProfile(k.layout, k.model);
        if (!connectToSimulator(sim)) {
            std::fprintf(stderr, "cannot open %s\n", qPrintable(sim.portPath()));
            return 1;
        }
        command.userName = QStringLiteral("Admin");
        command.authorized = 1;
        auto window = std::make_unique<MainWindow>();
        window->setDeviceModel(k.model);
        command.registerMap = k.layout == SimDetector::Layout::Classic ? ClassicMap : ExtendedMap;
        command.registerMapProbed = false;
        window->rebuildDeviceUi();
        auto* box = window->findChild<QCheckBox*>(QStringLiteral("checkBoxAutoupdate"));
        if (box)
            box->setChecked(true);
        window->autoUpdateTimer.stop(); // refreshes by hand, timed one by one

        double total = 0, worst = 0, floor = 0;
        int frames = 0;
        for (int i = 0; i < refreshes; ++i) {
            sim.clearLog();
            QElapsedTimer clock;
            clock.start();
            window->readParameters(0);
            const double ms = double(clock.nsecsElapsed()) / 1e6;
            total += ms;
            worst = std::max(worst, ms);
            const QVector<SimRequest> log = sim.requests();
            frames = int(std::count_if(log.begin(), log.end(),
                                       [](const SimRequest& r) { return !r.fragment; }));
            floor = PauseMs + floorMs(log);
            if (qEnvironmentVariableIsSet("BENCH_FRAMES") && i == 0) {
                for (const SimRequest& r : log)
                    std::printf("    %s%d/%d/%d/%d %d+%d bytes\n", r.fragment ? "(fragment) " : "",
                                r.function, r.page, r.reg, r.count, int(r.raw.size()),
                                int(r.reply.size()));
            }
        }
        if (command.connected == 0)
            ++failures;
        const double mean = total / refreshes;
        if (worst > TickMs)
            ++missed;
        std::printf("%-20s %7d %9.1f %9.1f %9.1f %9d %7.3f\n", k.name, frames, mean, worst, floor,
                    TickMs, mean / TickMs);
        window.reset();
        command.connected = 0;
        command.serialPort.close();
        command.modelCode = ModelNone;
    }
    std::printf("%d model(s) miss the tick; %d lost the device\n", missed, failures);
    return failures == 0 ? 0 : 1;
}
